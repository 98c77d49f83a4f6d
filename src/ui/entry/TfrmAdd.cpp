#include "ui/entry/TfrmAdd.h"
#include "data/CatchOperations.h"
#include "data/CatchRecord.h"
#include "data/Clock.h"
#include "data/GermanFormat.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "base/Win1252.h"
#include "entry/LengthWeight.h"
#include "entry/Location.h"
#include "base/FkError.h"
#include "ui/common/UserInteraction.h"
#include "ui/entry/EntryWidgets.h"
#include "ui/entry/TfrmBilderladen.h"
#include "ui/entry/TfrmWetter.h"
#include "ui/map/MapChooser.h"
#include "ui/common/TypedDateTimeEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>

using entrywidgets::items;

namespace {

const QString kAdd = QStringLiteral("Hinzufügen");


template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QComboBox* combo(QWidget* parent, const char* name, bool freeText)
{
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(freeText);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCurrentIndex(-1);
    return box;
}

QTimeEdit* timePicker(QWidget* parent, const char* name)
{
    return named(new TypedTimeEdit(parent), name);
}

QTime toMinute(const QTime& t) { return QTime(t.hour(), t.minute()); }

void clearBox(QComboBox* box)
{
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->setEditText(QString());
}


} // namespace

TfrmAdd::TfrmAdd(Session& session, TfrmWetter& wetter, QWidget* parent)
    : QDialog(parent), m_session(session), m_wetter(wetter)
{
    setObjectName(QStringLiteral("frmAdd"));
    setWindowTitle(QStringLiteral("Fang eintragen"));
    buildControls();
    frmBilderladen = new TfrmBilderladen(this);
}

