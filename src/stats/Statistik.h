#pragma once
// The statistics of the "Statistik" window as plain computations over the catch table: the
// selection loaders, the species, bait and weather pages, and the shared list-view sorting.
// Nothing here shows anything or writes the step trace; the window does that.
//
// Filters: `angler` empty means all anglers; `year` 0 means all years. Conversion errors of
// stored values raise EConvertError with the platform's message ("'%s' is not a valid date").
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

class TTextTable;

namespace statistik {

// First entry of the species selections: all species.
inline const QString kGesamt = QStringLiteral("--Gesamt--");
// First entry of the year selections: all years.
inline const QString kAlle = QStringLiteral("-Alle-");
// Record text when no selected catch weighs more than 0 g (record row -1).
inline const QString kKeinRekord = QStringLiteral("Kein Rekordfisch (kein Fang mit Gewicht über 0 g)");

// The fixed entries of the weather dialog's lists, in their order.
const QStringList& windStrengths();  // 13 entries, "Windstill" ... "Orkan"
const QStringList& windDirections(); // 9 entries, "Windstill", "N" ... "NW"
const QStringList& turbidities();    // "klar", "leicht", "mittel", "stark"
const QStringList& waterLevels();    // "normal", "hoch", "niedrig"

// ---- Selection loaders -------------------------------------------------------------------
// Distinct non-empty values of the rows of the angler and year, sorted ascending in German
// collation without regard to letter case; of values differing only in case the first met wins.

// cbload / loadwettercb: "--Gesamt--", then the distinct `Fischart` values.
QStringList cbload(const TTextTable& db, const QString& angler, int year);
inline QStringList loadwettercb(const TTextTable& db, const QString& angler, int year)
{
    return cbload(db, angler, year);
}
// loadkoedercb: the distinct `Koeder` values (no "all" entry).
QStringList loadkoedercb(const TTextTable& db, const QString& angler, int year);
// loadjahrcb: "-Alle-", then the distinct years of `Fangdatum` of the angler's catches as
// four-digit text, newest first. Rows with an empty `Fangdatum` are skipped.
QStringList loadjahrcb(const TTextTable& db, const QString& angler);
// The year a selection entry stands for: 0 for "-Alle-" (or anything that is not a year).
int yearOf(const QString& entry);

// ---- Pages -------------------------------------------------------------------------------

// One row of a list view: first and second column as shown.
struct ListRow {
    QString first;
    QString second;
    bool operator==(const ListRow&) const = default;
};

struct ListView {
    QString name; // the control's name, e.g. "lv_koeder"
    QList<ListRow> rows;
};

// The lookup lists the species and bait pages count by (missing file: empty list).
struct Lists {
    QStringList baits;   // DATs/Koeder.dat
    QStringList weathers; // DATs/Wetter.dat
    QStringList waters;  // DATs/Gewaesser.dat
};
Lists readLists();

// Result of the species page (`statistikfischart`) or the bait page (`statistikkoeder`).
struct ItemPage {
    bool baitPage = false;
    // Label texts in the order lb_gefangeneFische, lb_laenge, lb_gewicht, lb_monat, lb_tag,
    // lb_fangzeit, lb_mond (bait page: the lb_koeder... labels).
    int count = 0;
    QString gefangeneFische; // the count as text
    QString laenge;          // average length, "50,33"; "0" without any length
    QString gewicht;         // average weight, "1200,00"; "0" without any weight
    QString monat, tag, fangzeit, mond; // best entries, empty when nothing was counted
    QStringList rekord;      // record lines (label text joins them with "\n")
    int recordRow = -1;      // 1-based DB row of the record fish, -1 for none
    // Species page: lv_koeder, lv_wetter, lv_gewaesser, lv_monat, lv_zeit, lv_mond.
    // Bait page: lv_koederfischarten, lv_koederwetter, lv_koedergewaesser, lv_koedermonat,
    // lv_koederzeit, lv_koedermond. Rows: count, name; sorted by count, highest first.
    std::array<ListView, 6> lists;

    // The seven label names of the page and their texts, in the order of the fields above.
    QStringList labelNames() const;
    QStringList labelTexts() const;
    // "lb_rekord" / "lb_koederrekord"
    QString rekordLabel() const;
};

// Species page for one species ("--Gesamt--" or empty: all species). Catches with an empty
// `Laenge` (`Gewicht`) count everywhere but stay out of the length (weight) average.
ItemPage statistikfischart(const TTextTable& db, const Lists& lists, const QString& angler,
                           const QString& species, int year);

// Bait page for one bait (exact match). `species` are the species it counts by: the entries
// of the species page's selection without "--Gesamt--".
ItemPage statistikkoeder(const TTextTable& db, const Lists& lists, const QStringList& species,
                         const QString& angler, const QString& bait, int year);

// Weather page: lv_wetterwindstaerke, lv_wetterwindrichtung, lv_wettertruebung,
// lv_wetterwasserstand, lv_wetterltemp, lv_wetterwtemp, lv_wetterluftdruck; rows: value,
// count; sorted by count, highest first (equal counts: fixed-list or ascending value order).
// A non-empty temperature or pressure that is not a whole number, in any row, raises
// "'%s' is not a valid integer value".
struct WeatherPage {
    std::array<ListView, 7> lists;
};
WeatherPage statistikwetter(const TTextTable& db, const QString& angler, const QString& species, int year);

// ---- List-view sorting -------------------------------------------------------------------

// Numeric mode: whole numbers, greater first; a number before a text that is none; two
// non-numbers equal. Text mode: German, case-sensitive, alphabetical. `reversed` turns the
// result round. The sort is stable.
void sortRows(QList<ListRow>& rows, int column, bool numeric, bool reversed);

// The sort state all list views of the window share: one direction flag per column.
class ColumnSorter {
public:
    // A header click: numeric for column 0, text for column 1; sorts by the column's flag,
    // then toggles it.
    void headerClicked(QList<ListRow>& rows, int column);
    // After a computation: the column's flag is cleared (next click sorts highest first).
    void reset(int column) { m_reversed[column & 1] = false; }
    bool reversed(int column) const { return m_reversed[column & 1]; }

private:
    bool m_reversed[2] = {false, false};
};

} // namespace statistik
