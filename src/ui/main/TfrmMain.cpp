#include "ui/main/TfrmMain.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "ui/lists/TfrmCBox.h"
#include "ui/lists/TfrmDBSelect.h"
#include "ui/main/PreviewPanel.h"
#include "ui/main/TfrmDetails.h"
#include "ui/info/TfrmAbout.h"
#include "ui/info/TfrmSpenden.h"
#include "ui/main/CatchListModel.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "data/Trace.h"
#include "base/Win1252.h"
#include "stats/Overview.h"
#include "base/FkError.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

namespace {

// The list with its own key handling: the Delete key runs the delete action, every key
// is reported after it was handled.
class ListView : public QTableView {
public:
    using QTableView::QTableView;
    std::function<void(int)> onKeyDown;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() != Qt::Key_Delete)
            QTableView::keyPressEvent(event);
        if (onKeyDown)
            onKeyDown(event->key());
    }
};

// Runs a handler; an error is shown in the "Fehler" box and the action abandoned.
template <typename F>
void guarded(F&& f)
{
    try {
        f();
    } catch (const FkError& e) {
        FkApplication::handleError(e.message());
    }
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

const QString kUebersicht = QStringLiteral("--Übersicht--");
const QString kAlleFaenge = QStringLiteral("-Alle Fänge-");
const QString kAlleJahre = QStringLiteral("-Alle-");
const QString kLetzte10 = QStringLiteral("Die letzten 10 Einträge:");

constexpr int kTagAuswerten = int(host::StatistikMode::Auswerten);

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Norvak Fischkladde"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // The global error handler is the application's notify(); every run starts untraced.
    trace::setEnabled(false);

    buildControls();
    buildMenus();
    frmDBSelect = new TfrmDBSelect(m_session, this);
    frmCBox = new TfrmCBox(this);
    frmAbout = new TfrmAbout(this);
    frmSpenden = new TfrmSpenden(this);
    buildCatchDetails();
    connect(frmDBSelect, &TfrmDBSelect::catchDatabaseChanged, this, &TfrmMain::databaseChanged);
    // Another cost database: the overview for all anglers and all years.
    connect(frmDBSelect, &TfrmDBSelect::costDatabaseChanged, this,
            [this] { guarded([this] { RefreshOverview(QString(), 0); }); });
    connect(frmCBox, &TfrmCBox::listSaved, this, [this](lookup::ListKind kind) {
        guarded([this, kind] {
            if (kind == lookup::ListKind::Faenger) {
                LoadSelectors();
                // The selector now stands on the overview; show the list that goes with it.
                showOverviewView();
            } else if (kind == lookup::ListKind::Gewaesser) {
                RebuildKarteMenu();
            }
        });
        for (const auto& listener : m_listeners)
            listener(host::Change::Lists);
    });

    clearOverview();

    try {
        m_startup = catchdb::startupLoad(m_session);
        m_startupError = m_startup.error;
    } catch (const FkError& e) {
        // For example a program folder that cannot be written: say so, keep going.
        m_startupError = e.message();
    }
    if (m_startup.loaded || !m_session.dbPath.isEmpty())
        lb_anzahlfische->setText(QString::number(m_session.DB.RowCount()));
    host::installFamilies(*this);
    updateActions();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QAction* TfrmMain::menuAction(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

QMenu* TfrmMain::menu(const QString& objectName) const
{
    return findChild<QMenu*>(objectName);
}

void TfrmMain::setStatistikHandler(std::function<void(host::StatistikMode, const QString&)> handler)
{
    if (handler)
        onStatistik = [handler](QAction* item) {
            const auto mode = host::StatistikMode(item->data().toInt());
            handler(mode, mode == host::StatistikMode::Faenger ? item->text() : QString());
        };
    else
        onStatistik = nullptr;
    updateActions();
}

void TfrmMain::setKarteHandler(std::function<void(const QString&)> handler)
{
    onKarte = std::move(handler);
    updateActions();
}

void TfrmMain::notifyChanged(host::Changes what)
{
    if (what.testFlag(host::Change::Databases)) {
        databaseChanged();
    } else {
        if (what.testFlag(host::Change::Lists))
            guarded([this] { RebuildKarteMenu(); });
        if (what.testFlag(host::Change::Catches))
            guarded([this] { refreshCatchView(); });
        if (what.testFlag(host::Change::Costs))
            lb_angelkosten->setText(overview::costSum(m_session.AKDB));
    }
    for (const auto& listener : m_listeners)
        listener(what);
}

// ---- layout ------------------------------------------------------------------------------

void TfrmMain::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, Qt::white);
    central->setPalette(pal);
    central->setFixedSize(778, 474);
    setCentralWidget(central);

    // Selectors and list (left).
    cb_gehezu = new QComboBox(central);
    cb_gehezu->setObjectName(QStringLiteral("cb_gehezu"));
    cb_gehezu->setMinimumWidth(190);
    cb_gehezu->setToolTip(QStringLiteral("Ansicht"));
    // The two fixed views are there from the start, also before an angler list exists.
    cb_gehezu->addItem(kUebersicht);
    cb_gehezu->addItem(kAlleFaenge);
    Image10 = makeLabel(central, "Image10", QStringLiteral("Jahr:"));
    cb_jahr = new QComboBox(central);
    cb_jahr->setObjectName(QStringLiteral("cb_jahr"));
    cb_jahr->setMinimumWidth(90);
    auto* viewCaption = makeLabel(central, nullptr, QStringLiteral("&Ansicht:"));
    viewCaption->setBuddy(cb_gehezu);
    Image10->setBuddy(cb_jahr);
    Image10->setText(QStringLiteral("&Jahr:"));
    cb_jahr->hide();
    Image10->hide();

    Label2 = makeLabel(central, "Label2", kLetzte10);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);

    listModel = new CatchListModel(this);
    auto* list = new ListView(central);
    ListView1 = list;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(listModel);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setShowGrid(true);
    ListView1->setSortingEnabled(false);
    ListView1->setWordWrap(false);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->verticalHeader()->hide();
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListView1->verticalHeader()->setDefaultSectionSize(ListView1->fontMetrics().height() + 4);
    ListView1->horizontalHeader()->setSectionsClickable(true);
    ListView1->horizontalHeader()->setHighlightSections(false);
    ListView1->horizontalHeader()->setStretchLastSection(true);
    const int widths[catchlist::kColumnCount] = {0, 80, 120, 80, 82, 90};
    for (int c = 1; c < catchlist::kColumnCount; ++c)
        ListView1->setColumnWidth(c, widths[c]);
    ListView1->setColumnHidden(catchlist::ColId, true);
    ListView1->setFixedWidth(474);
    list->onKeyDown = [this](int key) { ListView1KeyDown(key); };

    // Preview panel (right); its content comes with the catch details.
    Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFixedSize(280, 210);

    // Sum figures (right, under the preview).
    im_totangelzeit = makeLabel(central, "im_totangelzeit", QStringLiteral("Σ Angelzeit:"));
    im_angelzeit = makeLabel(central, "im_angelzeit", QStringLiteral("Angelzeit:"));
    im_angelzeit->hide();
    lb_angelzeit = makeLabel(central, "lb_angelzeit");
    lb_angelkosten = makeLabel(central, "lb_angelkosten");
    lb_summefischgewicht = makeLabel(central, "lb_summefischgewicht");
    lb_summefischlaenge = makeLabel(central, "lb_summefischlaenge");
    lb_anzahlfische = makeLabel(central, "lb_anzahlfische");
    auto* sums = new QGridLayout;
    sums->setHorizontalSpacing(8);
    sums->setVerticalSpacing(3);
    auto* timeCaptions = new QHBoxLayout;
    timeCaptions->setSpacing(0);
    timeCaptions->addWidget(im_totangelzeit);
    timeCaptions->addWidget(im_angelzeit);
    timeCaptions->addStretch(1);
    sums->addLayout(timeCaptions, 0, 0);
    sums->addWidget(lb_angelzeit, 0, 1);
    const std::pair<const char*, QLabel*> sumRows[] = {
        {"Angelkosten:", lb_angelkosten},
        {"Σ Fischgewicht:", lb_summefischgewicht},
        {"Σ Fischlänge:", lb_summefischlaenge},
        {"gefangene Fische:", lb_anzahlfische}};
    int r = 1;
    for (const auto& [caption, label] : sumRows) {
        sums->addWidget(makeLabel(central, nullptr, QString::fromUtf8(caption)), r, 0);
        sums->addWidget(label, r, 1);
        ++r;
    }
    sums->setColumnStretch(1, 1);

    // The ten "best" pairs (bottom), two columns of five rows; each _2 label follows its
    // _1 label at 4 pixels whatever the length of the text.
    auto* stats = new QGridLayout;
    stats->setHorizontalSpacing(8);
    stats->setVerticalSpacing(2);
    struct Pair {
        const char* caption;
        const char* first;
        const char* second;
        QLabel** l1;
        QLabel** l2;
    };
    const Pair pairs[] = {
        {"bester Fangtag:", "besterfangtag_1", "besterfangtag_2", &besterfangtag_1, &besterfangtag_2},
        {"beste Fangzeit:", "bestefangzeit_1", "bestefangzeit_2", &bestefangzeit_1, &bestefangzeit_2},
        {"beste Mondphase:", "bestemondphase_1", "bestemondphase_2", &bestemondphase_1, &bestemondphase_2},
        {"beste Fangmethode:", "bestefangmethode_1", "bestefangmethode_2", &bestefangmethode_1, &bestefangmethode_2},
        {"bestes Fangwetter:", "bestesfangwetter_1", "bestesfangwetter_2", &bestesfangwetter_1, &bestesfangwetter_2},
        {"bester Köder:", "besterkoeder_1", "besterkoeder_2", &besterkoeder_1, &besterkoeder_2},
        {"häufigster Fisch:", "hafischart_1", "hafischart_2", &hafischart_1, &hafischart_2},
        {"längster Fisch:", "lafisch_1", "lafisch_2", &lafisch_1, &lafisch_2},
        {"schwerster Fisch:", "schfisch_1", "schfisch_2", &schfisch_1, &schfisch_2},
        {"bester Fänger:", "besterfaenger_1", "besterfaenger_2", &besterfaenger_1, &besterfaenger_2}};
    QPalette green = pal;
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    for (int i = 0; i < 10; ++i) {
        const Pair& p = pairs[i];
        *p.l1 = makeLabel(central, p.first);
        *p.l2 = makeLabel(central, p.second);
        QFont italic = (*p.l2)->font();
        italic.setItalic(true);
        (*p.l2)->setFont(italic);
        (*p.l2)->setPalette(green);
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(*p.l1);
        row->addWidget(*p.l2);
        row->addStretch(1);
        const int gridRow = i % 5, gridCol = (i / 5) * 2;
        stats->addWidget(makeLabel(central, nullptr, QString::fromUtf8(p.caption)), gridRow, gridCol);
        stats->addLayout(row, gridRow, gridCol + 1);
    }
    stats->setColumnStretch(1, 1);
    stats->setColumnStretch(3, 1);
    stats->setColumnMinimumWidth(2, 0);

    auto* statsHeading = makeLabel(central, "im_statistik", QStringLiteral("Statistik:"));
    statsHeading->setFont(bold);

    // Assemble.
    auto* selectors = new QHBoxLayout;
    selectors->addWidget(viewCaption);
    selectors->addWidget(cb_gehezu);
    selectors->addSpacing(12);
    selectors->addWidget(Image10);
    selectors->addWidget(cb_jahr);
    selectors->addStretch(1);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addLayout(selectors);
    left->addWidget(Label2);
    left->addWidget(ListView1, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(Panel1);
    right->addLayout(sums);
    right->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addLayout(left);
    top->addLayout(right, 1);

    auto* line = new QFrame(central);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 6, 8, 10);
    layout->setSpacing(4);
    layout->addLayout(top, 1);
    layout->addWidget(line);
    layout->addWidget(statsHeading);
    layout->addLayout(stats);

    connect(cb_gehezu, &QComboBox::currentIndexChanged, this, &TfrmMain::cb_gehezuChange);
    connect(cb_jahr, &QComboBox::currentIndexChanged, this, &TfrmMain::cb_jahrChange);
    connect(ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfrmMain::ListView1ColumnClick);
    connect(ListView1, &QAbstractItemView::clicked, this, &TfrmMain::ListView1Click);
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this] {
        if (aDetails->isEnabled())
            aDetails->trigger();
    });
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TfrmMain::updateActions);
    connect(listModel, &QAbstractItemModel::modelReset, this, &TfrmMain::updateActions);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos));
    });
}

