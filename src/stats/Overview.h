#pragma once
// The overview figures of the main window: totals and "best" entries over the catches of one
// angler (or all) in one year (or all), and the cost total over the whole cost table.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

class TTextTable;

namespace overview {

// The lists whose entries compete for the best method, weather, bait, species and angler;
// their order is the tie-break order.
struct Lists {
    QStringList methods;
    QStringList weathers;
    QStringList baits;
    QStringList species;
    QStringList anglers;
};

// Methods, weathers and baits from their files in "DATs" (missing file: empty list); the
// species the entry dialog offers, sorted as it shows them; the anglers as given, blank
// lines left out.
Lists readLists(const QStringList& anglers);

// The ten pairs in the order they are written.
enum Figure {
    BestDay, BestHour, BestMoonPhase, BestMethod, BestWeather, BestBait,
    FrequentSpecies, LongestFish, HeaviestFish, BestAngler, FigureCount
};
// Label base names: "besterfangtag" ... "besterfaenger" (add "_1" / "_2").
const std::array<QString, FigureCount>& figureNames();

// Shown as the _1 text when nothing wins: no counted catch carried one of the four moon
// phases, the list of a figure is empty, or (weekday, hour) no catch was counted.
inline const QString kNoWinner = QStringLiteral("–");

struct Pair {
    QString first;  // the _1 label: the winner
    QString second; // the _2 label: "(14 Fänge)"
};

struct CatchFigures {
    int counted = 0;     // catches that passed the filters
    QString weightSum;   // lb_summefischgewicht, "12,50 kg"
    QString lengthSum;   // lb_summefischlaenge, "7,34 m"
    std::array<Pair, FigureCount> pairs;
    // The Angeldauer part of each distinct outing, in the order first met.
    QList<QByteArray> outingDurations;
};

// The pass over the catch table. Raises EConvertError for a counted catch whose date, catch
// time, length or weight cannot be read.
CatchFigures countCatches(const TTextTable& db, const Lists& lists, const QString& angler, int year);

// lb_angelkosten: the sum of GesamtpreisVersand over every cost row, "85,40 €". Raises
// EConvertError for a value that is not a decimal number.
QString costSum(const TTextTable& akdb);

// lb_angelzeit: the durations added up, "12 Std. 5 min". Raises EConvertError for a
// duration that is not a time.
QString fishingTime(const QList<QByteArray>& durations);

struct Result {
    bool computed = false; // false for an empty catch table: no figure changes
    CatchFigures catches;
    QString costs;
    QString fishingTime;
};

// The whole computation in the order the window writes its labels.
Result compute(const TTextTable& db, const TTextTable& akdb, const Lists& lists, const QString& angler, int year);

} // namespace overview
