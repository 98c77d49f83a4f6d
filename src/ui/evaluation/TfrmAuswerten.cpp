#include "ui/evaluation/TfrmAuswerten.h"
#include "ui/common/UserInteraction.h"
#include "ui/common/WindowHost.h"
#include "base/SafeFile.h"
#include "data/GermanFormat.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "reports/HtmlPages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfrmAuswerten::TfrmAuswerten(WindowHost& host) : QDialog(host.window()), m_host(host)
{
    setObjectName(QStringLiteral("frmAuswerten"));
    setWindowTitle(QStringLiteral("frmAuswerten"));
    setModal(true);

    const auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Template:"));
    cb_template = new QComboBox(this);
    cb_template->setObjectName(QStringLiteral("cb_template"));
    cb_template->setMinimumWidth(220);
    Label1->setBuddy(cb_template);
    Viewbild = new QPushButton(this);
    Viewbild->setObjectName(QStringLiteral("Viewbild"));
    Viewbild->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Viewbild->setToolTip(QStringLiteral("Template ansehen"));
    Viewbild->setAutoDefault(false);
    Label3 = label("Label3", QStringLiteral("Auswerten:"));
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    Label2 = label("Label2", QStringLiteral("Fänger:"));
    cb_faenger = new QComboBox(this);
    cb_faenger->setObjectName(QStringLiteral("cb_faenger"));
    Label2->setBuddy(cb_faenger);
    Label4 = label("Label4", QStringLiteral("Jahr:"));
    ed_jahr = new QLineEdit(this);
    ed_jahr->setObjectName(QStringLiteral("ed_jahr"));
    ed_jahr->setMaximumWidth(70);
    ed_jahr->setToolTip(QStringLiteral("Leer lassen für alle Jahre"));
    Label4->setBuddy(ed_jahr);
    BitBtn1 = new QPushButton(QStringLiteral("&Auswerten"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("A&bbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    // Present, but not part of the evaluation.
    ch_angelkosten = new QCheckBox(QStringLiteral("Angelkosten"), this);
    ch_angelkosten->setObjectName(QStringLiteral("ch_angelkosten"));
    ch_statistik = new QCheckBox(QStringLiteral("Statistik für jedes Jahr"), this);
    ch_statistik->setObjectName(QStringLiteral("ch_statistik"));
    ch_deckblatt = new QCheckBox(QStringLiteral("Deckblatt"), this);
    ch_deckblatt->setObjectName(QStringLiteral("ch_deckblatt"));
    for (QCheckBox* c : {ch_angelkosten, ch_statistik, ch_deckblatt})
        c->hide();

    auto* templateRow = new QHBoxLayout;
    templateRow->addWidget(cb_template, 1);
    templateRow->addWidget(Viewbild);
    auto* grid = new QGridLayout;
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(cb_faenger, 0, 1);
    grid->addWidget(Label4, 1, 0);
    grid->addWidget(ed_jahr, 1, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(templateRow);
    layout->addSpacing(8);
    layout->addWidget(Label3);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Viewbild, &QPushButton::clicked, this, &TfrmAuswerten::ViewbildClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmAuswerten::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmAuswerten::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfrmAuswerten::FormShow()
{
    const QString folder = ProgramFolder::path();
    htmlpages::installExampleTemplates(folder);
    cb_template->clear();
    cb_template->addItems(htmlpages::templateNames(folder));
    cb_template->setCurrentIndex(cb_template->count() > 0 ? 0 : -1);
    // Every angler of the list can be chosen.
    cb_faenger->clear();
    cb_faenger->addItem(htmlpages::kAlle);
    for (const QString& angler : lookup::readNamedList(QStringLiteral("Faenger")))
        if (!angler.isEmpty() && cb_faenger->findText(angler, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            cb_faenger->addItem(angler);
    cb_faenger->setCurrentIndex(0);
}

void TfrmAuswerten::ViewbildClick()
{
    const QString path = htmlpages::templatePath(ProgramFolder::path(), cb_template->currentText());
    if (cb_template->currentIndex() >= 0 && QFileInfo(path).isFile())
        userInteraction().openDocument(path);
}

void TfrmAuswerten::BitBtn1Click()
{
    const QString out = userInteraction().getSaveFileName(this, QStringLiteral("HTML|*.html"), QStringLiteral("html"));
    if (out.isEmpty())
        return;
    const int year = ed_jahr->text().isEmpty() ? 0 : german::parseInt(ed_jahr->text());
    const QString folder = ProgramFolder::path();
    const QString templateFile = htmlpages::templatePath(folder, cb_template->currentText());
    const QByteArray templateText = cb_template->currentIndex() >= 0 && QFileInfo(templateFile).isFile()
                                        ? safefile::readOrThrow(templateFile)
                                        : QByteArray();
    const QString angler = cb_faenger->currentIndex() <= 0 ? htmlpages::kAlle : cb_faenger->currentText();
    safefile::writeOrThrow(out, htmlpages::evaluation(m_host.session().DB, templateText, folder, angler, year));
}

namespace {

void writeBlankList(WindowHost& host)
{
    trace::step(QStringLiteral("Main: Fanglist erstellen"));
    const QByteArray page = htmlpages::blankList(host.session().DB);
    const QString out = userInteraction().getSaveFileName(host.window(), QStringLiteral("html|*.html"), QStringLiteral("html"));
    if (out.isEmpty())
        return;
    safefile::writeOrThrow(out, page);
}

const host::FamilyRegistrar registrar("evaluation", 50, [](WindowHost& host) {
    WindowHost* h = &host;
    auto* dialog = new TfrmAuswerten(host);
    if (QAction* a = host.menuAction(QStringLiteral("aAuswertenHTML"))) {
        host.wireAction(a, [dialog] { dialog->exec(); });
        // The evaluation is finished and has its chapter in the manual, so it gets shown.
        a->setVisible(true);
    }
    if (QAction* a = host.menuAction(QStringLiteral("aFanglisteErstellen")))
        host.wireAction(a, [h] { writeBlankList(*h); });
});

} // namespace