void TfrmMain::buildMenus()
{
    auto action = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(false);
        return a;
    };
    auto submenu = [](QMenu* menu, const char* name, const QString& text) {
        QMenu* m = menu->addMenu(text);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
        return m;
    };

    mnuDatei = menuBar()->addMenu(QStringLiteral("&Datei"));
    mnuDatei->setObjectName(QStringLiteral("mnuDatei"));
    aDBSelect = action(mnuDatei, "aDBSelect", QStringLiteral("Fischkladde &Datenbank auswählen"));
    aAKDBSelect = action(mnuDatei, "aAKDBSelect", QStringLiteral("&Angelkosten Datenbank auswählen"));
    mnuDatei->addSeparator();
    aBackupErstellen = action(mnuDatei, "aBackupErstellen", QStringLiteral("Backup &erstellen"));
    aBackupLaden = action(mnuDatei, "aBackupLaden", QStringLiteral("Backup &laden"));
    mnuDatei->addSeparator();
    aFanglisteErstellen = action(mnuDatei, "aFanglisteErstellen", QStringLiteral("&Fangliste erstellen"));
    mnuDatei->addSeparator();
    aBeenden = action(mnuDatei, "aBeenden", QStringLiteral("&Beenden"));

    mnuFang = menuBar()->addMenu(QStringLiteral("&Fang"));
    mnuFang->setObjectName(QStringLiteral("mnuFang"));
    aHinzufuegen = action(mnuFang, "aHinzufuegen", QStringLiteral("&Hinzufügen"));
    aDetails = action(mnuFang, "aDetails", QStringLiteral("Detail&s"));
    aDuplizieren = action(mnuFang, "aDuplizieren", QStringLiteral("D&uplizieren"));
    aBearbeiten = action(mnuFang, "aBearbeiten", QStringLiteral("&Bearbeiten"));
    aLoeschen = action(mnuFang, "aLoeschen", QStringLiteral("&Löschen"));
    mnuFang->addSeparator();
    aSuchen = action(mnuFang, "aSuchen", QStringLiteral("Su&chen"));
    mnuFang->addSeparator();
    mnuAuswerten = submenu(mnuFang, "mnuAuswerten", QStringLiteral("Fischkladde &auswerten"));
    aAuswertenPDF = action(mnuAuswerten, "aAuswertenPDF", QStringLiteral("Als &PDF"));
    aAuswertenHTML = action(mnuAuswerten, "aAuswertenHTML", QStringLiteral("Als &HTML"));
    aAuswertenHTML->setVisible(false);
    mnuExportieren = submenu(mnuFang, "mnuExportieren", QStringLiteral("Fischkladde e&xportieren"));
    aExportXML = action(mnuExportieren, "aExportXML", QStringLiteral("Als &XML"));
    mnuExportieren->menuAction()->setVisible(false);
    mnuImportieren = submenu(mnuFang, "mnuImportieren", QStringLiteral("Fischkladde &importieren"));
    aImportXML = action(mnuImportieren, "aImportXML", QStringLiteral("aus &XML"));
    mnuImportieren->menuAction()->setVisible(false);
    mnuFang->addSeparator();
    mnuKarte = submenu(mnuFang, "mnuKarte", QStringLiteral("&Karte"));
    aBissliste = action(mnuFang, "aBissliste", QStringLiteral("Bisslis&te"));

    mnuAngelkosten = menuBar()->addMenu(QStringLiteral("&Angelkosten"));
    mnuAngelkosten->setObjectName(QStringLiteral("mnuAngelkosten"));
    aAKHinzufuegen = action(mnuAngelkosten, "aAKHinzufuegen", QStringLiteral("&Hinzufügen"));
    aAKJahresuebersicht = action(mnuAngelkosten, "aAKJahresuebersicht", QStringLiteral("&Jahresübersicht"));
    aAKUebersicht = action(mnuAngelkosten, "aAKUebersicht", QStringLiteral("&Übersicht"));
    mnuAngelkosten->setDefaultAction(aAKUebersicht);
    aAKSuchen = action(mnuAngelkosten, "aAKSuchen", QStringLiteral("&Suchen"));
    mnuAngelkosten->addSeparator();
    mnuAKAuswerten = submenu(mnuAngelkosten, "mnuAKAuswerten", QStringLiteral("&Auswerten"));
    aAKAlsPDF = action(mnuAKAuswerten, "aAKAlsPDF", QStringLiteral("Angelkosten als &PDF"));
    aAKJahrPDF = action(mnuAKAuswerten, "aAKJahrPDF", QStringLiteral("&Jahresübersicht als PDF"));
    mnuAKExportieren = submenu(mnuAngelkosten, "mnuAKExportieren", QStringLiteral("Angelkosten &exportieren"));
    aAKExportXML = action(mnuAKExportieren, "aAKExportXML", QStringLiteral("Als &XML"));
    mnuAKImportieren = submenu(mnuAngelkosten, "mnuAKImportieren", QStringLiteral("Angelkosten &importieren"));
    aAKImportXML = action(mnuAKImportieren, "aAKImportXML", QStringLiteral("aus &XML"));

    mnuEinstellungen = menuBar()->addMenu(QStringLiteral("&Einstellungen"));
    mnuEinstellungen->setObjectName(QStringLiteral("mnuEinstellungen"));
    aFaenger = action(mnuEinstellungen, "aFaenger", QStringLiteral("&Fänger"));
    aFangmethoden = action(mnuEinstellungen, "aFangmethoden", QStringLiteral("Fang&methoden"));
    aFischarten = action(mnuEinstellungen, "aFischarten", QStringLiteral("F&ischarten"));
    aGewaesser = action(mnuEinstellungen, "aGewaesser", QStringLiteral("&Gewässer"));
    aKoeder = action(mnuEinstellungen, "aKoeder", QStringLiteral("&Köder"));
    aStelle = action(mnuEinstellungen, "aStelle", QStringLiteral("&Stelle"));
    aWetter = action(mnuEinstellungen, "aWetter", QStringLiteral("&Wetter"));
    mnuEinstellungen->addSeparator();
    aFehlerverfolgung = action(mnuEinstellungen, "aFehlerverfolgung", QStringLiteral("Fehler&verfolgung"));
    aFehlerverfolgung->setCheckable(true);

    mnuStatistik = menuBar()->addMenu(QStringLiteral("&Statistik"));
    mnuStatistik->setObjectName(QStringLiteral("mnuStatistik"));
    mnuStatistikAuswerten = submenu(mnuStatistik, "mnuStatistikAuswerten", QStringLiteral("&Auswerten"));
    mnuStatistikAuswerten->menuAction()->setData(kTagAuswerten);
    aStatistikPDF = action(mnuStatistikAuswerten, "aStatistikPDF", QStringLiteral("Als &PDF"));
    aStatistikPDF->setData(kTagAuswerten);

    mnuHilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    mnuHilfe->setObjectName(QStringLiteral("mnuHilfe"));
    aSpenden = action(mnuHilfe, "aSpenden", QStringLiteral("Den &Autor unterstützen"));
    aHilfe = action(mnuHilfe, "aHilfe", QStringLiteral("&Hilfe.."));
    aAbout = action(mnuHilfe, "aAbout", QStringLiteral("Ü&ber Fischkladde..."));

    // Context menu of the list.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(aDetails);
    PopupMenu1->setDefaultAction(aDetails);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(aBearbeiten);
    PopupMenu1->addAction(aLoeschen);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(aDuplizieren);

    // What this window does itself.
    wireAction(aDBSelect, [this] { openDatabaseDialog(catchdb::Kind::Catches); });
    wireAction(aAKDBSelect, [this] { openDatabaseDialog(catchdb::Kind::Costs); });
    wireAction(aBeenden, [this] { close(); });
    using lookup::ListKind;
    const std::pair<QAction*, ListKind> editors[] = {
        {aGewaesser, ListKind::Gewaesser}, {aFaenger, ListKind::Faenger}, {aFangmethoden, ListKind::Fangmethode},
        {aKoeder, ListKind::Koeder},       {aStelle, ListKind::Stelle},   {aWetter, ListKind::Wetter},
        {aFischarten, ListKind::Fischarten}};
    for (const auto& [a, kind] : editors) {
        const ListKind k = kind;
        wireAction(a, [this, k] { openListEditor(k); });
    }
    aFehlerverfolgung->setEnabled(true);
    m_wired.append(aFehlerverfolgung);
    connect(aFehlerverfolgung, &QAction::triggered, this, &TfrmMain::Fehlerverfolgung1Click);
    wireAction(aSpenden, [this] {
        trace::step(QStringLiteral("Main: Spenden"));
        frmSpenden->exec();
    });
    wireAction(aHilfe, [this] { Hilfe1Click(); });
    wireAction(aAbout, [this] {
        trace::step(QStringLiteral("Main: About"));
        frmAbout->exec();
    });
    connect(aDetails, &QAction::triggered, this, [this] { guarded([this] { openDetails(selectedRow()); }); });
}