void TfrmAdd::buildControls()
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    dt_fangdatum = named(new TypedDateEdit(this), "dt_fangdatum");
    cb_faenger = combo(this, "cb_faenger", false);
    dt_angelbeginn = timePicker(this, "dt_angelbeginn");
    dt_angelende = timePicker(this, "dt_angelende");
    dt_fangzeit = timePicker(this, "dt_fangzeit");
    cb_fischart = combo(this, "cb_fischart", false);
    ed_gewicht = named(new QLineEdit(this), "ed_gewicht");
    ed_laenge = named(new QLineEdit(this), "ed_laenge");
    cb_gewaesser = combo(this, "cb_gewaesser", true);
    cb_stelle = combo(this, "cb_stelle", true);
    ed_uferdistanz = named(new QLineEdit(this), "ed_uferdistanz");
    ed_fangtiefe = named(new QLineEdit(this), "ed_fangtiefe");
    cb_fangmethode = combo(this, "cb_fangmethode", true);
    cb_koeder = combo(this, "cb_koeder", true);
    ed_bild = named(new QLineEdit(this), "ed_bild");
    ed_bemerkungen = named(new QLineEdit(this), "ed_bemerkungen");
    BitBtn2 = named(new QPushButton(kAdd, this), "BitBtn2");
    BitBtn2->setDefault(true);
    BitBtn3 = named(new QPushButton(QStringLiteral("Abbrechen"), this), "BitBtn3");
    Loadbild = named(new QToolButton(this), "Loadbild");
    Loadbild->setText(QStringLiteral("Laden"));
    Loadbild->setToolTip(QStringLiteral("Bild laden"));
    BitBtn1 = named(new QToolButton(this), "BitBtn1");
    BitBtn1->setText(QStringLiteral("aus Länge"));
    BitBtn1->setToolTip(QStringLiteral("Gewicht anhand der Länge berechen"));
    BitBtn4 = named(new QToolButton(this), "BitBtn4");
    BitBtn4->setText(QStringLiteral("aus Gewicht"));
    BitBtn4->setToolTip(QStringLiteral("Länge anhand des Gewichts berechnen"));
    ed_karte = named(new QLineEdit(this), "ed_karte");
    ed_karte->hide();
    cb_zurueckgesetzt = named(new QCheckBox(QStringLiteral("Fisch zurückgesetzt"), this), "cb_zurueckgesetzt");
    SpeedButton1 = named(new QPushButton(QStringLiteral("Position auswählen"), this), "SpeedButton1");
    SpeedButton2 = named(new QPushButton(QStringLiteral("Wetterdaten festlegen"), this), "SpeedButton2");
    Bild = named(new QLabel(this), "Bild");
    Bild->hide();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    int row = 0;
    const auto addRow = [&](const QString& caption, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(field, row, 1, 1, extra ? 1 : 2);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };
    const auto addPair = [&](const QString& caption, QWidget* a, const QString& between, QWidget* b) {
        auto* box = new QHBoxLayout;
        box->setSpacing(4);
        box->addWidget(a, 1);
        box->addWidget(new QLabel(between, this));
        box->addWidget(b, 1);
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addLayout(box, row, 1, 1, 2);
        ++row;
    };
    addRow(QStringLiteral("Fangdatum:"), dt_fangdatum);
    addRow(QStringLiteral("Fänger:"), cb_faenger);
    addPair(QStringLiteral("Angelzeit:"), dt_angelbeginn, QStringLiteral("bis"), dt_angelende);
    addRow(QStringLiteral("Fangzeit:"), dt_fangzeit);
    addRow(QStringLiteral("Fischart:"), cb_fischart);
    addRow(QStringLiteral("Gewicht (g):"), ed_gewicht, BitBtn1);
    addRow(QStringLiteral("Länge (cm):"), ed_laenge, BitBtn4);
    addRow(QStringLiteral("Gewässer:"), cb_gewaesser);
    addRow(QStringLiteral("Stelle:"), cb_stelle);
    addPair(QStringLiteral("Uferdistanz:"), ed_uferdistanz, QStringLiteral("Tiefe:"), ed_fangtiefe);
    addRow(QStringLiteral("Fangmethode:"), cb_fangmethode);
    addRow(QStringLiteral("Köder:"), cb_koeder);
    addRow(QStringLiteral("Bilder:"), ed_bild, Loadbild);
    addRow(QStringLiteral("Bemerkungen:"), ed_bemerkungen);
    lb_sonnemond = named(new QLabel(this), "lb_sonnemond");
    lb_sonnemond->setWordWrap(true);
    lb_sonnemond->setToolTip(QStringLiteral("Wird mit dem Fang gespeichert (Standort unter Einstellungen)"));
    addRow(QStringLiteral("Sonne/Mond:"), lb_sonnemond);
    grid->addWidget(cb_zurueckgesetzt, row++, 0, 1, 3);
    auto* satellites = new QHBoxLayout;
    satellites->addWidget(SpeedButton2);
    satellites->addWidget(SpeedButton1);
    grid->addLayout(satellites, row++, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    grid->addLayout(buttons, row++, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);

    QWidget* order[] = {dt_fangdatum, cb_faenger,     dt_angelbeginn, dt_angelende,   dt_fangzeit,
                        cb_fischart,  ed_gewicht,     ed_laenge,      cb_gewaesser,   cb_stelle,
                        ed_uferdistanz, ed_fangtiefe, cb_fangmethode, cb_koeder,      ed_bild,
                        ed_bemerkungen, BitBtn2,      BitBtn3,        Loadbild,       BitBtn1,
                        BitBtn4,      cb_zurueckgesetzt, SpeedButton1, SpeedButton2};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_focus = new entrywidgets::FocusColours(this);
    for (QWidget* w : std::initializer_list<QWidget*>{cb_faenger, cb_fischart, ed_gewicht, ed_laenge, cb_gewaesser,
                                                     cb_stelle, ed_uferdistanz, ed_fangtiefe, cb_fangmethode,
                                                     cb_koeder, ed_bild, ed_bemerkungen})
        m_focus->watch(w);

    connect(dt_fangdatum, &QDateEdit::dateChanged, this, &TfrmAdd::dt_fangdatumChange);
    // Another water may lie elsewhere: its own location gives other times.
    connect(cb_gewaesser, &QComboBox::currentTextChanged, this, &TfrmAdd::computeSunMoon);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmAdd::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmAdd::BitBtn3Click);
    connect(BitBtn1, &QToolButton::clicked, this, &TfrmAdd::BitBtn1Click);
    connect(BitBtn4, &QToolButton::clicked, this, &TfrmAdd::BitBtn4Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfrmAdd::SpeedButton2Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &TfrmAdd::SpeedButton1Click);
    connect(Loadbild, &QToolButton::clicked, this, &TfrmAdd::LoadbildClick);

    setFixedSize(QSize(303, 463).expandedTo(sizeHint()));
}

