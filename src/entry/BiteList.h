#pragma once
// The bite list "DATs/Bissliste.dat": bites and lost fish, one row per note, in the semicolon
// table format of the catch database with the header "Datum;Zeit;Stelle;Koeder;Fischart;Laenge".
#include <QList>
#include <QString>

namespace bitelist {

struct Note {
    QString datum;    // dd.MM.yyyy
    QString zeit;     // hh:nn
    QString stelle;
    QString koeder;
    QString fischart;
    QString laenge;
    bool operator==(const Note&) const = default;
};

// "<program folder>/DATs/Bissliste.dat"
QString filePath();

// A missing file is an empty list. A file in another format (for example the list control
// stream of older versions) raises EFileError with a German message saying the file stays as
// it is; so does a damaged one.
QList<Note> read(const QString& path);

// Replaces the file with the notes (safe replace). A text without a Windows-1252 form raises
// EFileError before anything is written.
void write(const QString& path, const QList<Note>& notes);

// Moves a file that read() refused out of the way ("Bissliste.dat.alt", numbered when taken),
// so replacing the list loses nothing; returns the new name. Raises EFileError.
QString setAside(const QString& path);

} // namespace bitelist