// ---- actions -----------------------------------------------------------------------------

void TfrmMain::wireAction(QAction* action, const std::function<void()>& handler)
{
    connect(action, &QAction::triggered, this, [handler] { guarded(handler); });
    if (!m_wired.contains(action))
        m_wired.append(action);
    if ((action == aDuplizieren || action == aBearbeiten || action == aLoeschen || action == aDetails)
        && !m_selectionActions.contains(action))
        m_selectionActions.append(action);
    updateActions();
}

void TfrmMain::updateActions()
{
    const bool selected = selectedRow() > 0;
    for (QAction* a : {aDetails, aBearbeiten, aLoeschen, aDuplizieren}) {
        const bool available = a == aDetails || m_selectionActions.contains(a);
        a->setEnabled(selected && available);
    }
    for (QAction* a : m_wired)
        if (!m_selectionActions.contains(a))
            a->setEnabled(true);
    // Statistik items and map entries open windows of their own.
    for (QAction* a : mnuStatistik->actions())
        if (!a->isSeparator() && a->data().toInt() != kTagAuswerten)
            a->setEnabled(bool(onStatistik));
    for (QAction* a : mnuKarte->actions())
        a->setEnabled(bool(onKarte));
    // A submenu is usable when one of its items is.
    for (QMenu* m : {mnuAuswerten, mnuExportieren, mnuImportieren, mnuKarte, mnuAKAuswerten, mnuAKExportieren,
                     mnuAKImportieren, mnuStatistikAuswerten}) {
        bool any = false;
        for (QAction* a : m->actions())
            any = any || (a->isEnabled() && a->isVisible() && !a->isSeparator());
        m->menuAction()->setEnabled(any);
    }
}

