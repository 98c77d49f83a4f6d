#include "ui/entry/TfrmAdd.h"
#include "data/Clock.h"
#include "data/GermanFormat.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "base/Win1252.h"
#include "entry/LengthWeight.h"
#include "base/FkError.h"
#include "ui/common/UserInteraction.h"
#include "ui/entry/EntryWidgets.h"
#include "ui/entry/TfrmBilderladen.h"
#include "ui/entry/TfrmWetter.h"

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

// The fields in the order the save writes them; Bild (the last) after the lists grew.
const char* const kSaveOrder[] = {
    "Fangdatum",  "Fangzeit",       "Fischart",      "Laenge",           "Gewicht",        "Faenger",
    "Gewaesser",  "Stelle",         "Fangmethode",   "Koeder",           "Wetter",         "Angelbeginn",
    "Angelende",  "Angeldauer",     "Uferdistanz",   "Fangtiefe",        "Bemerkungen",    "Sonnenaufgang",
    "Sonnenuntergang", "Mondaufgang", "Monduntergang", "Mondphase",      "Karte",          "Wassertemperatur",
    "Lufttemperatur", "Luftdruck",  "Windrichtung",  "Windstaerke",      "Wassertruebung", "Wasserstand",
    "zurueckgesetzt", "Bild"};
constexpr int kFieldCount = int(std::size(kSaveOrder));

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
    auto* t = named(new QTimeEdit(parent), name);
    t->setDisplayFormat(QStringLiteral("HH:mm"));
    return t;
}

QTime toMinute(const QTime& t) { return QTime(t.hour(), t.minute()); }

void clearBox(QComboBox* box)
{
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->setEditText(QString());
}

// "-1" or any non-zero number is true, "0" false; the words True/False as the platform
// reads them; anything else is a conversion error.
bool readBoolean(const QString& text)
{
    bool ok = false;
    const double number = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    if (ok)
        return number != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
}

} // namespace

TfrmAdd::TfrmAdd(Session& session, TfrmWetter& wetter, QWidget* parent)
    : QDialog(parent), SunMoonCalendar1(QDateTime(appClock().now().date(), QTime(0, 0))), m_session(session),
      m_wetter(wetter)
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

    dt_fangdatum = named(new QDateEdit(this), "dt_fangdatum");
    dt_fangdatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    dt_fangdatum->setCalendarPopup(true);
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
    SpeedButton1->setEnabled(false); // the water map is not there yet
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

    auto* keys = new entrywidgets::WholeNumberKeys(this);
    ed_laenge->installEventFilter(keys);
    ed_gewicht->installEventFilter(keys);
    m_focus = new entrywidgets::FocusColours(this);
    for (QWidget* w : std::initializer_list<QWidget*>{cb_faenger, cb_fischart, ed_gewicht, ed_laenge, cb_gewaesser,
                                                     cb_stelle, ed_uferdistanz, ed_fangtiefe, cb_fangmethode,
                                                     cb_koeder, ed_bild, ed_bemerkungen})
        m_focus->watch(w);

    connect(dt_fangdatum, &QDateEdit::dateChanged, this, &TfrmAdd::dt_fangdatumChange);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmAdd::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmAdd::BitBtn3Click);
    connect(BitBtn1, &QToolButton::clicked, this, &TfrmAdd::BitBtn1Click);
    connect(BitBtn4, &QToolButton::clicked, this, &TfrmAdd::BitBtn4Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfrmAdd::SpeedButton2Click);
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
                 {cb_koeder, "Koeder"},   {cb_stelle, "Stelle"},           {m_wetter.cb_wetter, "Wetter"},
                 {cb_fischart, "Fischarten"}};
    for (const auto& l : lists) {
        const QString path = lookup::listPath(QLatin1String(l.list));
        if (QFileInfo::exists(path))
            entrywidgets::setSortedItems(l.box, lookup::readList(path));
    }
}

bool TfrmAdd::hasAnglers() const { return cb_faenger->count() > 0; }

