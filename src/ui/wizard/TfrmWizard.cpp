#include "ui/wizard/TfrmWizard.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "ui/common/WindowHost.h"
#include "base/FkError.h"
#include "base/Win1252.h"
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/MapColours.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "data/SetupWizard.h"
#include "data/Trace.h"

#include <QAction>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kWeiter = QStringLiteral("Weiter");
const QString kFertigstellen = QStringLiteral("Fertigstellen");
const QString kCatchFilter = QStringLiteral("Fischkladde Datenbank|*.fdb");
const QString kCostFilter = QStringLiteral("Angelkosten Datenbank|*.akdb");

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

IniFile settings() { return IniFile::settings(); }
bool started() { return settings().readBool(QStringLiteral("Start"), QStringLiteral("start")); }
} // namespace

TfrmWizard::TfrmWizard(WindowHost& host, QWidget* parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Assistent"));
    setModal(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    // First page
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label2 = makeLabel(Panel1, "Label2", QStringLiteral("Es wurde keine Datenbank gefunden."));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label4 = makeLabel(Panel1, "Label4", QStringLiteral("Wie möchten Sie vorgehen?"));
    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Hilfe"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    GroupBox1 = new QGroupBox(QStringLiteral("Fischkladde Datenbank"), Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    db = makeLabel(GroupBox1, "db", QString());
    db->setWordWrap(true);
    db->setTextInteractionFlags(Qt::TextSelectableByMouse);
    BitBtn1 = makeButton(GroupBox1, "BitBtn1", QStringLiteral("Neu erstellen"));
    BitBtn2 = makeButton(GroupBox1, "BitBtn2", QStringLiteral("Vorhandene Datenbank laden"));
    auto* g1 = new QVBoxLayout(GroupBox1);
    g1->addWidget(db);
    auto* g1b = new QHBoxLayout;
    g1b->addWidget(BitBtn1);
    g1b->addWidget(BitBtn2);
    g1->addLayout(g1b);

    GroupBox2 = new QGroupBox(QStringLiteral("Angelkosten Datenbank"), Panel1);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    akdb = makeLabel(GroupBox2, "akdb", QString());
    akdb->setWordWrap(true);
    akdb->setTextInteractionFlags(Qt::TextSelectableByMouse);
    BitBtn3 = makeButton(GroupBox2, "BitBtn3", QStringLiteral("Vorhandene Datenbank laden"));
    BitBtn4 = makeButton(GroupBox2, "BitBtn4", QStringLiteral("Neu erstellen"));
    auto* g2 = new QVBoxLayout(GroupBox2);
    g2->addWidget(akdb);
    auto* g2b = new QHBoxLayout;
    g2b->addWidget(BitBtn4);
    g2b->addWidget(BitBtn3);
    g2->addLayout(g2b);

    BitBtn5 = makeButton(Panel1, "BitBtn5", kWeiter);
    BitBtn6 = makeButton(Panel1, "BitBtn6", QStringLiteral("Abbrechen"));
    BitBtn6->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn7 = makeButton(Panel1, "BitBtn7", QStringLiteral("Backup laden"));

    auto* p1 = new QVBoxLayout(Panel1);
    p1->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(Label2, 1);
    top->addWidget(SpeedButton1);
    p1->addLayout(top);
    p1->addWidget(Label4);
    p1->addWidget(GroupBox1);
    p1->addWidget(GroupBox2);
    p1->addStretch(1);
    auto* p1b = new QHBoxLayout;
    p1b->addWidget(BitBtn7);
    p1b->addStretch(1);
    p1b->addWidget(BitBtn6);
    p1b->addWidget(BitBtn5);
    p1->addLayout(p1b);

    // List pages
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Label1 = makeLabel(Panel2, "Label1", QString());
    Label1->setFont(bold);
    Label3 = makeLabel(Panel2, "Label3",
                       QStringLiteral("Einträge können durch klick auf die \"Entf\" Taste gelöscht werden."));
    Label3->setWordWrap(true);
    ListBox1 = new QListWidget(Panel2);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->installEventFilter(this);
    Edit1 = new QLineEdit(Panel2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    BitBtn10 = makeButton(Panel2, "BitBtn10", QStringLiteral("Hinzufügen"));
    bt_zurueck = makeButton(Panel2, "bt_zurueck", QStringLiteral("Zurück"));
    bt_zurueck->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    bt_weiter = makeButton(Panel2, "bt_weiter", kWeiter);
    BitBtn9 = makeButton(Panel2, "BitBtn9", QStringLiteral("Abbrechen"));
    BitBtn9->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    auto* p2 = new QVBoxLayout(Panel2);
    p2->setContentsMargins(0, 0, 0, 0);
    p2->addWidget(Label1);
    p2->addWidget(Label3);
    p2->addWidget(ListBox1, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(Edit1, 1);
    addRow->addWidget(BitBtn10);
    p2->addLayout(addRow);
    auto* p2b = new QHBoxLayout;
    p2b->addWidget(BitBtn9);
    p2b->addStretch(1);
    p2b->addWidget(bt_zurueck);
    p2b->addWidget(bt_weiter);
    p2->addLayout(p2b);
    Panel2->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addWidget(Panel2);
    setFixedSize(389, 352);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmWizard::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmWizard::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmWizard::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TfrmWizard::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TfrmWizard::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn7, &QPushButton::clicked, this, &TfrmWizard::BitBtn7Click);
    connect(BitBtn9, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn10, &QPushButton::clicked, this, &TfrmWizard::BitBtn10Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TfrmWizard::BitBtn10Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmWizard::SpeedButton1Click);
    connect(bt_weiter, &QPushButton::clicked, this, &TfrmWizard::bt_weiterClick);
    connect(bt_zurueck, &QPushButton::clicked, this, &TfrmWizard::bt_zurueckClick);
}

void TfrmWizard::setFinishCaption(QPushButton* button, bool finish)
{
    button->setText(finish ? kFertigstellen : kWeiter);
    button->setIcon(style()->standardIcon(finish ? QStyle::SP_DialogApplyButton : QStyle::SP_ArrowRight));
}

QStringList TfrmWizard::items() const
{
    QStringList out;
    for (int i = 0; i < ListBox1->count(); ++i)
        out.append(ListBox1->item(i)->text());
    return out;
}

void TfrmWizard::showEvent(QShowEvent* event)
{
    m_page = 0;
    setFinishCaption(BitBtn5, started());
    Panel1->show();
    Panel2->hide();
    // The restore belongs to another window; offer it only when it is there.
    QAction* restore = m_host.menuAction(QStringLiteral("aBackupLaden"));
    BitBtn7->setVisible(restore && restore->isEnabled());
    QDialog::showEvent(event);
}

bool TfrmWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
        for (QListWidgetItem* item : selected)
            delete ListBox1->takeItem(ListBox1->row(item));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmWizard::BitBtn1Click()
{
    const QString path = userInteraction().getSaveFileName(this, kCatchFilter, QStringLiteral("fdb"));
    if (path.isEmpty())
        return;
    try {
        catchdb::createDatabase(m_host.session(), path, catchdb::Kind::Catches);
    } catch (const FkError& e) {
        FkApplication::handleError(e);
        return;
    }
    db->setText(path);
    m_host.notifyChanged(host::Change::Databases | host::Change::Lists);
}

void TfrmWizard::BitBtn4Click()
{
    const QString path = userInteraction().getSaveFileName(this, kCostFilter, QStringLiteral("akdb"));
    if (path.isEmpty())
        return;
    try {
        catchdb::createDatabase(m_host.session(), path, catchdb::Kind::Costs);
    } catch (const FkError& e) {
        FkApplication::handleError(e);
        return;
    }
    akdb->setText(path);
    m_host.notifyChanged(host::Change::Databases | host::Change::Lists);
}

void TfrmWizard::BitBtn2Click()
{
    const QString path = userInteraction().getOpenFileName(this, kCatchFilter);
    if (path.isEmpty())
        return;
    db->setText(path);
    try {
        if (!catchdb::openDatabase(m_host.session(), path, catchdb::Kind::Catches))
            return;
        // An older database is brought up to date as at start-up.
        if (!catchdb::upgradeCatchTable(m_host.session().DB).isEmpty())
            m_host.session().saveDB();
        trace::step(QStringLiteral("Main: FB Dats"));
        lookup::rebuildCatchLists(m_host.session().DB);
        settings().writeBool(QStringLiteral("Start"), QStringLiteral("start"), true);
    } catch (const FkError& e) {
        FkApplication::handleError(e);
        return;
    }
    setFinishCaption(BitBtn5, true);
    m_host.notifyChanged(host::Change::Databases | host::Change::Lists);
}

void TfrmWizard::BitBtn3Click()
{
    const QString path = userInteraction().getOpenFileName(this, kCostFilter);
    if (path.isEmpty())
        return;
    akdb->setText(path);
    try {
        if (!catchdb::openDatabase(m_host.session(), path, catchdb::Kind::Costs))
            return;
        trace::step(QStringLiteral("Main: AK Dats"));
        lookup::rebuildCostLists(m_host.session().AKDB);
    } catch (const FkError& e) {
        FkApplication::handleError(e);
        return;
    }
    m_host.notifyChanged(host::Change::Databases | host::Change::Lists);
}

void TfrmWizard::BitBtn5Click()
{
    if (db->text().isEmpty() && akdb->text().isEmpty()) {
        userInteraction().information(this, QStringLiteral("Bitte eine Datenbank auswählen oder erstellen!"));
        return;
    }
    const bool start = started();
    const IniFile ini = settings();
    // A database left unchosen keeps the path the settings know: when the catch database was
    // moved away, the cost database is not forgotten with it.
    if (!db->text().isEmpty())
        ini.writeString(QStringLiteral("DB"), QStringLiteral("File"), db->text());
    if (!akdb->text().isEmpty())
        ini.writeString(QStringLiteral("AKDB"), QStringLiteral("File"), akdb->text());
    if (!start) {
        Panel1->hide();
        Panel2->show();
        bt_zurueck->setEnabled(false);
        setFinishCaption(bt_weiter, false);
        showPage(0);
    }
    m_host.notifyChanged(host::Change::Databases | host::Change::Lists);
    if (start)
        accept();
    else
        ini.writeBool(QStringLiteral("Start"), QStringLiteral("start"), true);
}

void TfrmWizard::showPage(int page)
{
    m_page = page;
    ListBox1->clear();
    try {
        ListBox1->addItems(setupwizard::pageItems(page));
    } catch (const FkError& e) {
        FkApplication::handleError(e);
    }
    Label1->setText(setupwizard::pages().at(page).heading);
}

void TfrmWizard::BitBtn10Click()
{
    const QString text = Edit1->text();
    if (text.isEmpty())
        return;
    const QString bad = win1252::firstUnencodable(text);
    if (!bad.isEmpty()) {
        userInteraction().warning(this, QStringLiteral("Das Zeichen \"%1\" im Eintrag kann nicht gespeichert werden. "
                                                       "Bitte geben Sie den Eintrag ohne dieses Zeichen ein.")
                                            .arg(bad));
        return;
    }
    ListBox1->addItem(text);
}

void TfrmWizard::bt_weiterClick()
{
    const int last = int(setupwizard::pages().size()) - 1;
    try {
        // Written first: a list that cannot be saved keeps the page where it is.
        setupwizard::savePage(m_page, items());
    } catch (const FkError& e) {
        FkApplication::handleError(e);
        return;
    }
    if (m_page == last) {
        ListBox1->clear();
        m_host.notifyChanged(host::Change::Lists);
        accept();
        return;
    }
    const int next = m_page + 1;
    if (next == last)
        setFinishCaption(bt_weiter, true);
    bt_zurueck->setEnabled(true);
    showPage(next);
    if (next == setupwizard::kSpeciesPage) {
        try {
            mapcolours::assignRandomColours(settings(), items(), appRandom());
        } catch (const FkError& e) {
            FkApplication::handleError(e);
        }
    }
    m_host.notifyChanged(host::Change::Lists);
}

void TfrmWizard::bt_zurueckClick()
{
    if (m_page == 0)
        return;
    const int previous = m_page - 1;
    bt_zurueck->setEnabled(previous != 0);
    setFinishCaption(bt_weiter, false);
    showPage(previous);
}

void TfrmWizard::BitBtn7Click()
{
    QAction* restore = m_host.menuAction(QStringLiteral("aBackupLaden"));
    if (restore && restore->isEnabled())
        restore->trigger();
    accept();
}

void TfrmWizard::SpeedButton1Click()
{
    const QString help = ProgramFolder::file(QStringLiteral("Anleitung.pdf"));
    if (QFileInfo::exists(help))
        userInteraction().openDocument(help);
}

namespace {
const host::FamilyRegistrar kWizardFamily("wizard", 62, [](WindowHost& host) {
    auto* frmWizard = new TfrmWizard(host, host.window());
    host.setFirstRunHandler([frmWizard, &host] {
        frmWizard->db->setText(host.session().dbPath);
        frmWizard->akdb->setText(host.session().akdbPath);
        frmWizard->exec();
    });
});
} // namespace
