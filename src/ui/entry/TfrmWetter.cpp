#include "ui/entry/TfrmWetter.h"
#include "ui/common/UserInteraction.h"
#include "ui/entry/EntryWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

QComboBox* fixedList(QWidget* parent, const char* name, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    box->setCurrentIndex(-1);
    return box;
}

QLineEdit* edit(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

} // namespace

TfrmWetter::TfrmWetter(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWetter"));
    setWindowTitle(QStringLiteral("Wetter auswählen"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    cb_wetter = new QComboBox(this);
    cb_wetter->setObjectName(QStringLiteral("cb_wetter"));
    cb_wetter->setEditable(true);
    cb_wetter->setInsertPolicy(QComboBox::NoInsert);
    ed_lufttemp = edit(this, "ed_lufttemp");
    ed_wassertemp = edit(this, "ed_wassertemp");
    ed_luftdruck = edit(this, "ed_luftdruck");
    cb_windrichtung = fixedList(this, "cb_windrichtung",
                                {"Windstill", "N", "NO", "O", "SO", "S", "SW", "W", "NW"});
    cb_windstaerke = fixedList(this, "cb_windstaerke",
                               {"Windstill", "Leiser Zug", "Leichte Brise", "Schwache Brise", "Mäßige Brise",
                                "Frische Brise", "Starker Wind", "Steifer Wind", "Stürmischer Wind", "Sturm",
                                "Schwerer Sturm", "Orkanartiger Sturm", "Orkan"});
    cb_wassertruebung = fixedList(this, "cb_wassertruebung", {"klar", "leicht", "mittel", "stark"});
    cb_wasserstand = fixedList(this, "cb_wasserstand", {"normal", "hoch", "niedrig"});

    BitBtn2 = new QPushButton(QStringLiteral("Speichern"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setDefault(true);
    BitBtn3 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Tabelle"));
    SpeedButton1->setToolTip(QStringLiteral("Windstärken anzeigen"));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(QStringLiteral("Wetter:"), cb_wetter);
    form->addRow(QStringLiteral("Lufttemperatur (°C):"), ed_lufttemp);
    form->addRow(QStringLiteral("Wassertemperatur (°C):"), ed_wassertemp);
    form->addRow(QStringLiteral("Luftdruck (hPa):"), ed_luftdruck);
    form->addRow(QStringLiteral("Windrichtung:"), cb_windrichtung);
    auto* windRow = new QHBoxLayout;
    windRow->addWidget(cb_windstaerke, 1);
    windRow->addWidget(SpeedButton1);
    form->addRow(QStringLiteral("Windstärke:"), windRow);
    form->addRow(QStringLiteral("Wassertrübung:"), cb_wassertruebung);
    form->addRow(QStringLiteral("Wasserstand:"), cb_wasserstand);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addStretch(1);
    outer->addLayout(buttons);

    QWidget* order[] = {cb_wetter,      ed_lufttemp,       ed_wassertemp,  ed_luftdruck, cb_windrichtung,
                        cb_windstaerke, cb_wassertruebung, cb_wasserstand, BitBtn2,      BitBtn3,
                        SpeedButton1};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(BitBtn2, &QPushButton::clicked, this, &TfrmWetter::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmWetter::BitBtn3Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmWetter::SpeedButton1Click);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

void TfrmWetter::clearReadings()
{
    ed_wassertemp->clear();
    ed_lufttemp->clear();
    ed_luftdruck->clear();
    cb_wetter->setEditText(QString());
    cb_wetter->setCurrentIndex(-1);
    for (QComboBox* box : {cb_windrichtung, cb_windstaerke, cb_wassertruebung, cb_wasserstand})
        box->setCurrentIndex(-1);
}

WeatherReadings TfrmWetter::readings() const
{
    return {cb_wetter->currentText(),         ed_lufttemp->text(),           ed_wassertemp->text(),
            ed_luftdruck->text(),             cb_windrichtung->currentText(), cb_windstaerke->currentText(),
            cb_wassertruebung->currentText(), cb_wasserstand->currentText()};
}

void TfrmWetter::setReadings(const WeatherReadings& r)
{
    cb_wetter->setEditText(r.wetter);
    ed_lufttemp->setText(r.lufttemp);
    ed_wassertemp->setText(r.wassertemp);
    ed_luftdruck->setText(r.luftdruck);
    entrywidgets::selectExact(cb_windrichtung, r.windrichtung);
    entrywidgets::selectExact(cb_windstaerke, r.windstaerke);
    entrywidgets::selectExact(cb_wassertruebung, r.wassertruebung);
    entrywidgets::selectExact(cb_wasserstand, r.wasserstand);
}

void TfrmWetter::setWeatherItems(const QStringList& items)
{
    entrywidgets::setSortedItems(cb_wetter, items);
}

void TfrmWetter::addWeatherItem(const QString& item)
{
    entrywidgets::addSortedItem(cb_wetter, item);
}

QStringList TfrmWetter::weatherItems() const
{
    return entrywidgets::items(cb_wetter);
}

bool TfrmWetter::hasWeatherItem(const QString& item) const
{
    return entrywidgets::exactIndex(cb_wetter, item) >= 0;
}

QString TfrmWetter::windForceTable()
{
    static const QStringList lines = {
        QStringLiteral("Windstill                  : Windstärke 0  <1 km/h -> Kein Wind"),
        QStringLiteral("Leiser Zug               : Windstärke 1  1-5 km/h -> Windbewegung durch Rauch sichtbar"),
        QStringLiteral("Leichte Briese         : Windstärke 2  6-11 km/h -> Wind spürbar"),
        QStringLiteral("Schwache Briese    : Windstärke 3  12-19 km/h -> Blätter und dünne Äste bewegen sich"),
        QStringLiteral("Mäßige Briese         : Windstärke 4  20-28 km/h -> Äste bewegen sich"),
        QStringLiteral("Frische Briese         : Windstärke 5  29-38 km/h -> große Äste und Bäume bewegen sich"),
        QStringLiteral("Starker Wind          : Windstärke 6  39-49 km/h -> Dicke Äste bewegen sich, Windpfeifen hörbar"),
        QStringLiteral("Steifer Wind           : Windstärke 7  50-61 km/h -> Bäume schwanke, Widerstand beim gehen"),
        QStringLiteral("Stürmischer Wind   : Windstärke 8  62-74 km/h -> Große Bäume bewegen sich, dünne Äste brechen"),
        QStringLiteral("Sturm                     : Windstärke 9  75-88 km/h -> Äste brechen, Ziegel fliegen von den Dächern"),
        QStringLiteral("schwerer Sturm      : Windstärke 10 89-102 km/h -> Bäume werden entwurzelt"),
        QStringLiteral("orkanartiger Sturm : Windstärke 11 103-117 km/h -> Sturmschäden, heftige Böen"),
        QStringLiteral("Orkan                     : Windstärke 12  >117 km/h -> Verwüstungen")};
    return lines.join(QLatin1Char('\r'));
}

// Both buttons only close: what was entered stays for the entry dialog's save.
void TfrmWetter::BitBtn2Click() { accept(); }
void TfrmWetter::BitBtn3Click() { reject(); }

void TfrmWetter::SpeedButton1Click()
{
    userInteraction().information(this, windForceTable(), QStringLiteral("Windstärken"));
}
