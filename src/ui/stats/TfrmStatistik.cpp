#include "ui/stats/TfrmStatistik.h"
#include "base/FkError.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "stats/Fangempfehlung.h"
#include "ui/common/FkApplication.h"
#include "ui/stats/TfrmFangempfehlung.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

// ---- StatListView ------------------------------------------------------------------------

StatListView::StatListView(const char* name, const QStringList& columns, QWidget* parent)
    : QTableWidget(0, 2, parent)
{
    setObjectName(QLatin1String(name));
    setHorizontalHeaderLabels(columns);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setColumnWidth(0, 62);
}

void StatListView::setRows(const QList<statistik::ListRow>& rows)
{
    clearContents();
    setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        setItem(r, 0, new QTableWidgetItem(rows[r].first));
        setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }
    scrollToTop();
}

QList<statistik::ListRow> StatListView::rows() const
{
    QList<statistik::ListRow> out;
    for (int r = 0; r < rowCount(); ++r) {
        const QTableWidgetItem* a = item(r, 0);
        const QTableWidgetItem* b = item(r, 1);
        out.append({a ? a->text() : QString(), b ? b->text() : QString()});
    }
    return out;
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

// ---- TfrmStatistik -----------------------------------------------------------------------

namespace {

QLabel* valueLabel(const char* name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    return l;
}

QComboBox* dropDown(const char* name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);
    c->setMinimumWidth(170);
    return c;
}

QLabel* caption(const QString& text, QWidget* parent, bool bold = false)
{
    auto* l = new QLabel(text, parent);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

} // namespace

template <class F>
void TfrmStatistik::guarded(F&& f)
{
    try {
        f();
    } catch (const FkError& e) {
        FkApplication::handleError(e);
    }
}

TfrmStatistik::TfrmStatistik(WindowHost& host, QWidget* parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("frmStatistik"));
    setWindowTitle(QStringLiteral("Statistik"));
    setModal(true);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // Tabs on white, captions centred.
    PageControl1->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { background: white; padding: 4px 14px; border: 1px solid #b0b0b0; }"
                       "QTabBar::tab:selected { font-weight: bold; }"));
    PageControl1->addTab(buildItemPage(false), QStringLiteral("Fischarten"));
    PageControl1->addTab(buildItemPage(true), QStringLiteral("Köder"));
    PageControl1->addTab(buildWeatherPage(), QStringLiteral("Wetter"));
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        setWindowTitle(QStringLiteral("Statistik - ") + PageControl1->tabText(index));
    });

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    layout->addLayout(buttons);

    // Selections: an item computes its page; a year reloads the item list only.
    connect(cb_fischart, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            guarded([this] { statistikfischart(cb_fischart->currentText(), statistik::yearOf(cb_jahr->currentText())); });
    });
    connect(cb_koeder, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            guarded([this] { statistikkoeder(cb_koeder->currentText(), statistik::yearOf(cb_koederjahr->currentText())); });
    });
    connect(cb_wetterfischart, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            guarded([this] {
                statistikwetter(cb_wetterfischart->currentText(), statistik::yearOf(cb_wetterjahr->currentText()));
            });
    });
    connect(cb_jahr, &QComboBox::currentIndexChanged, this,
            [this] { guarded([this] { cbload(statistik::yearOf(cb_jahr->currentText())); }); });
    connect(cb_koederjahr, &QComboBox::currentIndexChanged, this,
            [this] { guarded([this] { loadkoedercb(statistik::yearOf(cb_koederjahr->currentText())); }); });
    connect(cb_wetterjahr, &QComboBox::currentIndexChanged, this,
            [this] { guarded([this] { loadwettercb(statistik::yearOf(cb_wetterjahr->currentText())); }); });
    connect(lb_rekord, &ClickLabel::clicked, this, [this] { guarded([this] { m_host.openDetails(m_speciesRecord); }); });
    connect(lb_koederrekord, &ClickLabel::clicked, this,
            [this] { guarded([this] { m_host.openDetails(m_baitRecord); }); });

    setFixedSize(820, 600);
}

