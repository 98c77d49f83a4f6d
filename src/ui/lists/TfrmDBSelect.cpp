#include "ui/lists/TfrmDBSelect.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "base/FkError.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QString& hint)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}
} // namespace

TfrmDBSelect::TfrmDBSelect(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmDBSelect"));
    setWindowTitle(QStringLiteral("Datenbank"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Aktuelle Datenbank:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ed_dbname = new QLineEdit(this);
    ed_dbname->setObjectName(QStringLiteral("ed_dbname"));
    ed_dbname->setReadOnly(true);
    ed_dbname->setMinimumWidth(420);
    BitBtn1 = makeButton(this, "BitBtn1", QStringLiteral("DB Ö&ffnen"), QStringLiteral("Vorhandene Datenbank laden"));
    BitBtn2 = makeButton(this, "BitBtn2", QStringLiteral("&Neue DB"), QStringLiteral("Neue Datenbank erstellen"));
    BitBtn3 = makeButton(this, "BitBtn3", QStringLiteral("&Abbrechen"), QString());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ed_dbname);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmDBSelect::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmDBSelect::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDBSelect::showEvent(QShowEvent* event)
{
    ed_dbname->clear();
    ed_dbname->setText(IniFile::settings().readString(m_kind == catchdb::Kind::Catches ? QStringLiteral("DB") : QStringLiteral("AKDB"),
                                                      QStringLiteral("File")));
    QDialog::showEvent(event);
}

void TfrmDBSelect::BitBtn1Click()
{
    const bool catches = m_kind == catchdb::Kind::Catches;
    const QString path = userInteraction().getOpenFileName(
        this, catches ? QStringLiteral("Fischkladde Datenbank|*.fdb") : QStringLiteral("Angelkosten Datenbank|*.akdb"));
    if (path.isEmpty())
        return;
    ed_dbname->setText(path);
    try {
        // All or nothing: a failure leaves table, settings and path as they were and the
        // dialog open.
        catchdb::openDatabase(m_session, path, catches ? catchdb::Kind::Catches : catchdb::Kind::Costs);
    } catch (const FkError& e) {
        FkApplication::handleError(e.message());
        ed_dbname->setText(catches ? m_session.dbPath : m_session.akdbPath);
        return;
    }
    try {
        if (catches) {
            trace::step(QStringLiteral("Main: FB Dats"));
            lookup::rebuildCatchLists(m_session.DB);
        } else {
            trace::step(QStringLiteral("Main: AK Dats"));
            lookup::rebuildCostLists(m_session.AKDB);
        }
    } catch (const FkError& e) {
        // The database is open by now: report the lists, but refresh the main window so
        // that its list shows the open table's rows.
        FkApplication::handleError(e.message());
    }
    if (catches)
        emit catchDatabaseChanged();
    else
        emit costDatabaseChanged();
    accept();
}

void TfrmDBSelect::BitBtn2Click()
{
    const bool catches = m_kind == catchdb::Kind::Catches;
    const QString path = userInteraction().getSaveFileName(
        this, catches ? QStringLiteral("Fischkladde Datenbank|*.fdb") : QStringLiteral("Angelkosten Datenbank|*.akdb"),
        catches ? QStringLiteral("fdb") : QStringLiteral("akdb"));
    if (path.isEmpty())
        return;
    try {
        catchdb::createDatabase(m_session, path, catches ? catchdb::Kind::Catches : catchdb::Kind::Costs);
    } catch (const FkError& e) {
        FkApplication::handleError(e.message());
        // Only the old lists' removal can fail once the new database is open; then the main
        // window must still show it.
        if ((catches ? m_session.dbPath : m_session.akdbPath) != path)
            return;
    }
    ed_dbname->setText(path);
    if (catches)
        emit catchDatabaseChanged();
    else
        emit costDatabaseChanged();
    accept();
}