// ---- preparations ------------------------------------------------------------------------

void TfrmAdd::loadLists()
{
    const struct {
        QComboBox* box;
        const char* list;
    } lists[] = {{cb_faenger, "Faenger"}, {cb_fangmethode, "Fangmethode"}, {cb_gewaesser, "Gewaesser"},
                 {cb_koeder, "Koeder"},   {cb_stelle, "Stelle"}};
    for (const auto& l : lists) {
        const QString path = lookup::listPath(QLatin1String(l.list));
        if (QFileInfo::exists(path))
            entrywidgets::setSortedItems(l.box, lookup::readList(path));
    }
    const QString weather = lookup::listPath(QStringLiteral("Wetter"));
    if (QFileInfo::exists(weather))
        m_wetter.setWeatherItems(lookup::readList(weather));
    entrywidgets::setSortedItems(cb_fischart, lookup::speciesList());
}

bool TfrmAdd::hasAnglers() const { return cb_faenger->count() > 0; }

void TfrmAdd::prepareNew()
{
    cb_zurueckgesetzt->setChecked(false);
    m_wetter.clearReadings();
    for (QComboBox* box : {cb_faenger, cb_fischart, cb_gewaesser, cb_stelle, cb_koeder, cb_fangmethode})
        clearBox(box);
    ed_karte->clear();
    loadLists();
    Bild->clear();
    BitBtn2->setText(kAdd);
    m_editRow = 0;
}

void TfrmAdd::prepareEdit(int row)
{
    loadLists();
    BitBtn2->setText(QStringLiteral("Speichern"));
    TTextTable& db = m_session.DB;
    if (!db.GoToRow(row))
        throw FkError(QStringLiteral("Der gewählte Eintrag ist nicht mehr vorhanden."));
    using namespace catchrec;
    const auto text = [&](const char* field) { return win1252::decode(db.GetData(field)); };
    // Everything that can fail is read before any control changes.
    const QDate date = german::parseDate(db.GetData(Fangdatum));
    const QTime caught = german::parseTime(db.GetData(Fangzeit));
    const QTime begin = german::parseTime(db.GetData(Angelbeginn));
    const QTime end = german::parseTime(db.GetData(Angelende));
    const bool released = catchrec::isReleased(db.GetData(zurueckgesetzt));

    m_editRow = row;
    dt_fangdatum->setDate(date);
    dt_fangzeit->setTime(caught);
    dt_angelbeginn->setTime(begin);
    dt_angelende->setTime(end);
    entrywidgets::selectExact(cb_faenger, text(Faenger));
    entrywidgets::selectExact(cb_fischart, text(Fischart));
    ed_laenge->setText(text(Laenge));
    ed_gewicht->setText(text(Gewicht));
    cb_gewaesser->setEditText(text(Gewaesser));
    cb_stelle->setEditText(text(Stelle));
    ed_karte->setText(text(Karte));
    cb_fangmethode->setEditText(text(Fangmethode));
    cb_koeder->setEditText(text(Koeder));
    ed_uferdistanz->setText(text(Uferdistanz));
    ed_fangtiefe->setText(text(Fangtiefe));
    ed_bild->setText(text(catchrec::Bild));
    ed_bemerkungen->setText(text(Bemerkungen));
    m_wetter.setReadings({text(Wetter), text(Lufttemperatur), text(Wassertemperatur), text(Luftdruck),
                          text(Windrichtung), text(Windstaerke), text(Wassertruebung), text(Wasserstand)});
    cb_zurueckgesetzt->setChecked(released);
}

