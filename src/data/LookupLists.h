#pragma once
// The lookup lists in "DATs": one value per line, Windows-1252, CR LF.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TTextTable;

namespace lookup {

// The seven lists the list editor edits, numbered as the editor's pages.
enum class ListKind { Gewaesser = 1, Faenger, Fangmethode, Koeder, Stelle, Wetter, Fischarten };

// File base names of the catch lists, in the order the rebuild writes them.
inline const QStringList kCatchListNames = {
    QStringLiteral("Faenger"), QStringLiteral("Fangmethode"), QStringLiteral("Wetter"),
    QStringLiteral("Stelle"), QStringLiteral("Gewaesser"), QStringLiteral("Koeder"),
    QStringLiteral("Fischarten")};
inline const QStringList kCostListNames = {QStringLiteral("AK_Artikelbez"), QStringLiteral("AK_Geschaeft")};

// The 27 default species in their fixed order.
const QStringList& defaultSpecies();

// The species the entry dialog offers: "Fischarten.dat" when it exists, else the defaults.
QStringList speciesList();

// "<program folder>/DATs/<name>.dat"
QString listPath(const QString& name);

// Splits at CR LF, lone CR or lone LF; blank lines are left out. A missing file is
// an empty list; a file that exists but cannot be read raises EFileError.
QStringList readList(const QString& path);
QStringList readNamedList(const QString& name);
// Writes each value but blank ones and CR LF (safe replace); raises EFileError (also for a value without a
// Windows-1252 form).
void writeList(const QString& path, const QStringList& values);
void writeNamedList(const QString& name, const QStringList& values);

// A sorted list in German collation that ignores letter case and keeps the first form of a
// value met in any letter case.
class SortedUniqueList {
public:
    void add(const QString& value);
    const QStringList& values() const { return m_values; }

private:
    QStringList m_values;
};

// German, case-insensitive comparison used by every sorted list of the program.
int compareText(const QString& a, const QString& b);

// Rebuilds the seven catch lists from the catches; the species list holds the defaults
// followed by each further species once, in row order.
void rebuildCatchLists(const TTextTable& db);
// Rebuilds "AK_Artikelbez" and "AK_Geschaeft" from the costs.
void rebuildCostLists(const TTextTable& akdb);
// Deletes the list files a new database starts without.
void deleteCatchLists();
void deleteCostLists();

// Adds `value` at the end of the named list file when no line equals it; used by the entry
// dialogs after a save. Returns true when it was added.
bool appendIfMissing(const QString& name, const QString& value);

} // namespace lookup