QWidget* TfrmStatistik::buildItemPage(bool bait)
{
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, Qt::white);
    page->setPalette(pal);

    QComboBox* item = dropDown(bait ? "cb_koeder" : "cb_fischart", page);
    QComboBox* year = dropDown(bait ? "cb_koederjahr" : "cb_jahr", page);
    std::array<QLabel*, 7> values;
    const char* const names[2][7] = {
        {"lb_gefangeneFische", "lb_laenge", "lb_gewicht", "lb_monat", "lb_tag", "lb_fangzeit", "lb_mond"},
        {"lb_koedergefangenefische", "lb_koederlaenge", "lb_koedergewicht", "lb_koedermonat", "lb_koedertag",
         "lb_koederfangzeit", "lb_koedermond"}};
    for (int i = 0; i < 7; ++i)
        values[size_t(i)] = valueLabel(names[bait][i], page);
    auto* record = new ClickLabel(page);
    record->setObjectName(QLatin1String(bait ? "lb_koederrekord" : "lb_rekord"));
    record->setCursor(Qt::PointingHandCursor);
    record->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    record->setMinimumHeight(6 * record->fontMetrics().lineSpacing());

    const char* const listNames[2][6] = {
        {"lv_koeder", "lv_wetter", "lv_gewaesser", "lv_monat", "lv_zeit", "lv_mond"},
        {"lv_koederfischarten", "lv_koederwetter", "lv_koedergewaesser", "lv_koedermonat", "lv_koederzeit",
         "lv_koedermond"}};
    const QString heads[6] = {bait ? QStringLiteral("Fischart:") : QStringLiteral("Köder:"), QStringLiteral("Wetter:"),
                              QStringLiteral("Gewässer:"), QStringLiteral("Monat:"), QStringLiteral("Zeit:"),
                              QStringLiteral("Mond:")};
    std::array<StatListView*, 6> lists;
    for (int i = 0; i < 6; ++i) {
        const QString first = bait && i == 0 ? QStringLiteral("Anzahl:") : QStringLiteral("Fische:");
        lists[size_t(i)] = new StatListView(listNames[bait][i], {first, heads[i]}, page);
        connectSorting(lists[size_t(i)]);
    }

    auto* left = new QGridLayout;
    left->addWidget(caption(bait ? QStringLiteral("Köder:") : QStringLiteral("Fischart:"), page), 0, 0);
    left->addWidget(item, 0, 1);
    left->addWidget(caption(QStringLiteral("Jahr:"), page), 1, 0);
    left->addWidget(year, 1, 1);
    const QString captions[7] = {QStringLiteral("gefangene Fische:"), QStringLiteral("Ø Länge (cm):"),
                                 QStringLiteral("Ø Gewicht (g):"),    QStringLiteral("bester Monat:"),
                                 QStringLiteral("bester Tag:"),       QStringLiteral("beste Fangzeit:"),
                                 QStringLiteral("bester Mond:")};
    left->setRowMinimumHeight(2, 10);
    for (int i = 0; i < 7; ++i) {
        left->addWidget(caption(captions[i], page), 3 + i, 0);
        left->addWidget(values[size_t(i)], 3 + i, 1);
    }
    left->setRowMinimumHeight(10, 10);
    left->addWidget(caption(QStringLiteral("Rekordfisch:"), page, true), 11, 0, 1, 2);
    left->addWidget(record, 12, 0, 1, 2);
    left->setRowStretch(13, 1);

    auto* grid = new QGridLayout;
    for (int i = 0; i < 6; ++i)
        grid->addWidget(lists[size_t(i)], i / 2, i % 2);

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(grid, 1);

    if (bait) {
        cb_koeder = item;
        cb_koederjahr = year;
        lb_koedergefangenefische = values[0];
        lb_koederlaenge = values[1];
        lb_koedergewicht = values[2];
        lb_koedermonat = values[3];
        lb_koedertag = values[4];
        lb_koederfangzeit = values[5];
        lb_koedermond = values[6];
        lb_koederrekord = record;
        lv_koederfischarten = lists[0];
        lv_koederwetter = lists[1];
        lv_koedergewaesser = lists[2];
        lv_koedermonat = lists[3];
        lv_koederzeit = lists[4];
        lv_koedermond = lists[5];
    } else {
        cb_fischart = item;
        cb_jahr = year;
        lb_gefangeneFische = values[0];
        lb_laenge = values[1];
        lb_gewicht = values[2];
        lb_monat = values[3];
        lb_tag = values[4];
        lb_fangzeit = values[5];
        lb_mond = values[6];
        lb_rekord = record;
        lv_koeder = lists[0];
        lv_wetter = lists[1];
        lv_gewaesser = lists[2];
        lv_monat = lists[3];
        lv_zeit = lists[4];
        lv_mond = lists[5];
    }
    return page;
}

