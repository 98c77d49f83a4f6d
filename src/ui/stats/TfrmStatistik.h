#pragma once
// The statistics window: species, bait and weather pages over the catches of one angler or
// all, and the catch recommendation. Computations live in stats/; this window gathers the
// selections and shows the results.
#include "stats/Statistik.h"
#include "ui/common/WindowHost.h"

#include <QDialog>
#include <QLabel>
#include <QTableWidget>

class QComboBox;
class QPushButton;
class QTabWidget;

// A list view in report style: grid lines, whole rows selected, nothing editable; a click on
// a column header asks the window to sort it.
class StatListView : public QTableWidget {
    Q_OBJECT
public:
    StatListView(const char* name, const QStringList& columns, QWidget* parent);
    void setRows(const QList<statistik::ListRow>& rows);
    QList<statistik::ListRow> rows() const;
};

// A label that reports mouse clicks (the record fish opens its details).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class TfrmStatistik : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStatistik(WindowHost& host, QWidget* parent = nullptr);

    // The "Statistik" menu: resets the species page and shows the window modally for one
    // angler (Faenger), all anglers (Gesamt), or shows only the recommendation (Empfehlung;
    // the angler filter of the previous opening stays). Raises conversion errors of the
    // loaders before anything is shown.
    void open(host::StatistikMode mode, const QString& angler);
    // What open() does before showing the window: the loaders, and the recommendation in
    // mode 2 (its dialog shown modally).
    void prepare();

    QString anglerFilter() const { return m_angler; }
    int mode() const { return m_mode; }
    int speciesRecordRow() const { return m_speciesRecord; }
    int baitRecordRow() const { return m_baitRecord; }

    QTabWidget* PageControl1;
    QComboBox *cb_fischart, *cb_jahr, *cb_koeder, *cb_koederjahr, *cb_wetterfischart, *cb_wetterjahr;
    QLabel *lb_gefangeneFische, *lb_laenge, *lb_gewicht, *lb_monat, *lb_tag, *lb_fangzeit, *lb_mond;
    ClickLabel* lb_rekord;
    QLabel *lb_koedergefangenefische, *lb_koederlaenge, *lb_koedergewicht, *lb_koedermonat, *lb_koedertag,
        *lb_koederfangzeit, *lb_koedermond;
    ClickLabel* lb_koederrekord;
    StatListView *lv_koeder, *lv_wetter, *lv_gewaesser, *lv_monat, *lv_zeit, *lv_mond;
    StatListView *lv_koederfischarten, *lv_koederwetter, *lv_koedergewaesser, *lv_koedermonat, *lv_koederzeit,
        *lv_koedermond;
    StatListView *lv_wetterwindstaerke, *lv_wetterwindrichtung, *lv_wettertruebung, *lv_wetterwasserstand,
        *lv_wetterltemp, *lv_wetterwtemp, *lv_wetterluftdruck;
    QPushButton* BitBtn1;

public slots:
    void cbload(int year);
    void loadwettercb(int year);
    void loadkoedercb(int year);
    void loadjahrcb(const QString& angler);
    void statistikfischart(const QString& species, int year);
    void statistikkoeder(const QString& bait, int year);
    void statistikwetter(const QString& species, int year);
    void fangempfehlung();

private:
    QWidget* buildItemPage(bool bait);
    QWidget* buildWeatherPage();
    void showItemPage(const statistik::ItemPage& page, const std::array<QLabel*, 7>& labels, QLabel* record,
                      const std::array<StatListView*, 6>& lists);
    void fillCombo(QComboBox* box, const QStringList& items, bool selectFirst);
    void connectSorting(StatListView* view);
    // Runs a handler; an error shows the "Fehler" box and abandons the action.
    template <class F>
    void guarded(F&& f);

    WindowHost& m_host;
    QString m_angler;
    int m_mode = 0;
    int m_speciesRecord = -1;
    int m_baitRecord = -1;
    statistik::ColumnSorter m_sorter;
};