// ---- events ------------------------------------------------------------------------------

void TfrmAdd::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
    // Typing starts in the first field.
    dt_fangdatum->setFocus(Qt::OtherFocusReason);
}

void TfrmAdd::FormShow()
{
    if (BitBtn2->text() == kAdd) {
        const QDateTime now = appClock().now();
        dt_fangdatum->setDate(now.date());
        for (QTimeEdit* t : {dt_fangzeit, dt_angelbeginn, dt_angelende})
            t->setTime(toMinute(now.time()));
        for (QComboBox* box : {cb_faenger, cb_fangmethode, cb_fischart, cb_gewaesser, cb_koeder, cb_stelle,
                               m_wetter.cb_wetter})
            clearBox(box);
        for (QLineEdit* e : {ed_bemerkungen, ed_bild, ed_gewicht, ed_laenge, ed_fangtiefe, ed_uferdistanz})
            e->clear();
    }
    dt_fangdatumChange();
}

void TfrmAdd::dt_fangdatumChange()
{
    computeSunMoon();
}

void TfrmAdd::computeSunMoon()
{
    // For the catch day at the location of the catch's water; what is stored is shown.
    m_sunMoon = location::sunMoonForCatch(dt_fangdatum->date(), cb_gewaesser->currentText());
    lb_sonnemond->setText(QStringLiteral("Sonne %1 – %2, Mond %3 – %4, %5")
                              .arg(m_sunMoon.sunRiseText(), m_sunMoon.sunSetText(), m_sunMoon.moonRiseText(),
                                   m_sunMoon.moonSetText(), m_sunMoon.moonPhaseText()));
}

void TfrmAdd::BitBtn3Click()
{
    trace::step(QStringLiteral("ADD: Cancel"));
    reject();
}

void TfrmAdd::SpeedButton2Click()
{
    trace::step(QStringLiteral("ADD: Wetter"));
    m_wetter.exec();
}

void TfrmAdd::SpeedButton1Click()
{
    trace::step(QStringLiteral("ADD: Karte"));
    if (const std::optional<QString> position =
            mapchooser::choosePosition(this, cb_gewaesser->currentText(), ed_karte->text()))
        ed_karte->setText(*position);
}

void TfrmAdd::LoadbildClick()
{
    // The picture dialog gets ed_bild's comma text and gives the new one back on "Speichern".
    if (const std::optional<QString> text = frmBilderladen->editPictures(ed_bild->text()))
        ed_bild->setText(*text);
}

// A species without condition factor: what was typed stays, the user learns why nothing changed.
void TfrmAdd::noEstimate()
{
    userInteraction().information(this,
                                  QStringLiteral("Für die Fischart \"%1\" gibt es keine Schätzung von Länge und "
                                                 "Gewicht. Bitte tragen Sie den Wert selbst ein.")
                                      .arg(cb_fischart->currentText()),
                                  QStringLiteral("Keine Schätzung"));
}

void TfrmAdd::BitBtn1Click()
{
    if (ed_laenge->text().isEmpty() || cb_fischart->currentText().isEmpty()) {
        userInteraction().information(this, QStringLiteral("Bitte Länge oder Fischart auswählen"));
        return;
    }
    const QString weight = lengthweight::weightFromLength(cb_fischart->currentText(), ed_laenge->text());
    if (weight.isEmpty()) {
        noEstimate();
        return;
    }
    ed_gewicht->setText(weight);
}

