#pragma once
// The main window: owns the session, shows the catch list with its views, year filter and
// sorting, the overview figures and the preview, and opens every other window.
#include "data/CatchListView.h"
#include "data/CatchDatabase.h"
#include "data/Session.h"
#include "ui/common/WindowHost.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <vector>

class CatchListModel;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QTableView;
class PreviewPanel;
class TfrmDetails;
class TfrmCBox;
class TfrmDBSelect;

namespace mainview {
inline const QString kUebersicht = QStringLiteral("--Übersicht--");
inline const QString kAlleFaenge = QStringLiteral("-Alle Fänge-");
inline const QString kAlleJahre = QStringLiteral("-Alle-");
inline const QString kLetzte10 = QStringLiteral("Die letzten 10 Einträge:");
// The data of the "Auswerten" items of the Statistik menu, which the angler rebuild keeps.
inline constexpr int kTagAuswerten = int(host::StatistikMode::Auswerten);
} // namespace mainview

class TfrmMain : public QMainWindow, public WindowHost {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // ---- WindowHost ----
    Session& session() override { return m_session; }
    QWidget* window() override { return this; }
    QAction* menuAction(const QString& objectName) const override;
    QMenu* menu(const QString& objectName) const override;
    void openListEditor(lookup::ListKind kind) override;
    void setStatistikHandler(std::function<void(host::StatistikMode, const QString&)> handler) override;
    void setKarteHandler(std::function<void(const QString&)> handler) override;
    void setFirstRunHandler(std::function<void()> handler) override { m_firstRun = std::move(handler); }
    void notifyChanged(host::Changes what) override;
    void subscribe(std::function<void(host::Changes)> listener) override { m_listeners.push_back(std::move(listener)); }

    const catchdb::StartupResult& startupResult() const { return m_startup; }

    // ---- list routines, called by other windows after they changed DB ----
    // The ten most recently appended rows, newest first; overview for all anglers.
    void ShowLastEntries();
    // The full view for "Alle" or one angler, year 0 for all years, newest day first.
    // Raises EConvertError for a Fangdatum that cannot be parsed.
    void ShowCatches(const QString& filter, int year);
    // Refills cb_gehezu, the Statistik menu and cb_jahr from the angler list.
    void LoadSelectors();
    void LoadYears(const QString& angler);
    // Rebuilds the "Karte" submenu from the water list.
    void RebuildKarteMenu();
    // The overview figures for one angler (empty: all) and year (0: all).
    void RefreshOverview(const QString& angler, int year);
    // Empties every overview figure label.
    void clearOverview();

    // DB row number of the selected catch, 0 when none is selected.
    int selectedRow() const override;
    // Details of a catch (aDetails, double-click, other windows): step line, then the window.
    void openDetails(int row) override;

    // Connects an action to its handler and makes it available: menu items are enabled at
    // once, the four actions of the selected catch whenever a catch is selected. Items that
    // are never wired stay disabled.
    void wireAction(QAction* action, const std::function<void()>& handler) override;
    // Re-evaluates which menus and actions can be used (after setting a hook below).
    void updateActions();


    // ---- controls ----
    QComboBox* cb_gehezu;
    QComboBox* cb_jahr;
    QLabel* Image10;
    QLabel* Label2;
    QTableView* ListView1;
    CatchListModel* listModel;
    QFrame* Panel1; // preview of the selected catch
    QMenu* PopupMenu1; // context menu of the list

    // Overview figures and their captions.
    QLabel* im_totangelzeit;
    QLabel* im_angelzeit;
    QLabel* lb_angelzeit;
    QLabel* lb_angelkosten;
    QLabel* lb_summefischgewicht;
    QLabel* lb_summefischlaenge;
    QLabel* lb_anzahlfische;
    QLabel *besterfangtag_1, *besterfangtag_2;
    QLabel *bestefangzeit_1, *bestefangzeit_2;
    QLabel *bestemondphase_1, *bestemondphase_2;
    QLabel *bestefangmethode_1, *bestefangmethode_2;
    QLabel *bestesfangwetter_1, *bestesfangwetter_2;
    QLabel *besterkoeder_1, *besterkoeder_2;
    QLabel *hafischart_1, *hafischart_2;
    QLabel *lafisch_1, *lafisch_2;
    QLabel *schfisch_1, *schfisch_2;
    QLabel *besterfaenger_1, *besterfaenger_2;