int TfrmMain::selectedRow() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : listModel->idAt(rows.first().row());
}

void TfrmMain::openDetails(int row)
{
    if (row <= 0)
        return;
    trace::step(QStringLiteral("Main: Details(%1)").arg(row));
    frmDetails->showDetails(row);
}

// ---- start and end -----------------------------------------------------------------------

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        if (QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
        QTimer::singleShot(0, this, &TfrmMain::FormShow);
    }
}

void TfrmMain::FormShow()
{
    if (!m_startupError.isEmpty())
        userInteraction().warning(this, m_startupError + QStringLiteral("\n\nEs wurden keine Daten verändert."),
                                  QStringLiteral("Fischkladde"));
    if ((m_session.dbPath.isEmpty() || m_session.akdbPath.isEmpty()) && m_firstRun) {
        m_firstRun();
    } else if (m_session.dbPath.isEmpty() || m_session.akdbPath.isEmpty()) {
        // Without a setup assistant the database dialog takes its place.
        const bool catches = m_session.dbPath.isEmpty();
        userInteraction().information(
            this,
            catches ? QStringLiteral("Es wurde keine Fischkladde Datenbank gefunden.\n"
                                     "Bitte wählen Sie eine vorhandene Datenbank aus oder erstellen Sie eine neue.")
                    : QStringLiteral("Es wurde keine Angelkosten Datenbank gefunden.\n"
                                     "Bitte wählen Sie eine vorhandene Datenbank aus oder erstellen Sie eine neue."),
            QStringLiteral("Datenbank"));
        openDatabaseDialog(catches ? catchdb::Kind::Catches : catchdb::Kind::Costs);
        if (catches && m_session.akdbPath.isEmpty() && !m_session.dbPath.isEmpty()) {
            userInteraction().information(
                this,
                QStringLiteral("Es wurde keine Angelkosten Datenbank gefunden.\n"
                               "Bitte wählen Sie eine vorhandene Datenbank aus oder erstellen Sie eine neue."),
                QStringLiteral("Datenbank"));
            openDatabaseDialog(catchdb::Kind::Costs);
        }
    }
    // A broken date in the years must not keep the list from showing.
    guarded([this] { LoadSelectors(); });
    guarded([this] { ShowLastEntries(); });
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (trace::enabled())
        Trace(QStringLiteral("----- end -----"));
    QMainWindow::closeEvent(event);
}