void TfrmAdd::BitBtn4Click()
{
    if (ed_gewicht->text().isEmpty() || cb_fischart->currentText().isEmpty()) {
        userInteraction().information(this, QStringLiteral("Bitte Gewicht oder Fischart auswählen"));
        return;
    }
    const QString length = lengthweight::lengthFromWeight(cb_fischart->currentText(), ed_gewicht->text());
    if (length.isEmpty()) {
        noEstimate();
        return;
    }
    ed_laenge->setText(length);
}

// ---- save --------------------------------------------------------------------------------

namespace {

struct Refusal {
    QString message;
};

QByteArray encoded(const QString& field, const QString& text)
{
    QByteArray bytes;
    if (!win1252::encode(text, &bytes))
        throw Refusal{QStringLiteral("Das Feld \"%1\" enthält das Zeichen \"%2\", das in der Fischkladde nicht "
                                     "gespeichert werden kann. Bitte ändern Sie den Text.")
                          .arg(field, win1252::firstUnencodable(text))};
    return bytes;
}

// Lengths, weights, temperatures and pressure are whole numbers: one pasted "4,5" would make
// every later overview fail.
void requireWholeNumber(const QString& field, const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return;
    try {
        german::parseInt(text);
    } catch (const EConvertError&) {
        throw Refusal{QStringLiteral("Bitte geben Sie bei \"%1\" eine ganze Zahl ohne Komma oder Punkt ein "
                                     "(eingegeben: \"%2\").")
                          .arg(field, text)};
    }
}

} // namespace

catchops::CatchValues TfrmAdd::composeRecord()
{
    const WeatherReadings weather = m_wetter.readings();
    requireWholeNumber(QStringLiteral("Länge"), ed_laenge->text());
    requireWholeNumber(QStringLiteral("Gewicht"), ed_gewicht->text());
    requireWholeNumber(QStringLiteral("Wassertemperatur"), weather.wassertemp);
    requireWholeNumber(QStringLiteral("Lufttemperatur"), weather.lufttemp);
    requireWholeNumber(QStringLiteral("Luftdruck"), weather.luftdruck);

    const QTime begin = toMinute(dt_angelbeginn->time());
    const QTime end = toMinute(dt_angelende->time());
    // A trip across midnight (22:00 to 02:00) lasted 4 hours, not 20.
    const int minutes = (begin.secsTo(end) / 60 + 24 * 60) % (24 * 60);
    const QString weight = ed_gewicht->text().trimmed().isEmpty() ? QStringLiteral("0") : ed_gewicht->text().trimmed();

    using namespace catchrec;
    const auto c = [](const QString& text) { return win1252::encodeLossy(text); }; // known forms
    catchops::CatchValues v;
    v[Fangdatum] = c(german::formatDate(dt_fangdatum->date()));
    v[Fangzeit] = c(german::formatClock(dt_fangzeit->time()));
    v[Fischart] = encoded(QStringLiteral("Fischart"), cb_fischart->currentText());
    v[Laenge] = c(ed_laenge->text().trimmed());
    v[Gewicht] = c(weight);
    v[Faenger] = encoded(QStringLiteral("Fänger"), cb_faenger->currentText());
    v[Gewaesser] = encoded(QStringLiteral("Gewässer"), cb_gewaesser->currentText());
    v[Stelle] = encoded(QStringLiteral("Stelle"), cb_stelle->currentText());
    v[Fangmethode] = encoded(QStringLiteral("Fangmethode"), cb_fangmethode->currentText());
    v[Koeder] = encoded(QStringLiteral("Köder"), cb_koeder->currentText());
    v[Wetter] = encoded(QStringLiteral("Wetter"), weather.wetter);
    v[Angelbeginn] = c(german::formatClock(begin));
    v[Angelende] = c(german::formatClock(end));
    v[Angeldauer] = c(german::formatClock(QTime(minutes / 60, minutes % 60)));
    v[Uferdistanz] = encoded(QStringLiteral("Uferdistanz"), ed_uferdistanz->text());
    v[Fangtiefe] = encoded(QStringLiteral("Fangtiefe"), ed_fangtiefe->text());
    v[Bemerkungen] = encoded(QStringLiteral("Bemerkungen"), ed_bemerkungen->text());
    v[Sonnenaufgang] = c(m_sunMoon.sunRiseText());
    v[Sonnenuntergang] = c(m_sunMoon.sunSetText());
    v[Mondaufgang] = c(m_sunMoon.moonRiseText());
    v[Monduntergang] = c(m_sunMoon.moonSetText());
    v[Mondphase] = c(m_sunMoon.moonPhaseText());
    v[Karte] = encoded(QStringLiteral("Karte"), ed_karte->text());
    v[Wassertemperatur] = c(weather.wassertemp.trimmed());
    v[Lufttemperatur] = c(weather.lufttemp.trimmed());
    v[Luftdruck] = c(weather.luftdruck.trimmed());
    v[Windrichtung] = c(weather.windrichtung);
    v[Windstaerke] = c(weather.windstaerke);
    v[Wassertruebung] = c(weather.wassertruebung);
    v[Wasserstand] = c(weather.wasserstand);
    v[zurueckgesetzt] = c(cb_zurueckgesetzt->isChecked() ? QStringLiteral("-1") : QStringLiteral("0"));
    v[catchrec::Bild] = encoded(QStringLiteral("Bild"), ed_bild->text());
    return v;
}

