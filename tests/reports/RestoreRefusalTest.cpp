// Archives whose entries pass the zip checks but whose databases cannot be opened: the restore
// refuses them before the safety backup and before a single file is written.
#include "TempHome.h"
#include "base/FkError.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/Session.h"
#include "reports/Backup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zip.h>

namespace {

struct Fixed : Clock {
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 6), QTime(23, 50)); }
};

void makeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& items)
{
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    for (const auto& [name, data] : items) {
        zip_source_t* src = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        ASSERT_GE(zip_file_add(z, name.constData(), src, ZIP_FL_ENC_UTF_8), 0) << name.constData();
    }
    ASSERT_EQ(zip_close(z), 0);
}

// Every file below `dir` (safety backups included) with its bytes.
QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        out[path] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<folder>");
    }
    return out;
}

struct Home {
    TempHome home;
    Session session;
    Home()
    {
        home.write("DATs/Wetter.dat", "Regen\r\n");
        home.write("img/alt.jpg", "altes Bild");
        home.write("alt.fdb", "Fangdatum;Fischart\r\n01.05.2024;Hecht\r\n");
        home.write("Fischkladde.ini", ("[DB]\r\nFile=" + home.file("alt.fdb") + "\r\n").toUtf8());
        session.dbPath = home.file("alt.fdb");
        session.DB.LoadFromFile(session.dbPath);
    }
};

} // namespace

TEST(RestoreRefusal, ADatabaseThatDoesNotLoadChangesNothing)
{
    Home h;
    Fixed clock;
    QTemporaryDir outside;
    const QList<std::pair<QByteArray, QByteArray>> rest = {{"Wetter.dat", "Sonne\r\n"}, {"alt.jpg", "neues Bild"}};

    // A catch table with a row longer than its header, a cost table likewise.
    for (const auto& [name, bytes] : {std::pair<QByteArray, QByteArray>{"see.fdb", "Fangdatum\r\n01.01.2024;zu viel\r\n"},
                                      {"kosten.akdb", "Kaufdatum\r\n;;\r\n"}}) {
        const QString archive = outside.path() + "/kaputt.zip";
        makeZip(archive, rest + QList<std::pair<QByteArray, QByteArray>>{{name, bytes}});
        const QMap<QString, QByteArray> before = snapshot(h.home.path());
        try {
            backup::restore(archive, h.home.path(), h.session, clock);
            ADD_FAILURE() << "restored " << name.constData();
        } catch (const FkError& e) {
            EXPECT_TRUE(e.message().contains("kann nicht wiederhergestellt werden")) << e.what();
            EXPECT_TRUE(e.message().contains(QString::fromLatin1(name))) << e.what();
            EXPECT_TRUE(e.message().endsWith("Es wurde nichts verändert.")) << e.what();
        }
        EXPECT_EQ(snapshot(h.home.path()), before) << name.constData();
        EXPECT_EQ(h.session.dbPath, h.home.file("alt.fdb"));
        EXPECT_EQ(h.session.DB.RowCount(), 1);
    }

    // The same archive with a sound table is restored.
    const QString good = outside.path() + "/gut.zip";
    makeZip(good, rest + QList<std::pair<QByteArray, QByteArray>>{{"see.fdb", "Fangdatum\r\n01.01.2024\r\n02.01.2024\r\n"}});
    const backup::RestoreResult r = backup::restore(good, h.home.path(), h.session, clock);
    EXPECT_TRUE(r.catchesRewired);
    EXPECT_EQ(h.home.read("DATs/Wetter.dat"), "Sonne\r\n");
    EXPECT_EQ(h.session.DB.RowCount(), 2);
    EXPECT_EQ(h.session.dbPath, h.home.file("see.fdb"));
}

TEST(RestoreRefusal, ADatabaseNameTheSettingsCannotHoldChangesNothing)
{
    Home h;
    Fixed clock;
    QTemporaryDir outside;
    const QString archive = outside.path() + "/name.zip";
    // An emoji has no Windows-1252 form; a line break would cut the path and add a line.
    for (const auto& [name, shown] : {std::pair<QByteArray, QString>{"Fische \xF0\x9F\x90\x9F.fdb", QString::fromUtf8("\xF0\x9F\x90\x9F")},
                                      {"see\n[AKDB]\nFile=x.akdb", QStringLiteral("Zeilenumbruch")},
                                      {"kosten\r.akdb", QStringLiteral("Zeilenumbruch")}}) {
        makeZip(archive, {{"Wetter.dat", "Sonne\r\n"}, {name + (name.endsWith("akdb") ? "" : ".fdb"), "Fangdatum\r\n01.01.2024\r\n"}});
        const QMap<QString, QByteArray> before = snapshot(h.home.path());
        try {
            backup::restore(archive, h.home.path(), h.session, clock);
            ADD_FAILURE() << "restored " << name.constData();
        } catch (const FkError& e) {
            EXPECT_TRUE(e.message().contains("Einstellungsdatei")) << e.what();
            EXPECT_TRUE(e.message().contains(shown)) << e.what();
        }
        EXPECT_EQ(snapshot(h.home.path()), before) << name.constData();
        EXPECT_EQ(IniFile(h.home.file("Fischkladde.ini")).readString("DB", "File"), h.home.file("alt.fdb"));
    }
}
