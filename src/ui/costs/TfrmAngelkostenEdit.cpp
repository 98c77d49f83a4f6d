#include "ui/costs/TfrmAngelkostenEdit.h"
#include "costs/Costs.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "ui/common/TypedDateTimeEdit.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAngelkostenEdit::TfrmAngelkostenEdit(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmAngelkostenEdit"));
    setWindowTitle(QStringLiteral("Angelkosten bearbeiten"));
    setModal(true);
    const auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMinimumWidth(240);
        return e;
    };
    dt_datum = new TypedDateEdit(this);
    dt_datum->setObjectName(QStringLiteral("dt_datum"));
    ed_geschaeft = edit("ed_geschaeft");
    ed_artikel = edit("ed_artikel");
    ed_menge = edit("ed_menge");
    ed_einzelpreis = edit("ed_einzelpreis");
    ed_gesamtpreis = edit("ed_gesamtpreis");
    BitBtn2 = new QPushButton(QStringLiteral("&Speichern"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("&Abbrechen"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn2->setAutoDefault(false);
    BitBtn3->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Datum:"), dt_datum);
    form->addRow(QStringLiteral("Geschäft:"), ed_geschaeft);
    form->addRow(QStringLiteral("Artikel:"), ed_artikel);
    form->addRow(QStringLiteral("Menge:"), ed_menge);
    form->addRow(QStringLiteral("Einzelpreis:"), ed_einzelpreis);
    form->addRow(QStringLiteral("GP + Versand:"), ed_gesamtpreis);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(BitBtn2, &QPushButton::clicked, this, &TfrmAngelkostenEdit::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmAngelkostenEdit::loadRow(int row)
{
    const costs::CostEdit e = costs::readForEdit(m_session.AKDB, row);
    m_row = row;
    dt_datum->setDate(e.kaufdatum);
    ed_geschaeft->setText(e.geschaeft);
    ed_artikel->setText(e.artikel);
    ed_menge->setText(e.menge);
    ed_einzelpreis->setText(e.einzelpreis);
    ed_gesamtpreis->setText(e.gesamtpreisVersand);
}

void TfrmAngelkostenEdit::BitBtn2Click()
{
    trace::step(QStringLiteral("AKedit: speichern"));
    costs::CostEdit e;
    e.kaufdatum = dt_datum->date();
    e.geschaeft = ed_geschaeft->text();
    e.artikel = ed_artikel->text();
    e.menge = ed_menge->text();
    e.einzelpreis = ed_einzelpreis->text();
    e.gesamtpreisVersand = ed_gesamtpreis->text();
    // Written before the costs window refills its list.
    costs::saveEdit(m_session, m_row, e);
    accept();
}
