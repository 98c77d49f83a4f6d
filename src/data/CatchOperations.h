#pragma once
// New, edit, duplicate and delete of a catch over the session. Each change is written to the
// catch database at once; when the write fails the table is put back as it was and the error
// raised, so a retry never enters a catch twice and list rows keep matching table rows.
#include "base/FkError.h"
#include "data/CatchRecord.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

struct Session;
class TTextTable;

namespace catchops {

// The catch database named in the settings is gone (deleted or moved since it was opened).
class EDatabaseMissing : public FkError {
public:
    explicit EDatabaseMissing(const QString& path);
    QString path;
};

// The stored texts of one catch, one per field of the catch record.
class CatchValues {
public:
    QByteArray& operator[](const char* field);
    const QByteArray& operator[](const char* field) const;

private:
    std::array<QByteArray, catchrec::kFieldCount> m_values;
};

// The catch database a change is written to: "DB"/"File" of the settings file, read anew for
// every change. Raises FkError when no catch database is open, and EDatabaseMissing when the
// file named there no longer exists.
QString databasePathForSave(const Session& session);

// Applies `change` to DB and writes the file; on any failure DB is restored and the error
// raised. Returns what `change` returned.
int changeAndSave(Session& session, const std::function<int(TTextTable&)>& change);

// Writes `values` into DB row `row`, or into a new row when row is 0; returns the row.
int saveCatch(Session& session, int row, const CatchValues& values);
// Appends an exact copy of `row`; returns the new row (0 when the row does not exist).
int duplicateCatch(Session& session, int row);
// Removes `row`; false when it does not exist.
bool deleteCatch(Session& session, int row);

} // namespace catchops
