// The zip restore: any archive is either refused with FkError, leaving the program folder and
// the open databases exactly as they were, or restored, every extracted file holding what the
// archive holds and the settings naming the restored databases.
#include "FuzzSupport.h"
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/Session.h"
#include "reports/Backup.h"

#include <QDirIterator>
#include <QMap>

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 6, 21), QTime(12, 0)); }
};

// Every file below `folder` but the safety backups, by relative path.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(folder.size() + 1);
        if (!relative.startsWith(QLatin1String("Sicherungen/")))
            files.insert(relative, fuzz::readFile(path));
    }
    return files;
}

QString listing(const QMap<QString, QByteArray>& a, const QMap<QString, QByteArray>& b)
{
    QString text;
    for (auto it = b.begin(); it != b.end(); ++it)
        if (a.value(it.key()) != it.value())
            text += QStringLiteral("changed: %1\n").arg(it.key());
    for (auto it = a.begin(); it != a.end(); ++it)
        if (!b.contains(it.key()))
            text += QStringLiteral("gone: %1\n").arg(it.key());
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString home = fuzz::scratch() + QStringLiteral("/home");
    QDir(home).removeRecursively();
    QDir().mkpath(home + QStringLiteral("/DATs"));
    QDir().mkpath(home + QStringLiteral("/img"));
    const QString dbPath = home + QStringLiteral("/alt.fdb");
    fuzz::writeScratch(QStringLiteral("home/DATs/Faenger.dat"), "Alter Fänger\r\n");
    fuzz::writeScratch(QStringLiteral("home/img/1.jpg"), "kein Bild");
    fuzz::writeScratch(QStringLiteral("home/Fischkladde.ini"), ("[DB]\r\nFile=" + dbPath + "\r\n").toUtf8());
    Session session;
    session.DB = catchdb::emptyTable(catchdb::Kind::Catches);
    session.DB.AddRow();
    session.DB.setValue(1, 1, "01.05.2024");
    session.dbPath = dbPath;
    session.saveDB();
    const QByteArray dbBefore = session.DB.toBytes();
    const QMap<QString, QByteArray> before = snapshot(home);

    const QString archive = fuzz::writeScratch(QStringLiteral("sicherung.zip"), fuzz::bytesOf(data, size));
    const FixedClock clock;
    backup::RestoreResult result;
    try {
        result = backup::restore(archive, home, session, clock);
    } catch (const FkError& e) {
        FUZZ_CHECK(!e.message().isEmpty(), QString());
        const QMap<QString, QByteArray> after = snapshot(home);
        FUZZ_CHECK(after == before, e.message() + QLatin1Char('\n') + listing(before, after));
        FUZZ_CHECK(session.dbPath == dbPath && session.DB.toBytes() == dbBefore, e.message());
        FUZZ_CHECK(session.akdbPath.isEmpty() && session.AKDB.FieldCount() == 0, e.message());
        return 0;
    }

    FUZZ_CHECK(QFileInfo(result.safetyBackup).isFile(), result.safetyBackup);
    for (const QString& path : result.extracted) {
        FUZZ_CHECK(path.startsWith(home + QLatin1Char('/')), path);
        FUZZ_CHECK(!path.mid(home.size() + 1).contains(QLatin1String("..")), path);
        FUZZ_CHECK(QFileInfo(path).isFile(), path);
    }
    const IniFile settings(home + QStringLiteral("/Fischkladde.ini"));
    FUZZ_CHECK(settings.readString(QStringLiteral("DB"), QStringLiteral("File")) == session.dbPath, session.dbPath);
    if (result.catchesRewired) {
        TTextTable restored;
        FUZZ_CHECK(restored.LoadFromFile(session.dbPath), session.dbPath);
        catchdb::upgradeCatchTable(restored);
        FUZZ_CHECK(restored.toBytes() == session.DB.toBytes(), session.dbPath);
    } else {
        FUZZ_CHECK(session.dbPath == dbPath && session.DB.toBytes() == dbBefore, QString());
    }
    return 0;
}
