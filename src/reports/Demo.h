#pragma once
// Sample data for a first look at the program: a complete program folder with two years of
// catches of three anglers, their pictures, maps of the three waters, costs, lookup lists
// and a bite list. The same seed always gives the same files (picture bytes included).
#include <QString>

namespace demo {

// The two years the catches and costs fall into.
inline constexpr int kFirstYear = 2024;
inline constexpr int kLastYear = 2025;

struct Summary {
    int catches = 0;
    int pictures = 0;
    int costs = 0;
    int bites = 0;
    QString catchDatabase; // absolute paths, as written into "Fischkladde.ini"
    QString costDatabase;
};

// Writes the program folder `folder` (created when missing): "Fischkladde.ini" naming
// "Fischkladde.fdb" and "Angelkosten.akdb" beside it, "DATs" with the lookup lists and
// "Bissliste.dat", "img" with the catch pictures, and one map picture "karte_<name>.jpg" per
// water. Refuses (EFileError) a folder that already holds a "Fischkladde.ini" or either
// database, so a real catch log is never overwritten.
Summary writeProgramFolder(const QString& folder, unsigned seed = 21);

} // namespace demo
