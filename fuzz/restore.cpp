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
#include <fuzzer/FuzzedDataProvider.h>
#include <zip.h>

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

// An archive built from the input: entries with chosen names, suffixes and contents, so the
// search spends its time on what a restore does with them rather than on the zip format.
QByteArray builtArchive(const uint8_t* data, size_t size)
{
    static const char* const suffixes[] = {".fdb", ".akdb", ".jpg", ".dat", ".FDB", ".Dat", ".ini", "", "/"};
    FuzzedDataProvider in(data, size);
    const QString path = fuzz::scratch() + QStringLiteral("/gebaut.zip");
    QFile::remove(path);
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        fuzz::fail("zip_open", __FILE__, __LINE__, path);
    std::vector<std::string> contents; // zip_source_buffer keeps pointers until zip_close
    contents.reserve(8);
    const int count = in.ConsumeIntegralInRange<int>(0, 6);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        std::string name = in.ConsumeRandomLengthString(16);
        name += suffixes[in.ConsumeIntegralInRange<size_t>(0, std::size(suffixes) - 1)];
        contents.push_back(in.ConsumeRandomLengthString(400));
        const std::string& body = contents.back();
        zip_source_t* src = zip_source_buffer(z, body.data(), body.size(), 0);
        const zip_flags_t encoding = in.ConsumeBool() ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_RAW;
        const zip_int64_t index = zip_file_add(z, name.c_str(), src, encoding | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(src);
            continue;
        }
        if (in.ConsumeBool())
            zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        return {};
    }
    return fuzz::readFile(path);
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

    // The first byte chooses: the input is the archive, or the archive is built from it.
    if (size == 0)
        return 0;
    const QByteArray bytes = data[0] & 1 ? builtArchive(data + 1, size - 1) : fuzz::bytesOf(data + 1, size - 1);
    const QString archive = fuzz::writeScratch(QStringLiteral("sicherung.zip"), bytes);
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
        FUZZ_CHECK(QDir::cleanPath(path) == path, path); // no "." or ".." component
        FUZZ_CHECK(QFileInfo(path).isFile(), path);
    }
    const IniFile settings(home + QStringLiteral("/Fischkladde.ini"));
    FUZZ_CHECK(settings.readString(QStringLiteral("DB"), QStringLiteral("File")) == session.dbPath, session.dbPath);
    if (result.catchesRewired) {
        TTextTable restored;
        FUZZ_CHECK(restored.LoadFromFile(session.dbPath), session.dbPath);
        catchdb::upgradeCatchTable(restored);
        FUZZ_CHECK(restored.toBytes() == session.DB.toBytes(), session.dbPath + QLatin1Char('\n') + QString::fromLatin1(restored.toBytes()) + QStringLiteral("\n---\n") + QString::fromLatin1(session.DB.toBytes()));
    } else {
        FUZZ_CHECK(session.dbPath == dbPath && session.DB.toBytes() == dbBefore, QString());
    }
    return 0;
}
