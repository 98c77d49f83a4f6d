// The main window's controls and menus; what they do is in TfrmMain.cpp.
#include "ui/main/TfrmMain.h"
#include "ui/common/FkApplication.h"
#include "ui/main/CatchListModel.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTableView>
#include <QVBoxLayout>

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
        if (event->key() != Qt::Key_Delete && event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
            QTableView::keyPressEvent(event);
        if (onKeyDown)
            onKeyDown(event->key());
    }
};

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

using namespace mainview;

void TfrmMain::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, Qt::white);
    central->setPalette(pal);
    // Opens at this size and may grow; the list and the preview take the room.
    central->setMinimumSize(778, 474);
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
    auto* viewCaption = makeLabel(central, nullptr, QStringLiteral("A&nsicht:"));
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
    ListView1->horizontalHeader()->setSortIndicatorShown(true);
    ListView1->horizontalHeader()->setHighlightSections(false);
    ListView1->horizontalHeader()->setStretchLastSection(true);
    const int widths[catchlist::kColumnCount] = {0, 80, 120, 80, 82, 90};
    for (int c = 1; c < catchlist::kColumnCount; ++c)
        ListView1->setColumnWidth(c, widths[c]);
    ListView1->setColumnHidden(catchlist::ColId, true);
    ListView1->setMinimumWidth(474);
    list->onKeyDown = [this](int key) { ListView1KeyDown(key); };

    // Preview panel (right); its content comes with the catch details.
    Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setMinimumSize(280, 210);
    Panel1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

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
    right->addWidget(Panel1, 1);
    right->addLayout(sums);

    // Extra width goes to list and preview in the proportions of the first size.
    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addLayout(left, 474);
    top->addLayout(right, 280);

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
    // The preview always shows the selected catch, whether chosen by mouse or keyboard, and
    // nothing when no catch is selected (after a delete, an edit, another database).
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TfrmMain::previewSelected);
    connect(listModel, &QAbstractItemModel::modelReset, this, &TfrmMain::previewSelected);
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
    connect(aDetails, &QAction::triggered, this, [this] { FkApplication::guarded([this] { openDetails(selectedRow()); }); });
}