// ---- list routines -----------------------------------------------------------------------

void TfrmMain::ShowLastEntries()
{
    trace::step(QStringLiteral("Main: Letzefaenge"));
    listModel->setRows(catchlist::lastEntries(m_session.DB));
    if (m_session.DB.RowCount() == 0) {
        // A new or empty database: no figures of the previous one may stay.
        clearOverview();
        return;
    }
    if (m_session.dbPath.isEmpty())
        return;
    lb_anzahlfische->setText(QString::number(m_session.DB.RowCount()));
    std::exception_ptr failure;
    try {
        RefreshOverview(QString(), 0);
    } catch (...) {
        failure = std::current_exception();
    }
    lb_anzahlfische->setText(QString::number(m_session.DB.RowCount()));
    RebuildKarteMenu();
    if (failure)
        std::rethrow_exception(failure);
}

void TfrmMain::ShowCatches(const QString& filter, int year)
{
    trace::step(QStringLiteral("Main: Display (%1;%2)").arg(filter).arg(year));
    listModel->clear();
    listModel->setRows(catchlist::catches(m_session.DB, filter, year));
    const int count = listModel->rowCount();
    lb_anzahlfische->setText(QString::number(count));
    std::exception_ptr failure;
    try {
        if (count > 0) {
            RefreshOverview(filter == catchlist::kAllAnglers ? QString() : filter, year);
        } else if (filter != catchlist::kAllAnglers) {
            lb_angelzeit->clear();
            lb_summefischgewicht->clear();
            lb_summefischlaenge->clear();
        }
    } catch (...) {
        failure = std::current_exception();
    }
    sortMode = catchlist::SortMode::Date;
    reverseFlags[catchlist::ColFangdatum] = true;
    sortList(catchlist::ColFangdatum, sortMode, true);
    RebuildKarteMenu();
    if (failure)
        std::rethrow_exception(failure);
}