QWidget* TfrmStatistik::buildWeatherPage()
{
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, Qt::white);
    page->setPalette(pal);

    cb_wetterfischart = dropDown("cb_wetterfischart", page);
    cb_wetterjahr = dropDown("cb_wetterjahr", page);
    const auto list = [this, page](const char* name, const QString& head) {
        auto* v = new StatListView(name, {head, QStringLiteral("Anzahl:")}, page);
        v->setColumnWidth(0, 130);
        connectSorting(v);
        return v;
    };
    lv_wetterltemp = list("lv_wetterltemp", QStringLiteral("L-Temp. (°C):"));
    lv_wetterwtemp = list("lv_wetterwtemp", QStringLiteral("W-Temp. (°C):"));
    lv_wetterluftdruck = list("lv_wetterluftdruck", QStringLiteral("Luftdruck (hPa):"));
    lv_wetterwindrichtung = list("lv_wetterwindrichtung", QStringLiteral("Windrichtung:"));
    lv_wetterwindstaerke = list("lv_wetterwindstaerke", QStringLiteral("Windstärke:"));
    lv_wettertruebung = list("lv_wettertruebung", QStringLiteral("Trübung:"));
    lv_wetterwasserstand = list("lv_wetterwasserstand", QStringLiteral("Wasserstand:"));

    auto* top = new QHBoxLayout;
    top->addWidget(caption(QStringLiteral("Fischart:"), page));
    top->addWidget(cb_wetterfischart);
    top->addSpacing(20);
    top->addWidget(caption(QStringLiteral("Jahr:"), page));
    top->addWidget(cb_wetterjahr);
    top->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(lv_wetterltemp, 0, 0);
    grid->addWidget(lv_wetterwtemp, 0, 1);
    grid->addWidget(lv_wetterluftdruck, 0, 2);
    grid->addWidget(lv_wetterwindrichtung, 1, 0);
    grid->addWidget(lv_wetterwindstaerke, 1, 1);
    grid->addWidget(lv_wettertruebung, 1, 2);
    grid->addWidget(lv_wetterwasserstand, 2, 0);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(grid, 1);
    return page;
}

void TfrmStatistik::connectSorting(StatListView* view)
{
    connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this, [this, view](int column) {
        QList<statistik::ListRow> rows = view->rows();
        m_sorter.headerClicked(rows, column);
        view->setRows(rows);
    });
}

void TfrmStatistik::open(host::StatistikMode mode, const QString& angler)
{
    m_mode = 0;
    PageControl1->setCurrentIndex(0);
    QString name = angler;
    if (name.startsWith(QLatin1Char('&')))
        name.remove(0, 1);
    if (mode == host::StatistikMode::Gesamt)
        m_angler.clear();
    else if (mode == host::StatistikMode::Faenger)
        m_angler = name;
    else if (mode == host::StatistikMode::Empfehlung)
        m_mode = 2;
    else
        return; // the PDF report has its own dialog

    for (QLabel* l : {lb_fangzeit, lb_gefangeneFische, lb_gewicht, lb_laenge, lb_monat, lb_mond,
                      static_cast<QLabel*>(lb_rekord), lb_tag})
        l->clear();
    for (StatListView* v : {lv_koeder, lv_wetter, lv_gewaesser, lv_monat, lv_zeit, lv_mond})
        v->setRows({});

    prepare();
    // The recommendation alone: the window has done its work once the dialog is closed.
    if (m_mode == 2)
        return;
    exec();
}

void TfrmStatistik::prepare()
{
    cbload(0);
    loadjahrcb(m_angler);
    loadwettercb(0);
    loadkoedercb(0);
    m_speciesRecord = -1;
    if (m_mode == 2)
        fangempfehlung();
}

void TfrmStatistik::fillCombo(QComboBox* box, const QStringList& items, bool selectFirst)
{
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(selectFirst && !items.isEmpty() ? 0 : -1);
}

void TfrmStatistik::cbload(int year)
{
    trace::step(QStringLiteral("Statistik: cbload(%1)").arg(year));
    fillCombo(cb_fischart, statistik::cbload(m_host.session().DB, m_angler, year), false);
}

