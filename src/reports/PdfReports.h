#pragma once
// The PDF reports (species statistics, cost list, year overview of the costs, catches) and the
// HTML year list of the costs window. Each report is written completely or not at all: the
// file appears under its name only when the document is complete. Nothing to report raises
// NoDataError ("Keine Daten zum Auswerten") before a file is touched.
#include "base/FkError.h"
#include "costs/Costs.h"
#include "stats/Statistik.h"

#include <QList>
#include <QString>
#include <functional>

class TTextTable;

namespace reports {

inline const QString kKeineDaten = QStringLiteral("Keine Daten zum Auswerten");

class NoDataError : public FkError {
public:
    NoDataError() : FkError(kKeineDaten) {}
};

// The report the PDF dialog produces.
enum class PdfMode { Catches, CostList, YearOverview };

// Called after each printed page with the page number and the number of pages the report
// will have.
using Progress = std::function<void(int page, int pages)>;

// Species statistics: one row per species of the angler (empty: all) and year (0: all),
// then the bold row "Gesamt".
void writeStatistikReport(const TTextTable& db, const statistik::Lists& lists, const QString& angler, int year,
                          const QString& path, const Progress& progress = {});

// Purchases of the year (0: all), the last table row first, then the total line.
void writeCostListReport(const TTextTable& akdb, int year, const QString& path, const Progress& progress = {});

// The lines of the year overview up to `currentYear`.
void writeYearOverviewReport(const TTextTable& akdb, int currentYear, const QString& path,
                             const Progress& progress = {});

// The rows (1-based, table order) of the angler's (empty: all) catches in the year (0: all).
// Raises EConvertError for a catch date that does not convert.
QList<int> selectCatches(const TTextTable& db, const QString& angler, int year);
// The first picture of a `Bild` comma text, quotes removed; empty when the list is empty.
QString firstPicture(const QByteArray& bild);
// Three catch blocks a page, the last selected catch first, pictures from `imageFolder`.
// A picture that cannot be decoded raises FkError naming its file.
void writeCatchReport(const TTextTable& db, const QString& angler, int year, const QString& imageFolder,
                      const QString& path, const Progress& progress = {});

// The HTML list per year of the costs window: for each year (newest first) a table of the
// lines in `lines` (in their list order) dated in that year, with its total. Windows-1252.
QByteArray costYearsHtml(const QList<costs::CostLine>& lines, const QStringList& years);
// As the costs window writes it with its filters at "-Alle-" and its sort order after filling.
QByteArray costYearsHtml(const TTextTable& akdb, const QDate& today);

} // namespace reports