void TfrmMain::LoadSelectors()
{
    trace::step(QStringLiteral("Main: Load CB"));
    const QString anglerFile = lookup::listPath(QStringLiteral("Faenger"));
    if (QFileInfo::exists(anglerFile)) {
        const QStringList anglers = lookup::readList(anglerFile);
        for (QAction* a : mnuStatistik->actions())
            if (a->data().toInt() != kTagAuswerten) {
                mnuStatistik->removeAction(a);
                if (a->parent() == mnuStatistik)
                    delete a;
            }
        {
            const QSignalBlocker block(cb_gehezu);
            cb_gehezu->clear();
            cb_gehezu->addItem(kUebersicht);
            cb_gehezu->addItem(kAlleFaenge);
        }
        auto add = [this](const QString& caption, host::StatistikMode mode) {
            QAction* a = mnuStatistik->addAction(caption);
            a->setData(int(mode));
            connect(a, &QAction::triggered, this, [this, a] {
                trace::step(QStringLiteral("Main: Statistik klick(%1)").arg(a->data().toInt()));
                if (onStatistik)
                    guarded([this, a] { onStatistik(a); });
            });
        };
        add(QStringLiteral("Wann angeln gehen?"), host::StatistikMode::Empfehlung);
        mnuStatistik->addSeparator();
        add(QStringLiteral("Gesamt"), host::StatistikMode::Gesamt);
        mnuStatistik->addSeparator();
        for (const QString& angler : anglers) {
            // A blank line names nobody.
            if (angler.trimmed().isEmpty())
                continue;
            const QSignalBlocker block(cb_gehezu);
            cb_gehezu->addItem(angler);
            add(angler, host::StatistikMode::Faenger);
        }
    }
    mnuStatistik->addSeparator();
    mnuStatistik->removeAction(mnuStatistikAuswerten->menuAction());
    mnuStatistik->addAction(mnuStatistikAuswerten->menuAction());
    {
        const QSignalBlocker block(cb_gehezu);
        cb_gehezu->setCurrentIndex(cb_gehezu->findText(kUebersicht));
    }
    updateActions();
    LoadYears(QString());
}