void TfrmStatistik::loadwettercb(int year)
{
    trace::step(QStringLiteral("Statistik: loadwettercb(%1)").arg(year));
    fillCombo(cb_wetterfischart, statistik::loadwettercb(m_host.session().DB, m_angler, year), false);
}

void TfrmStatistik::loadkoedercb(int year)
{
    trace::step(QStringLiteral("Statistik: loadkoedercb(%1)").arg(year));
    fillCombo(cb_koeder, statistik::loadkoedercb(m_host.session().DB, m_angler, year), false);
}

void TfrmStatistik::loadjahrcb(const QString& angler)
{
    trace::step(QStringLiteral("Statistik: loadjahrcb(%1)").arg(angler));
    const QStringList years = statistik::loadjahrcb(m_host.session().DB, angler);
    for (QComboBox* box : {cb_jahr, cb_wetterjahr, cb_koederjahr})
        fillCombo(box, years, true);
}

void TfrmStatistik::showItemPage(const statistik::ItemPage& page, const std::array<QLabel*, 7>& labels,
                                 QLabel* record, const std::array<StatListView*, 6>& lists)
{
    const QStringList texts = page.labelTexts();
    for (int i = 0; i < 7; ++i)
        labels[size_t(i)]->setText(texts[i]);
    record->setText(page.rekord.join(QLatin1Char('\n')));
    for (int i = 0; i < 6; ++i)
        lists[size_t(i)]->setRows(page.lists[size_t(i)].rows);
    m_sorter.reset(0);
}

void TfrmStatistik::statistikfischart(const QString& species, int year)
{
    trace::step(QStringLiteral("Statistik: loadjahrcb(%1;%2)").arg(species).arg(year));
    const statistik::ItemPage page =
        statistik::statistikfischart(m_host.session().DB, statistik::readLists(), m_angler, species, year);
    m_speciesRecord = page.recordRow;
    showItemPage(page, {lb_gefangeneFische, lb_laenge, lb_gewicht, lb_monat, lb_tag, lb_fangzeit, lb_mond}, lb_rekord,
                 {lv_koeder, lv_wetter, lv_gewaesser, lv_monat, lv_zeit, lv_mond});
}

void TfrmStatistik::statistikkoeder(const QString& bait, int year)
{
    trace::step(QStringLiteral("Statistik: statistikkoeder(%1;%2)").arg(bait).arg(year));
    QStringList species;
    for (int i = 1; i < cb_fischart->count(); ++i)
        species << cb_fischart->itemText(i);
    const statistik::ItemPage page =
        statistik::statistikkoeder(m_host.session().DB, statistik::readLists(), species, m_angler, bait, year);
    m_baitRecord = page.recordRow;
    showItemPage(page,
                 {lb_koedergefangenefische, lb_koederlaenge, lb_koedergewicht, lb_koedermonat, lb_koedertag,
                  lb_koederfangzeit, lb_koedermond},
                 lb_koederrekord,
                 {lv_koederfischarten, lv_koederwetter, lv_koedergewaesser, lv_koedermonat, lv_koederzeit,
                  lv_koedermond});
}

void TfrmStatistik::statistikwetter(const QString& species, int year)
{
    trace::step(QStringLiteral("Statistik: statistikwetter(%1)").arg(species));
    const statistik::WeatherPage page = statistik::statistikwetter(m_host.session().DB, m_angler, species, year);
    StatListView* const views[7] = {lv_wetterwindstaerke, lv_wetterwindrichtung, lv_wettertruebung,
                                    lv_wetterwasserstand, lv_wetterltemp,        lv_wetterwtemp,
                                    lv_wetterluftdruck};
    for (int i = 0; i < 7; ++i)
        views[i]->setRows(page.lists[size_t(i)].rows);
    m_sorter.reset(1);
}

void TfrmStatistik::fangempfehlung()
{
    trace::step(QStringLiteral("Statistik: fangempfehlung"));
    QStringList species, baits;
    for (int i = 1; i < cb_fischart->count(); ++i)
        species << cb_fischart->itemText(i);
    for (int i = 0; i < cb_koeder->count(); ++i)
        baits << cb_koeder->itemText(i);
    const auto rows = statistik::fangempfehlung(m_host.session().DB, species, baits);
    TfrmFangempfehlung dialog(rows, parentWidget() ? parentWidget() : this);
    dialog.exec();
}