QStringList TfrmAdd::reloadSpecies()
{
    const QString path = lookup::listPath(QStringLiteral("Fischarten"));
    if (!QFileInfo::exists(path))
        return items(cb_fischart);
    const QStringList species = lookup::readList(path);
    entrywidgets::setSortedItems(cb_fischart, species);
    return species;
}

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
    const auto text = [&](const char* field) { return win1252::decode(db.GetData(field)); };
    // Everything that can fail is read before any control changes.
    const QDate date = german::parseDate(db.GetData("Fangdatum"));
    const QTime caught = german::parseTime(db.GetData("Fangzeit"));
    const QTime begin = german::parseTime(db.GetData("Angelbeginn"));
    const QTime end = german::parseTime(db.GetData("Angelende"));
    const QString released = text("zurueckgesetzt");
    const bool isReleased = !released.isEmpty() && readBoolean(released);

    m_editRow = row;
    dt_fangdatum->setDate(date);
    dt_fangzeit->setTime(caught);
    dt_angelbeginn->setTime(begin);
    dt_angelende->setTime(end);
    entrywidgets::selectExact(cb_faenger, text("Faenger"));
    entrywidgets::selectExact(cb_fischart, text("Fischart"));
    ed_laenge->setText(text("Laenge"));
    ed_gewicht->setText(text("Gewicht"));
    cb_gewaesser->setEditText(text("Gewaesser"));
    cb_stelle->setEditText(text("Stelle"));
    ed_karte->setText(text("Karte"));
    cb_fangmethode->setEditText(text("Fangmethode"));
    cb_koeder->setEditText(text("Koeder"));
    m_wetter.cb_wetter->setEditText(text("Wetter"));
    ed_uferdistanz->setText(text("Uferdistanz"));
    ed_fangtiefe->setText(text("Fangtiefe"));
    ed_bild->setText(text("Bild"));
    ed_bemerkungen->setText(text("Bemerkungen"));
    m_wetter.ed_lufttemp->setText(text("Lufttemperatur"));
    m_wetter.ed_wassertemp->setText(text("Wassertemperatur"));
    m_wetter.ed_luftdruck->setText(text("Luftdruck"));
    entrywidgets::selectExact(m_wetter.cb_windrichtung, text("Windrichtung"));
    entrywidgets::selectExact(m_wetter.cb_windstaerke, text("Windstaerke"));
    entrywidgets::selectExact(m_wetter.cb_wassertruebung, text("Wassertruebung"));
    entrywidgets::selectExact(m_wetter.cb_wasserstand, text("Wasserstand"));
    cb_zurueckgesetzt->setChecked(isReleased);
}

// ---- events ------------------------------------------------------------------------------

void TfrmAdd::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
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
    SunMoonCalendar1.setDate(QDateTime(dt_fangdatum->date(), QTime(0, 0)));
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

void TfrmAdd::LoadbildClick()
{
    // The picture dialog gets ed_bild's comma text and gives the new one back on "Speichern".
    if (const std::optional<QString> text = frmBilderladen->editPictures(ed_bild->text()))
        ed_bild->setText(*text);
}

void TfrmAdd::BitBtn1Click()
{
    if (ed_laenge->text().isEmpty() || cb_fischart->currentText().isEmpty()) {
        userInteraction().information(this, QStringLiteral("Bitte Länge oder Fischart auswählen"));
        return;
    }
    ed_gewicht->setText(lengthweight::weightFromLength(cb_fischart->currentText(), ed_laenge->text()));
}

void TfrmAdd::BitBtn4Click()
{
    if (ed_gewicht->text().isEmpty() || cb_fischart->currentText().isEmpty()) {
        userInteraction().information(this, QStringLiteral("Bitte Gewicht oder Fischart auswählen"));
        return;
    }
    ed_laenge->setText(lengthweight::lengthFromWeight(cb_fischart->currentText(), ed_gewicht->text()));
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
                          .arg(field, QString(win1252::firstUnencodable(text)))};
    return bytes;
}

