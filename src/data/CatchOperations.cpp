#include "data/CatchOperations.h"
#include "data/IniFile.h"
#include "data/Session.h"

#include <QDir>
#include <QFileInfo>

namespace catchops {

namespace {
int fieldPosition(const char* field)
{
    for (int i = 0; i < catchrec::kFieldCount; ++i)
        if (qstrcmp(catchrec::kFields[size_t(i)].name, field) == 0)
            return i;
    throw FkError(QStringLiteral("Unbekanntes Feld: %1").arg(QLatin1String(field)));
}
} // namespace

EDatabaseMissing::EDatabaseMissing(const QString& p)
    : FkError(QStringLiteral("Die Fischkladde Datenbank \"%1\" ist nicht mehr vorhanden. Der Fang wurde nicht "
                             "gespeichert.")
                  .arg(QDir::toNativeSeparators(p))),
      path(p)
{
}

QByteArray& CatchValues::operator[](const char* field)
{
    return m_values[size_t(fieldPosition(field))];
}

const QByteArray& CatchValues::operator[](const char* field) const
{
    return m_values[size_t(fieldPosition(field))];
}

QString databasePathForSave(const Session& session)
{
    const QString path = IniFile::settings().readString(QStringLiteral("DB"), QStringLiteral("File"));
    if (path.isEmpty() || session.dbPath.isEmpty())
        throw FkError(QStringLiteral("Es ist keine Fischkladde Datenbank geöffnet. Bitte erstellen oder öffnen Sie "
                                     "eine unter \"Datei\" > \"Fischkladde Datenbank auswählen\"."));
    if (!QFileInfo(path).isFile())
        throw EDatabaseMissing(path);
    return path;
}

int changeAndSave(Session& session, const std::function<int(TTextTable&)>& change)
{
    const QString path = databasePathForSave(session);
    TTextTable& db = session.DB;
    // Rows share their bytes with the copy until they change, so the copy is cheap.
    const TTextTable before = db;
    try {
        const int result = change(db);
        db.saveOrThrow(path);
        return result;
    } catch (...) {
        db = before;
        throw;
    }
}

int saveCatch(Session& session, int row, const CatchValues& values)
{
    return changeAndSave(session, [&](TTextTable& db) {
        if (row > 0) {
            if (!db.GoToRow(row))
                throw FkError(QStringLiteral("Der gewählte Eintrag ist nicht mehr vorhanden."));
        } else {
            db.AddRow();
        }
        for (const catchrec::Field& f : catchrec::kFields)
            db.SetData(f.name, values[f.name]);
        return db.CurrentRow();
    });
}

int duplicateCatch(Session& session, int row)
{
    if (row <= 0 || row > session.DB.RowCount())
        return 0;
    return changeAndSave(session, [row](TTextTable& db) {
        db.GoToRow(row);
        db.CopyRowToBuffer();
        db.AddRow();
        db.PasteRowFromBuffer();
        return db.CurrentRow();
    });
}

bool deleteCatch(Session& session, int row)
{
    if (row <= 0 || row > session.DB.RowCount())
        return false;
    changeAndSave(session, [row](TTextTable& db) {
        db.GoToRow(row);
        db.DeleteRow();
        return 0;
    });
    return true;
}

} // namespace catchops