void TfrmMain::LoadYears(const QString& angler)
{
    trace::step(QStringLiteral("Main: Jahr CB laden (%1)").arg(angler));
    const QList<int> years = catchlist::years(m_session.DB, angler);
    const QSignalBlocker block(cb_jahr);
    cb_jahr->clear();
    cb_jahr->addItem(kAlleJahre);
    for (int y : years)
        cb_jahr->addItem(QStringLiteral("%1").arg(y, 4, 10, QLatin1Char('0')));
    cb_jahr->setCurrentIndex(0);
}

void TfrmMain::RebuildKarteMenu()
{
    trace::step(QStringLiteral("Main: Gewässer"));
    for (QAction* a : mnuKarte->actions()) {
        mnuKarte->removeAction(a);
        delete a;
    }
    lookup::SortedUniqueList waters;
    for (const QString& w : lookup::readNamedList(QStringLiteral("Gewaesser")))
        if (!w.isEmpty())
            waters.add(w);
    for (const QString& w : waters.values()) {
        QAction* a = mnuKarte->addAction(w);
        connect(a, &QAction::triggered, this, [this, w] {
            trace::step(QStringLiteral("Main: Karte"));
            if (onKarte)
                guarded([this, w] { onKarte(w); });
        });
    }
    updateActions();
}

void TfrmMain::RefreshOverview(const QString& angler, int year)
{
    trace::step(QStringLiteral("Main: Statistik (%1;%2)").arg(angler).arg(year));
    if (m_session.DB.RowCount() == 0)
        return;
    QStringList anglers;
    for (int i = 2; i < cb_gehezu->count(); ++i)
        anglers << cb_gehezu->itemText(i);
    const overview::Lists lists = overview::readLists(anglers);
    // A conversion error here leaves every figure as it was.
    const overview::CatchFigures f = overview::countCatches(m_session.DB, lists, angler, year);
    lb_summefischgewicht->setText(f.weightSum);
    lb_summefischlaenge->setText(f.lengthSum);
    QLabel* const pairs[overview::FigureCount][2] = {
        {besterfangtag_1, besterfangtag_2},       {bestefangzeit_1, bestefangzeit_2},
        {bestemondphase_1, bestemondphase_2},     {bestefangmethode_1, bestefangmethode_2},
        {bestesfangwetter_1, bestesfangwetter_2}, {besterkoeder_1, besterkoeder_2},
        {hafischart_1, hafischart_2},             {lafisch_1, lafisch_2},
        {schfisch_1, schfisch_2},                 {besterfaenger_1, besterfaenger_2}};
    // Each _2 label sits in the row layout 4 pixels after its _1 label, which sizes to its text.
    for (int i = 0; i < overview::FigureCount; ++i) {
        pairs[i][0]->setText(f.pairs[size_t(i)].first);
        pairs[i][1]->setText(f.pairs[size_t(i)].second);
    }
    lb_angelkosten->setText(overview::costSum(m_session.AKDB));
    const QString fishingTime = overview::fishingTime(f.outingDurations);
    im_totangelzeit->hide();
    im_angelzeit->show();
    lb_angelzeit->setText(fishingTime);
}

void TfrmMain::buildCatchDetails()
{
    previewPanel = new PreviewPanel(m_session, Panel1);
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(previewPanel);
    frmDetails = new TfrmDetails(m_session, this);
}

void TfrmMain::refreshCatchView()
{
    if (cb_jahr->isHidden())
        ShowLastEntries();
    else
        ShowCatches(currentFilter(), currentYear());
}

void TfrmMain::clearOverview()
{
    for (QLabel* l : {lb_angelzeit, lb_angelkosten, lb_summefischgewicht, lb_summefischlaenge, lb_anzahlfische,
                      besterfangtag_1, besterfangtag_2, bestefangzeit_1, bestefangzeit_2, bestemondphase_1,
                      bestemondphase_2, bestefangmethode_1, bestefangmethode_2, bestesfangwetter_1,
                      bestesfangwetter_2, besterkoeder_1, besterkoeder_2, hafischart_1, hafischart_2, lafisch_1,
                      lafisch_2, schfisch_1, schfisch_2, besterfaenger_1, besterfaenger_2})
        l->clear();
}

// ---- handlers ----------------------------------------------------------------------------

QString TfrmMain::currentFilter() const
{
    const int i = cb_gehezu->currentIndex();
    if (i <= 0)
        return QString();
    return cb_gehezu->currentText() == kAlleFaenge ? catchlist::kAllAnglers : cb_gehezu->currentText();
}

int TfrmMain::currentYear() const
{
    return cb_jahr->isHidden() || cb_jahr->currentIndex() <= 0 ? 0 : cb_jahr->currentText().toInt();
}

void TfrmMain::setFullViewVisible(bool visible)
{
    cb_jahr->setVisible(visible);
    Image10->setVisible(visible);
}

void TfrmMain::showOverviewView()
{
    setFullViewVisible(false);
    ShowLastEntries();
    Label2->setText(kLetzte10);
}

void TfrmMain::databaseChanged()
{
    guarded([this] { LoadSelectors(); });
    guarded([this] { showOverviewView(); });
}

