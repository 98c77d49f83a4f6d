#include "ui/location/TfrmStandort.h"

#include "data/LookupLists.h"
#include "ui/common/UserInteraction.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using location::Location;

namespace {

enum Column { ColWater = 0, ColLatitude = 1, ColLongitude = 2 };

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

// A number in range, or a message naming what is wrong.
std::optional<double> checkedDegrees(const QString& text, double limit, const QString& what, QString* message)
{
    const std::optional<double> value = location::parseDegrees(text);
    if (value && *value >= -limit && *value <= limit)
        return value;
    *message = QStringLiteral("%1 muss eine Zahl zwischen -%2 und %2 Grad sein, zum Beispiel %3.")
                   .arg(what)
                   .arg(limit)
                   .arg(limit == 90 ? QStringLiteral("51,6") : QStringLiteral("7,5"));
    return std::nullopt;
}

} // namespace

TfrmStandort::TfrmStandort(const IniFile& settings, QWidget* parent) : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("frmStandort"));
    setWindowTitle(QStringLiteral("Standort"));
    setModal(true);

    auto* intro = new QLabel(QStringLiteral("Sonnen- und Mondzeiten eines Fangs werden für den Standort seines "
                                            "Gewässers berechnet,\nsonst für den Standort unten."),
                             this);

    cb_stadt = new QComboBox(this);
    cb_stadt->setObjectName(QStringLiteral("cb_stadt"));
    cb_stadt->addItem(QStringLiteral("(eigene Angabe)"));
    for (const location::City& city : location::germanCities())
        cb_stadt->addItem(QString::fromUtf8(city.name));
    ed_breite = new QLineEdit(this);
    ed_breite->setObjectName(QStringLiteral("ed_breite"));
    ed_laenge = new QLineEdit(this);
    ed_laenge->setObjectName(QStringLiteral("ed_laenge"));

    const Location current = location::defaultLocation(m_settings);
    ed_breite->setText(location::formatDegrees(current.latitude));
    ed_laenge->setText(location::formatDegrees(current.longitude));
    const QList<location::City>& cities = location::germanCities();
    for (int i = 0; i < cities.size(); ++i)
        if (cities[i].where == current)
            cb_stadt->setCurrentIndex(i + 1);
    connect(cb_stadt, &QComboBox::activated, this, &TfrmStandort::stadtChanged);
    // A hand edit no longer is the city picked.
    const auto typed = [this] { cb_stadt->setCurrentIndex(0); };
    connect(ed_breite, &QLineEdit::textEdited, this, typed);
    connect(ed_laenge, &QLineEdit::textEdited, this, typed);

    auto* mainBox = new QGroupBox(QStringLiteral("Standort für alle Gewässer"), this);
    auto* form = new QFormLayout(mainBox);
    form->addRow(QStringLiteral("&Ort:"), cb_stadt);
    form->addRow(QStringLiteral("&Breite (Grad Nord):"), ed_breite);
    form->addRow(QStringLiteral("&Länge (Grad Ost):"), ed_laenge);

    auto* waterBox = new QGroupBox(QStringLiteral("Eigener Standort einzelner Gewässer (leer: Standort oben)"), this);
    sg_gewaesser = new QTableWidget(0, 3, waterBox);
    sg_gewaesser->setObjectName(QStringLiteral("sg_gewaesser"));
    sg_gewaesser->setHorizontalHeaderLabels(
        {QStringLiteral("Gewässer"), QStringLiteral("Breite (Nord)"), QStringLiteral("Länge (Ost)")});
    sg_gewaesser->horizontalHeader()->setSectionResizeMode(ColWater, QHeaderView::Stretch);
    sg_gewaesser->verticalHeader()->hide();
    sg_gewaesser->setMinimumHeight(160);
    auto* waterLayout = new QVBoxLayout(waterBox);
    waterLayout->addWidget(sg_gewaesser);
    fillWaters();

    lb_hinweis = new QLabel(QStringLiteral("Westliche Länge und südliche Breite mit Minuszeichen. "
                                           "Gespeicherte Fänge behalten ihre Zeiten."),
                            this);
    lb_hinweis->setObjectName(QStringLiteral("lb_hinweis"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bt_ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("bt_abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(mainBox);
    layout->addWidget(waterBox, 1);
    layout->addWidget(lb_hinweis);
    layout->addWidget(buttons);
    resize(520, 440);
}

void TfrmStandort::stadtChanged(int index)
{
    const QList<location::City>& cities = location::germanCities();
    if (index < 1 || index > cities.size())
        return;
    const Location& where = cities[index - 1].where;
    ed_breite->setText(location::formatDegrees(where.latitude));
    ed_laenge->setText(location::formatDegrees(where.longitude));
}

void TfrmStandort::fillWaters()
{
    QStringList waters = lookup::readNamedList(QStringLiteral("Gewaesser"));
    waters.removeAll(QString());
    const QList<location::WaterLocation> stored = location::waterLocations(m_settings);
    for (const location::WaterLocation& w : stored)
        if (!waters.contains(w.water, Qt::CaseInsensitive))
            waters.append(w.water);
    sg_gewaesser->setRowCount(0);
    for (const QString& water : waters) {
        const int row = sg_gewaesser->rowCount();
        sg_gewaesser->insertRow(row);
        auto* name = new QTableWidgetItem(water);
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        sg_gewaesser->setItem(row, ColWater, name);
        QString lat, lon;
        for (const location::WaterLocation& w : stored)
            if (w.water.compare(water, Qt::CaseInsensitive) == 0) {
                lat = location::formatDegrees(w.where.latitude);
                lon = location::formatDegrees(w.where.longitude);
            }
        sg_gewaesser->setItem(row, ColLatitude, new QTableWidgetItem(lat));
        sg_gewaesser->setItem(row, ColLongitude, new QTableWidgetItem(lon));
    }
}

bool TfrmStandort::save()
{
    QString message;
    const auto refuse = [&](QWidget* focus) {
        userInteraction().error(this, message, QStringLiteral("Standort"));
        if (focus)
            focus->setFocus();
        return false;
    };
    const auto lat = checkedDegrees(ed_breite->text(), 90, QStringLiteral("Die Breite"), &message);
    if (!lat)
        return refuse(ed_breite);
    const auto lon = checkedDegrees(ed_laenge->text(), 180, QStringLiteral("Die Länge"), &message);
    if (!lon)
        return refuse(ed_laenge);

    QList<location::WaterLocation> waters;
    for (int row = 0; row < sg_gewaesser->rowCount(); ++row) {
        const QString water = cellText(sg_gewaesser, row, ColWater);
        const QString latText = cellText(sg_gewaesser, row, ColLatitude);
        const QString lonText = cellText(sg_gewaesser, row, ColLongitude);
        if (latText.isEmpty() && lonText.isEmpty())
            continue;
        const auto wlat = checkedDegrees(latText, 90, QStringLiteral("Die Breite von \"%1\"").arg(water), &message);
        const auto wlon = wlat ? checkedDegrees(lonText, 180, QStringLiteral("Die Länge von \"%1\"").arg(water), &message)
                               : std::nullopt;
        if (!wlat || !wlon) {
            sg_gewaesser->setCurrentCell(row, wlat ? ColLongitude : ColLatitude);
            return refuse(sg_gewaesser);
        }
        waters.append({water, {*wlat, *wlon}});
    }
    location::setDefaultLocation({*lat, *lon}, m_settings);
    location::setWaterLocations(waters, m_settings);
    return true;
}
