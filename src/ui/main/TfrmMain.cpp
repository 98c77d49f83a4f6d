#include "ui/main/TfrmMain.h"
#include "ui/common/FkApplication.h"
#include "ui/common/Mnemonics.h"
#include "ui/common/UserInteraction.h"
#include "ui/lists/TfrmCBox.h"
#include "ui/lists/TfrmDBSelect.h"
#include "ui/main/PreviewPanel.h"
#include "ui/main/TfrmDetails.h"
#include "ui/main/CatchListModel.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "data/Trace.h"
#include "data/ValuePlace.h"
#include "data/WindowPlace.h"
#include "base/Win1252.h"
#include "stats/Overview.h"
#include "base/FkError.h"
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
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
#include <algorithm>
#include <exception>

using namespace mainview;

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
    buildCatchDetails();
    connect(frmDBSelect, &TfrmDBSelect::catchDatabaseChanged, this, &TfrmMain::databaseChanged);
    // Another cost database: the overview for all anglers and all years.
    connect(frmDBSelect, &TfrmDBSelect::costDatabaseChanged, this,
            [this] { FkApplication::guarded([this] { RefreshOverview(QString(), 0); }); });
    connect(frmCBox, &TfrmCBox::listSaved, this, [this](lookup::ListKind kind) {
        FkApplication::guarded([this, kind] {
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
    // A stored value that does not convert is named with its row and field.
    FkApplication::setConversionPlace([this](const QString& m) { return catchrec::withPlace(m_session.DB, m); });
    host::installFamilies(*this);
    updateActions();
    resize(minimumSizeHint());
}

TfrmMain::~TfrmMain()
{
    FkApplication::setConversionPlace({});
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
            handler(mode, mode == host::StatistikMode::Faenger ? item->property("name").toString() : QString());
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
            FkApplication::guarded([this] { RebuildKarteMenu(); });
        if (what.testFlag(host::Change::Catches))
            FkApplication::guarded([this] { refreshCatchView(); });
        if (what.testFlag(host::Change::Costs))
            lb_angelkosten->setText(overview::costSum(m_session.AKDB));
    }
    for (const auto& listener : m_listeners)
        listener(what);
}

// ---- actions -----------------------------------------------------------------------------

void TfrmMain::wireAction(QAction* action, const std::function<void()>& handler)
{
    connect(action, &QAction::triggered, this, [handler] { FkApplication::guarded(handler); });
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
        placeWindow();
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
    FkApplication::guarded([this] { LoadSelectors(); });
    FkApplication::guarded([this] { ShowLastEntries(); });
}

void TfrmMain::placeWindow()
{
    const auto place = readWindowPlace(IniFile::settings(), minimumSizeHint());
    if (place && QGuiApplication::screenAt(place->normal.center())) {
        setGeometry(place->normal);
        if (place->maximised)
            setWindowState(windowState() | Qt::WindowMaximized);
    } else if (QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (m_shown) {
        try {
            writeWindowPlace(IniFile::settings(), {normalGeometry(), isMaximized()});
        } catch (const FkError& e) {
            // Not worth holding up the exit for; the next start opens at the first size.
            Trace(QStringLiteral("Fensterlage nicht gespeichert: ") + e.message());
        }
    }
    if (trace::enabled())
        Trace(QStringLiteral("----- end -----"));
    QMainWindow::closeEvent(event);
}

// ---- list routines -----------------------------------------------------------------------

void TfrmMain::ShowLastEntries()
{
    trace::step(QStringLiteral("Main: Letzefaenge"));
    listModel->setRows(m_session.DB, catchlist::lastEntries(m_session.DB));
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
    std::vector<qint64> days;
    std::vector<int> rows = catchlist::catches(m_session.DB, filter, year, &days);
    listModel->setRows(m_session.DB, std::move(rows), std::move(days));
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
        // "A" belongs to the "Auswerten" submenu at the end.
        QString taken = QStringLiteral("a");
        auto add = [this, &taken](const QString& caption, host::StatistikMode mode) {
            QAction* a = mnuStatistik->addAction(mnemonics::menuText(caption, taken));
            a->setData(int(mode));
            a->setProperty("name", caption);
            connect(a, &QAction::triggered, this, [this, a] {
                trace::step(QStringLiteral("Main: Statistik klick(%1)").arg(a->data().toInt()));
                if (onStatistik)
                    FkApplication::guarded([this, a] { onStatistik(a); });
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
    QString taken;
    for (const QString& w : waters.values()) {
        QAction* a = mnuKarte->addAction(mnemonics::menuText(w, taken));
        a->setProperty("name", w);
        connect(a, &QAction::triggered, this, [this, w] {
            trace::step(QStringLiteral("Main: Karte"));
            if (onKarte)
                FkApplication::guarded([this, w] { onKarte(w); });
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
    if (cb_jahr->isHidden()) {
        ShowLastEntries();
        return;
    }
    // A catch of a year not in the log yet adds that year at once; the chosen year stays.
    const QString year = cb_jahr->currentText();
    LoadYears(cb_gehezu->currentText() == kAlleFaenge ? QString() : cb_gehezu->currentText());
    {
        const QSignalBlocker block(cb_jahr);
        cb_jahr->setCurrentIndex(std::max(0, cb_jahr->findText(year)));
    }
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
    FkApplication::guarded([this] { LoadSelectors(); });
    FkApplication::guarded([this] { showOverviewView(); });
}

void TfrmMain::cb_gehezuChange()
{
    trace::step(QStringLiteral("Main: Gehezu change"));
    FkApplication::guarded([this] {
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
    FkApplication::guarded([this] {
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
    // The header shows which column orders the list, and which way.
    ListView1->horizontalHeader()->setSortIndicator(column, reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
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
}

void TfrmMain::previewSelected()
{
    const int row = selectedRow();
    if (row == m_previewRow && row > 0)
        return;
    m_previewRow = row;
    if (row > 0)
        FkApplication::guarded([this, row] { previewPanel->showPreview(row); });
    else
        previewPanel->clearPreview();
}

void TfrmMain::ListView1KeyDown(int key)
{
    if (key == Qt::Key_Delete && aLoeschen->isEnabled())
        aLoeschen->trigger();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedRow() > 0)
        FkApplication::guarded([this] { openDetails(selectedRow()); });
    trace::step(QStringLiteral("Main: LV1 KeyDown"));
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
