#pragma once
// Backup and restore of the program folder's data as one zip archive: the pictures in "img",
// the lists in "DATs", both databases and "Fischkladde.ini".
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct Session;
class Clock;

namespace backup {

// One file of an archive to be written: its bare name in the archive and where it is read from.
struct Entry {
    QString name;
    QString path;
    bool stored = false; // already compressed (by suffix): stored without deflating
};

// Called with the number of entries written so far and their total.
using Progress = std::function<void(int done, int total)>;

// "10.jpg" before "9.jpg"; letters A-Z compared without case, everything else by code.
bool nameLess(const QString& a, const QString& b);
// The suffixes of files that are stored, not deflated ("png", "zip", "gz", ...).
bool isStoredName(const QString& name);

// The archive's entries in their order: every regular file directly in img (sorted), every
// *.dat in DATs (sorted), the catch database, the settings file, the cost database. Missing
// databases are left out; the same file named twice is added once. Raises FkError when two
// different files would get the same entry name.
QList<Entry> collectEntries(const QString& programFolder, const QString& dbPath, const QString& akdbPath);

// Writes the archive: deflated at level 9 (stored for isStoredName), compressed on all cores,
// written to a temporary file beside `archivePath` and renamed over it when complete. Raises
// EFileError naming the file that failed; an existing archive then stays as it was.
void writeArchive(const QString& archivePath, const QList<Entry>& entries, const Progress& progress = {});

// collectEntries + writeArchive.
void createBackup(const QString& archivePath, const QString& programFolder, const QString& dbPath,
                  const QString& akdbPath, const Progress& progress = {});

// Name of the safety backup a restore at `now` writes: "vor-Wiederherstellung-YYYYMMDD-HHMMSS.zip".
QString safetyBackupName(const QDateTime& now);

struct RestoreResult {
    QString safetyBackup;   // full path of the backup of the data as they were
    QStringList extracted;  // full paths of the files written, in order
    bool catchesRewired = false;
    bool costsRewired = false;
};

// Restores an archive into the program folder. First every entry is read and checked (CRC
// included); a missing, unreadable or damaged archive raises FkError and changes nothing.
// Then the current data are backed up to "Sicherungen/" + safetyBackupName(clock.now()),
// the entries "*.fdb", "*.akdb" (into the program folder), "*.jpg" (into img) and "*.dat"
// (into DATs) are extracted by their last name component, each through a temporary file, and
// the last entry named exactly "*.fdb" / "*.akdb" becomes the session's database, its path
// written to the settings file.
RestoreResult restore(const QString& archivePath, const QString& programFolder, Session& session,
                      const Clock& clock, const Progress& progress = {});

} // namespace backup