    // ---- menus and actions (objectName = member name) ----
    QMenu* mnuDatei;
    QAction* aDBSelect;          // "Fischkladde Datenbank auswählen"
    QAction* aAKDBSelect;        // "Angelkosten Datenbank auswählen"
    QAction* aBackupErstellen;
    QAction* aBackupLaden;
    QAction* aFanglisteErstellen;
    QAction* aBeenden;

    QMenu* mnuFang;
    QAction* aHinzufuegen;       // new catch
    QAction* aDetails;           // ActionList1: "Details"
    QAction* aDuplizieren;
    QAction* aBearbeiten;
    QAction* aLoeschen;
    QAction* aSuchen;
    QMenu* mnuAuswerten;         // "Fischkladde auswerten"
    QAction* aAuswertenPDF;
    QAction* aAuswertenHTML;     // hidden
    QMenu* mnuExportieren;       // hidden "Fischkladde exportieren"
    QAction* aExportXML;
    QMenu* mnuImportieren;       // hidden "Fischkladde importieren"
    QAction* aImportXML;
    QMenu* mnuKarte;             // one entry per water
    QAction* aBissliste;

    QMenu* mnuAngelkosten;
    QAction* aAKHinzufuegen;
    QAction* aAKJahresuebersicht;
    QAction* aAKUebersicht;      // default item
    QAction* aAKSuchen;
    QMenu* mnuAKAuswerten;
    QAction* aAKAlsPDF;
    QAction* aAKJahrPDF;
    QMenu* mnuAKExportieren;
    QAction* aAKExportXML;
    QMenu* mnuAKImportieren;
    QAction* aAKImportXML;

    QMenu* mnuEinstellungen;
    QAction* aFaenger;       // list editor 2
    QAction* aFangmethoden;  // 3
    QAction* aFischarten;    // 7
    QAction* aGewaesser;     // 1
    QAction* aKoeder;        // 4
    QAction* aStelle;        // 5
    QAction* aWetter;        // 6
    QAction* aFehlerverfolgung;

    QMenu* mnuStatistik;     // built at run time around "Auswerten"
    QMenu* mnuStatistikAuswerten; // tag 3
    QAction* aStatistikPDF;       // tag 3

    QMenu* mnuHilfe;
    QAction* aSpenden;
    QAction* aHilfe;
    QAction* aAbout;

    // The windows this one opens (created once).
    TfrmDBSelect* frmDBSelect;
    TfrmCBox* frmCBox;
    PreviewPanel* previewPanel; // the content of Panel1
    TfrmDetails* frmDetails;

    // Sort state: mode of the last sort and one reverse flag per list column.
    catchlist::SortMode sortMode = catchlist::SortMode::Text;
    std::array<bool, catchlist::kColumnCount> reverseFlags{};

public slots:
    // First showing: selectors and last entries, or the database dialog when a database is
    // not known. Runs once, shortly after the window is shown.
    void FormShow();
    void cb_gehezuChange();
    void cb_jahrChange();
    void ListView1ColumnClick(int column);
    void ListView1Click();
    // Fills the preview with the selected catch, or empties it.
    void previewSelected();
    void ListView1KeyDown(int key);
    void openDatabaseDialog(catchdb::Kind kind);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The place of the last session, or centred at the first size.
    void placeWindow();

private:
    void buildControls();
    void buildMenus();
    void sortList(int column, catchlist::SortMode mode, bool reverse);
    void setFullViewVisible(bool visible);
    void showOverviewView();
    void databaseChanged();
    QString currentFilter() const;
    int currentYear() const;
    // After a catch was saved, duplicated or deleted: the list of the view shown.
    void refreshCatchView();
    void buildCatchDetails();

    Session m_session;
    catchdb::StartupResult m_startup;
    QString m_startupError;
    bool m_shown = false;
    QList<QAction*> m_selectionActions; // wired actions of the selected catch
    QList<QAction*> m_wired;            // every wired action
    std::vector<std::function<void(host::Changes)>> m_listeners;
    std::function<void()> m_firstRun;
    int m_previewRow = 0; // the catch the preview shows
    // Handlers of the run-time menus; unset leaves their items disabled.
    std::function<void(QAction* item)> onStatistik; // Statistik menu item (mode in data())
    std::function<void(const QString& water)> onKarte; // "Karte" submenu entry
};