// Lengths, weights, temperatures and pressure are whole numbers: one pasted "4,5" would make
// every later overview fail.
void requireWholeNumber(const QString& field, QLineEdit* edit)
{
    const QString text = edit->text().trimmed();
    edit->setText(text);
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

QList<QByteArray> TfrmAdd::composeRecord()
{
    requireWholeNumber(QStringLiteral("Länge"), ed_laenge);
    requireWholeNumber(QStringLiteral("Gewicht"), ed_gewicht);
    requireWholeNumber(QStringLiteral("Wassertemperatur"), m_wetter.ed_wassertemp);
    requireWholeNumber(QStringLiteral("Lufttemperatur"), m_wetter.ed_lufttemp);
    requireWholeNumber(QStringLiteral("Luftdruck"), m_wetter.ed_luftdruck);

    const QTime begin = toMinute(dt_angelbeginn->time());
    const QTime end = toMinute(dt_angelende->time());
    // A trip across midnight (22:00 to 02:00) lasted 4 hours, not 20.
    const int minutes = (begin.secsTo(end) / 60 + 24 * 60) % (24 * 60);
    const QString weight = ed_gewicht->text().isEmpty() ? QStringLiteral("0") : ed_gewicht->text();

    const auto c = [](const QString& text) { return win1252::encodeLossy(text); }; // known forms
    QList<QByteArray> v = {
        c(german::formatDate(dt_fangdatum->date())),
        c(german::formatClock(dt_fangzeit->time())),
        encoded(QStringLiteral("Fischart"), cb_fischart->currentText()),
        c(ed_laenge->text()),
        c(weight),
        encoded(QStringLiteral("Fänger"), cb_faenger->currentText()),
        encoded(QStringLiteral("Gewässer"), cb_gewaesser->currentText()),
        encoded(QStringLiteral("Stelle"), cb_stelle->currentText()),
        encoded(QStringLiteral("Fangmethode"), cb_fangmethode->currentText()),
        encoded(QStringLiteral("Köder"), cb_koeder->currentText()),
        encoded(QStringLiteral("Wetter"), m_wetter.cb_wetter->currentText()),
        c(german::formatClock(begin)),
        c(german::formatClock(end)),
        c(german::formatClock(QTime(minutes / 60, minutes % 60))),
        encoded(QStringLiteral("Uferdistanz"), ed_uferdistanz->text()),
        encoded(QStringLiteral("Fangtiefe"), ed_fangtiefe->text()),
        encoded(QStringLiteral("Bemerkungen"), ed_bemerkungen->text()),
        c(SunMoonCalendar1.sunRiseText()),
        c(SunMoonCalendar1.sunSetText()),
        c(SunMoonCalendar1.moonRiseText()),
        c(SunMoonCalendar1.moonSetText()),
        c(SunMoonCalendar1.moonPhaseText()),
        encoded(QStringLiteral("Karte"), ed_karte->text()),
        c(m_wetter.ed_wassertemp->text()),
        c(m_wetter.ed_lufttemp->text()),
        c(m_wetter.ed_luftdruck->text()),
        c(m_wetter.cb_windrichtung->currentText()),
        c(m_wetter.cb_windstaerke->currentText()),
        c(m_wetter.cb_wassertruebung->currentText()),
        c(m_wetter.cb_wasserstand->currentText()),
        c(cb_zurueckgesetzt->isChecked() ? QStringLiteral("-1") : QStringLiteral("0")),
        encoded(QStringLiteral("Bild"), ed_bild->text())};
    ed_gewicht->setText(weight);
    return v;
}

void TfrmAdd::growLists()
{
    const struct {
        QComboBox* box;
        const char* list;
    } lists[] = {{cb_koeder, "Koeder"},           {cb_stelle, "Stelle"},
                 {m_wetter.cb_wetter, "Wetter"},  {cb_gewaesser, "Gewaesser"},
                 {cb_fangmethode, "Fangmethode"}, {cb_fischart, "Fischarten"}};
    for (const auto& l : lists) {
        const QString text = l.box->currentText();
        if (entrywidgets::exactIndex(l.box, text) >= 0)
            continue;
        entrywidgets::addSortedItem(l.box, text);
        lookup::writeNamedList(QLatin1String(l.list), items(l.box));
    }
}

void TfrmAdd::BitBtn2Click()
{
    trace::step(QStringLiteral("ADD: ") + BitBtn2->text());
    const IniFile settings = IniFile::settings();
    QList<QByteArray> values;
    try {
        values = composeRecord();
    } catch (const Refusal& r) {
        userInteraction().warning(this, r.message, QStringLiteral("Warnung"));
        return;
    }

    TTextTable& db = m_session.DB;
    const bool adding = BitBtn2->text() == kAdd;
    QList<QByteArray> previous;
    if (adding) {
        db.AddRow();
    } else {
        if (!db.GoToRow(m_editRow))
            throw FkError(QStringLiteral("Der gewählte Eintrag ist nicht mehr vorhanden."));
        for (int col = 1; col <= db.FieldCount(); ++col)
            previous << db.value(m_editRow, col);
    }
    const int row = db.CurrentRow();
    try {
        for (int i = 0; i < kFieldCount - 1; ++i)
            db.SetData(kSaveOrder[i], values[i]);
        growLists();
        db.SetData(kSaveOrder[kFieldCount - 1], values[kFieldCount - 1]);
        const QString path = settings.readString(QStringLiteral("DB"), QStringLiteral("File"));
        if (!path.isEmpty() && QFileInfo(path).isFile())
            db.saveOrThrow(path);
    } catch (...) {
        // Not saved: take the change back, so that trying again does not enter it twice.
        if (adding) {
            db.GoToRow(row);
            db.DeleteRow();
        } else {
            for (int col = 1; col <= previous.size(); ++col)
                db.setValue(row, col, previous[col - 1]);
        }
        throw;
    }
    QDir().mkpath(ProgramFolder::file(QStringLiteral("img")));
    // Closed before the list is rebuilt: a failing rebuild must not leave a second save open.
    accept();
    if (refreshMainList)
        refreshMainList();
}