void TfrmMain::cb_gehezuChange()
{
    trace::step(QStringLiteral("Main: Gehezu change"));
    guarded([this] {
        const QString text = cb_gehezu->currentText();
        if (cb_gehezu->currentIndex() < 0)
            return;
        if (text == kUebersicht) {
            showOverviewView();
        } else if (text == kAlleFaenge) {
            setFullViewVisible(true);
            LoadYears(QString());
            ShowCatches(catchlist::kAllAnglers, 0);
            Label2->setText(QStringLiteral("Alle Fänge:"));
        } else {
            setFullViewVisible(true);
            ShowCatches(text, 0);
            Label2->setText(QStringLiteral("Alle Fänge von ") + text);
            LoadYears(text);
        }
    });
}

void TfrmMain::cb_jahrChange()
{
    trace::step(QStringLiteral("Main: Jahr ändern"));
    guarded([this] {
        const QString filter =
            cb_gehezu->currentText() == kAlleFaenge ? catchlist::kAllAnglers : cb_gehezu->currentText();
        const int year = cb_jahr->currentIndex() <= 0 ? 0 : cb_jahr->currentText().toInt();
        ShowCatches(filter, year);
    });
}

void TfrmMain::sortList(int column, catchlist::SortMode mode, bool reverse)
{
    const int selected = selectedRow();
    const qint64 comparisons = listModel->sort(column, mode, reverse);
    if (trace::enabled())
        for (qint64 i = 0; i < comparisons; ++i)
            Trace(QStringLiteral("Main: LV Sort"));
    if (selected > 0) {
        const int listRow = listModel->listRowOf(selected);
        if (listRow >= 0) {
            ListView1->selectRow(listRow);
            ListView1->scrollTo(listModel->index(listRow, 1));
        }
    }
}

void TfrmMain::ListView1ColumnClick(int column)
{
    trace::step(QStringLiteral("Main: LV ColumClick(%1)").arg(column));
    if (column < 0 || column >= catchlist::kColumnCount)
        return;
    sortMode = catchlist::modeForColumn(column);
    sortList(column, sortMode, reverseFlags[size_t(column)]);
    reverseFlags[size_t(column)] = !reverseFlags[size_t(column)];
}

void TfrmMain::ListView1Click()
{
    trace::step(QStringLiteral("Main: LV Click"));
    const int row = selectedRow();
    if (row > 0)
        guarded([this, row] { previewPanel->showPreview(row); });
}

void TfrmMain::ListView1KeyDown(int key)
{
    if (key == Qt::Key_Delete && aLoeschen->isEnabled())
        aLoeschen->trigger();
    trace::step(QStringLiteral("Main: LV1 KeyDown"));
}

void TfrmMain::Fehlerverfolgung1Click(bool checked)
{
    if (checked) {
        userInteraction().information(
            this, QStringLiteral("Die Fehlerverfolgung ist jetzt angeschaltet.\n"
                                 "Das bedeutet jeder Schritt den sie mit dem Programm ausführen wird protokoliert.\n"
                                 "Sie sollten diese Funktion nur aktivieren wenn ein Fehler aufgetreten ist.\n"
                                 "Das hilft mir den Fehler leichter ausfindig zu machen"),
            QStringLiteral("Fehlerverfolgung"));
        Trace(QStringLiteral("---- begin ----"));
        trace::setEnabled(true);
    } else {
        userInteraction().information(this, QStringLiteral("Die Fehlerverfolgung ist jetzt ausgeschaltet"),
                                      QStringLiteral("Fehlerverfolgung"));
        trace::setEnabled(false);
        Trace(QStringLiteral("---- end ----"));
    }
}

void TfrmMain::Hilfe1Click()
{
    trace::step(QStringLiteral("Main: Anleitung"));
    const QString path = ProgramFolder::file(QStringLiteral("Anleitung.pdf"));
    if (!QFileInfo(path).isFile()) {
        userInteraction().information(this, QStringLiteral("Hilfe Datei nicht gefunden!"), QStringLiteral("Hilfe"));
        return;
    }
    if (!userInteraction().openDocument(path))
        userInteraction().warning(this,
                                  QStringLiteral("Die Hilfe Datei \"%1\" konnte nicht geöffnet werden. Bitte öffnen "
                                                 "Sie sie mit einem PDF-Programm.")
                                      .arg(QDir::toNativeSeparators(path)),
                                  QStringLiteral("Hilfe"));
}

void TfrmMain::openListEditor(lookup::ListKind kind)
{
    trace::step(QStringLiteral("Main: Einstellungen(%1)").arg(int(kind)));
    frmCBox->setKind(kind);
    frmCBox->exec();
}

void TfrmMain::openDatabaseDialog(catchdb::Kind kind)
{
    trace::step(kind == catchdb::Kind::Catches ? QStringLiteral("Main: DB Select Tag(0)")
                                               : QStringLiteral("Main: AKDB Select(1)"));
    frmDBSelect->setKind(kind);
    frmDBSelect->exec();
}