void TfrmAdd::growLists()
{
    const struct {
        QComboBox* box;
        const char* list;
    } lists[] = {{cb_koeder, "Koeder"},           {cb_stelle, "Stelle"},      {cb_gewaesser, "Gewaesser"},
                 {cb_fangmethode, "Fangmethode"}, {cb_fischart, "Fischarten"}};
    for (const auto& l : lists) {
        const QString text = l.box->currentText();
        // An empty text names nothing and must never win a figure.
        if (text.trimmed().isEmpty() || entrywidgets::exactIndex(l.box, text) >= 0)
            continue;
        entrywidgets::addSortedItem(l.box, text);
        lookup::writeNamedList(QLatin1String(l.list), items(l.box));
    }
    const QString weather = m_wetter.readings().wetter;
    if (!weather.trimmed().isEmpty() && !m_wetter.hasWeatherItem(weather)) {
        m_wetter.addWeatherItem(weather);
        lookup::writeNamedList(QStringLiteral("Wetter"), m_wetter.weatherItems());
    }
}

void TfrmAdd::BitBtn2Click()
{
    trace::step(QStringLiteral("ADD: ") + BitBtn2->text());
    catchops::CatchValues values;
    try {
        values = composeRecord();
    } catch (const Refusal& r) {
        userInteraction().warning(this, r.message, QStringLiteral("Warnung"));
        return;
    }
    const bool adding = BitBtn2->text() == kAdd;
    int row = 0;
    try {
        row = catchops::saveCatch(m_session, adding ? 0 : m_editRow, values);
    } catch (const catchops::EDatabaseMissing& missing) {
        // The file was moved or deleted since it was opened: write the log anew where it was.
        if (!userInteraction().confirm(this,
                                       missing.message()
                                           + QStringLiteral("\n\nSoll die Fischkladde Datenbank dort neu geschrieben "
                                                            "werden (mit allen Fängen dieser Sitzung)?"),
                                       QStringLiteral("Datenbank fehlt")))
            return;
        m_session.DB.saveOrThrow(missing.path);
        row = catchops::saveCatch(m_session, adding ? 0 : m_editRow, values);
    }
    // Only a saved catch grows the lists.
    growLists();
    ed_gewicht->setText(QString::fromLatin1(values[catchrec::Gewicht]));
    QDir().mkpath(ProgramFolder::file(QStringLiteral("img")));
    // Closed before the list is rebuilt: a failing rebuild must not leave a second save open.
    accept();
    emit catchSaved(row);
}
