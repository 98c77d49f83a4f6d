// Every whole-file writer of the core against a write that fails: a full disk, a disk that
// fills up in the middle of the data, a device that fails with EIO after half the bytes and
// a disk sync that fails. Each time the folder keeps every old byte and gets no stray file,
// the error names the file in German, and the same write works once the fault is gone.
#include "Fixtures.h"
#include "FullDisk.h"
#include "TempHome.h"
#include "WriteFault.h"

#include "base/FkError.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/Session.h"
#include "data/TraceFile.h"
#include "entry/BiteList.h"
#include "entry/PictureImport.h"
#include "entry/WaterMap.h"
#include "reports/Backup.h"
#include "reports/CsvExchange.h"
#include "reports/HtmlPages.h"
#include "reports/PdfReports.h"
#include "reports/XmlExchange.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace rel;

namespace {

// Inputs that live outside the folder under test (sources of imports, pictures, backups).
struct Outside {
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    Outside()
    {
        writeAll(file("foto.jpg"), jpeg::encode(noise(320, 240), 95));
        writeAll(file("karte.jpg"), jpeg::encode(noise(300, 200, 99), 95));
        writeAll(file("in.xml"), xmlexchange::exportTable(catches(120, 5), catchdb::Kind::Catches));
        writeAll(file("in.csv"), csvexchange::exportTable(catches(120, 6)));
        // A small program folder to back up: incompressible pictures make a large archive.
        QDir().mkpath(file("home"));
        catches(50).saveOrThrow(file("home/fang.fdb"));
        costTable(20).saveOrThrow(file("home/kosten.akdb"));
        writeAll(file("home/img/a.jpg"), noiseBytes(120000, 1));
        writeAll(file("home/img/b.jpg"), noiseBytes(60000, 2));
        writeAll(file("home/DATs/Faenger.dat"), "Anna\r\nTom\r\n");
        writeAll(file("home/Fischkladde.ini"), "[DB]\r\nFile=" + QFile::encodeName(file("home/fang.fdb")) + "\r\n");
    }
};

struct Writer {
    const char* name;
    // Places the old files into the program folder `home`.
    std::function<void(const QString& home)> prepare;
    // The write under test, with `home` as the program folder.
    std::function<void(const QString& home)> write;
    bool syncs = true;     // reaches the disk with fsync before replacing (appending logs do not)
};

QList<Writer> writers(const Outside& out)
{
    const auto oldTable = [](const QString& home) { catches(3, 9).saveOrThrow(home + "/fang.fdb"); };
    return {
        {"catch table", oldTable, [](const QString& home) { catches(200).saveOrThrow(home + "/fang.fdb"); }},
        {"cost table",
         [](const QString& home) { costTable(2).saveOrThrow(home + "/kosten.akdb"); },
         [](const QString& home) { costTable(600).saveOrThrow(home + "/kosten.akdb"); }},
        {"settings",
         [](const QString& home) {
             QByteArray ini = "[DB]\r\nFile=/alt/fang.fdb\r\n[Karte]\r\n";
             for (int i = 0; i < 400; ++i)
                 ini += "Gewaesser " + QByteArray::number(i) + "=/daten/karten/karte_" + QByteArray::number(i) + ".jpg\r\n";
             writeAll(home + "/Fischkladde.ini", ini);
         },
         [](const QString&) { IniFile::settings().writeString("DB", "File", "/neu/fang.fdb"); }},
        {"lookup list",
         [](const QString& home) { writeAll(home + "/DATs/Faenger.dat", "Anna\r\nTom\r\n"); },
         [](const QString&) {
             QStringList names;
             for (int i = 0; i < 3000; ++i)
                 names << QStringLiteral("Angler Nummer %1").arg(i);
             lookup::writeNamedList("Faenger", names);
         }},
        {"trace",
         [](const QString& home) {
             // Whole pages, so that on the full disk not even a short line fits behind them.
             QByteArray log;
             while (log.size() < 8192 - 64)
                 log += "05.12 - 13:20:07 -->Main: Load CB\r\n";
             log += "05.12 - 13:20:08 -->Main: " + QByteArray(8192 - log.size() - 28, 'x') + "\r\n";
             writeAll(home + "/error.log", log);
         },
         [](const QString&) { trace::append(QStringLiteral("Main: Statistik (Tom;2006) ") + QString(200, QLatin1Char('x'))); },
         false},
        {"bite list",
         [](const QString& home) { writeAll(home + "/DATs/Bissliste.dat", "alt\r\n"); },
         [](const QString& home) {
             QList<bitelist::Note> notes;
             for (int i = 0; i < 800; ++i)
                 notes.append({"07.05.2006", "18:42", QStringLiteral("Steg %1").arg(i), "Mais", "Hecht", "55"});
             bitelist::write(home + "/DATs/Bissliste.dat", notes);
         }},
        {"picture import",
         [](const QString& home) { writeAll(home + "/img/alt.jpg", "altes Bild"); },
         [&out](const QString& home) { pictures::importPictures({out.file("foto.jpg")}, home + "/img"); }},
        {"map copy",
         [](const QString& home) { writeAll(home + "/Fischkladde.ini", "[Karte]\r\nRuhr=/alt/ruhr.jpg\r\n"); },
         [&out](const QString&) {
             watermap::storeCopy(IniFile::settings(), "Baggersee", out.file("karte.jpg"), noise(300, 200, 99));
         }},
        {"cost list PDF",
         [](const QString& home) { writeAll(home + "/kosten.pdf", "altes PDF"); },
         [](const QString& home) { reports::writeCostListReport(costTable(400), 0, home + "/kosten.pdf"); }},
        {"statistics PDF",
         [](const QString& home) { writeAll(home + "/statistik.pdf", "altes PDF"); },
         [](const QString& home) {
             reports::writeStatistikReport(catches(300), {{"Mais", "Tauwurm"}, {"sonnig"}, {"Ruhr", "Baggersee"}},
                                           QString(), 0, home + "/statistik.pdf");
         }},
        {"XML export",
         [](const QString& home) { writeAll(home + "/export.xml", "<alt/>"); },
         [](const QString& home) { xmlexchange::exportFile(catches(150), catchdb::Kind::Catches, home + "/export.xml"); }},
        {"CSV export",
         [](const QString& home) { writeAll(home + "/export.csv", "alt"); },
         [](const QString& home) { csvexchange::exportFile(catches(150), home + "/export.csv"); }},
        {"XML import", oldTable,
         [&out](const QString& home) {
             TTextTable t = catches(3, 9);
             xmlexchange::importFile(t, home + "/fang.fdb", catchdb::Kind::Catches, out.file("in.xml"));
         }},
        {"CSV import", oldTable,
         [&out](const QString& home) {
             TTextTable t = catches(3, 9);
             csvexchange::importFile(t, home + "/fang.fdb", out.file("in.csv"));
         }},
        {"HTML blank list",
         [](const QString& home) { writeAll(home + "/liste.html", "alt"); },
         [](const QString& home) {
             // Window and command line write the page through the same call.
             safefile::writeOrThrow(home + "/liste.html", htmlpages::blankList(catches(1)));
         }},
        {"HTML cost years",
         [](const QString& home) { writeAll(home + "/jahre.html", "alt"); },
         [](const QString& home) {
             safefile::writeOrThrow(home + "/jahre.html", reports::costYearsHtml(costTable(900), QDate(2007, 6, 1)));
         }},
        {"backup archive",
         [](const QString& home) { writeAll(home + "/sicherung.zip", "altes Archiv"); },
         [&out](const QString& home) {
             backup::createBackup(home + "/sicherung.zip", out.file("home"), out.file("home/fang.fdb"),
                                  out.file("home/kosten.akdb"));
         }},
    };
}

// What a German message about a failed write looks like: it names the file and the reason.
::testing::AssertionResult germanWriteError(const QString& message)
{
    static const QRegularExpression german(QStringLiteral("konnte nicht geschrieben werden|konnte nicht gespeichert werden"));
    static const QRegularExpression reason(QStringLiteral("Platz|Schreib- oder Lesefehler|Datenträger"));
    if (message.contains(german) && message.contains(reason) && message.contains(QLatin1Char('"')))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not a German write error: " << message.toStdString();
}

enum class Fault { FullDisk, FillsHalfway, EioHalfway, SyncFails };

const char* faultName(Fault f)
{
    switch (f) {
    case Fault::FullDisk: return "full disk";
    case Fault::FillsHalfway: return "disk fills halfway";
    case Fault::EioHalfway: return "EIO after half the bytes";
    case Fault::SyncFails: return "fsync fails";
    }
    return "";
}

// Runs the writer once on a fresh folder: how many new bytes it writes (an appended line
// counts, not the log in front of it).
qint64 bytesWritten(const Writer& w)
{
    TempHome scratch;
    HomeAt at(scratch.path());
    w.prepare(scratch.path());
    const Snapshot before = snapshot(scratch.path());
    w.write(scratch.path());
    const Snapshot after = snapshot(scratch.path());
    qint64 n = 0;
    for (const QString& name : differences(before, after)) {
        const QByteArray& a = before.value(name);
        const QByteArray& b = after.value(name);
        qsizetype same = 0;
        while (same < a.size() && same < b.size() && a[same] == b[same])
            ++same;
        n += b.size() - same;
    }
    return n;
}

// One writer under one fault in `home` (the program folder); `arm` and `disarm` set and
// lift the fault.
void check(const Writer& w, Fault fault, const QString& home, const std::function<void()>& arm,
           const std::function<void()>& disarm)
{
    SCOPED_TRACE(std::string(w.name) + ", " + faultName(fault));
    HomeAt at(home);
    w.prepare(home);
    const Snapshot before = snapshot(home);
    arm();
    QString message = QStringLiteral("<no error>");
    try {
        w.write(home);
    } catch (const FkError& e) {
        message = e.message();
    }
    if (fault == Fault::EioHalfway || fault == Fault::SyncFails) {
        EXPECT_GT(writefault::hits(), 0) << "the fault was never hit";
    }
    disarm();
    EXPECT_TRUE(germanWriteError(message));
    EXPECT_EQ(differences(before, snapshot(home)), QStringList()) << "the old files keep every byte, no stray file";

    // The program goes on: the same write works once the fault is gone.
    try {
        w.write(home);
    } catch (const FkError& e) {
        ADD_FAILURE() << "second write failed: " << e.message().toStdString();
    }
    EXPECT_FALSE(differences(before, snapshot(home)).isEmpty()) << "the second write wrote nothing";
}

class FailingWrites : public ::testing::Test {
protected:
    Outside out;
};

} // namespace

TEST_F(FailingWrites, FullDiskKeepsEveryOldFile)
{
    for (const Writer& w : writers(out)) {
        FullDisk disk;
        FK_REQUIRE_FULL_DISK(disk);
        disk.release();
        check(w, Fault::FullDisk, disk.path(), [&] { disk.leaveFree(0); }, [&] { disk.release(); });
    }
}

TEST_F(FailingWrites, DiskFillingUpInTheMiddleKeepsEveryOldFile)
{
    for (const Writer& w : writers(out)) {
        const qint64 size = bytesWritten(w);
        // Less room than the new data need: the write stops within them.
        const qint64 room = std::max<qint64>(0, (size / 2) & ~qint64(4095));
        if (room == 0 && size < 8192)
            continue; // one page or less: the full disk above is the same case
        FullDisk disk;
        FK_REQUIRE_FULL_DISK(disk);
        disk.release();
        check(w, Fault::FillsHalfway, disk.path(),
              [&] { ASSERT_TRUE(disk.leaveFree(room)) << "room " << room; }, [&] { disk.release(); });
    }
}

TEST_F(FailingWrites, DeviceFailingAfterHalfTheBytesKeepsEveryOldFile)
{
    for (const Writer& w : writers(out)) {
        const qint64 size = bytesWritten(w);
        ASSERT_GT(size, 100) << w.name;
        TempHome home;
        writefault::Scope off;
        check(w, Fault::EioHalfway, home.path(), [&] { writefault::failAfter(home.path(), size / 2); },
              [] { writefault::off(); });
    }
}

TEST_F(FailingWrites, FailedDiskSyncKeepsEveryOldFile)
{
    for (const Writer& w : writers(out)) {
        if (!w.syncs)
            continue;
        TempHome home;
        writefault::Scope off;
        check(w, Fault::SyncFails, home.path(), [&] { writefault::failSync(home.path()); }, [] { writefault::off(); });
    }
}

TEST(FailingWritesProbe, InterposedWritesReallyFail)
{
    // The fault itself: bytes up to the budget arrive, then EIO; other folders pass.
    TempHome home, other;
    writefault::Scope off;
    writefault::failAfter(home.path(), 10);
    QFile f(home.file("x"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_LT(f.write(QByteArray(25, 'a')), 25);
    f.close();
    EXPECT_EQ(readAll(home.file("x")), QByteArray(10, 'a'));
    EXPECT_GT(writefault::hits(), 0);
    EXPECT_TRUE(safefile::write(other.file("y"), "frei"));
    EXPECT_FALSE(safefile::write(home.file("z"), "voll"));
    EXPECT_FALSE(QFile::exists(home.file("z")));
}

TEST(FailingWritesRestore, EachFileIsOldOrNewAndTheFolderLoads)
{
    // A restore that fails in the middle: every file is as before or as in the archive,
    // and the program folder still opens.
    const auto prepare = [](const QString& home) {
        catches(4, 1).saveOrThrow(home + "/fang.fdb");
        costTable(3).saveOrThrow(home + "/kosten.akdb");
        writeAll(home + "/DATs/Faenger.dat", "Alt\r\n");
        writeAll(home + "/img/alt.jpg", "alt");
        writeAll(home + "/Fischkladde.ini",
                 "[DB]\r\nFile=" + QFile::encodeName(home + "/fang.fdb") + "\r\n[AKDB]\r\nFile=" +
                     QFile::encodeName(home + "/kosten.akdb") + "\r\n");
    };
    TempHome source;
    catches(300, 2).saveOrThrow(source.file("see.fdb"));
    costTable(200).saveOrThrow(source.file("geld.akdb"));
    source.write("DATs/Faenger.dat", "Neu\r\nNeuer\r\n");
    source.write("img/a.jpg", noiseBytes(90000, 3));
    source.write("img/b.jpg", noiseBytes(90000, 4));
    QTemporaryDir outside;
    const QString archive = outside.path() + "/s.zip";
    backup::createBackup(archive, source.path(), source.file("see.fdb"), source.file("geld.akdb"));
    const Snapshot archived = snapshot(source.path());

    struct FixedClock : Clock {
        QDateTime now() const override { return QDateTime(QDate(2026, 12, 5), QTime(13, 20, 7)); }
    } clock;
    const auto restoreInto = [&](const QString& home) {
        Session s;
        s.dbPath = home + "/fang.fdb";
        s.akdbPath = home + "/kosten.akdb";
        ASSERT_TRUE(s.DB.LoadFromFile(s.dbPath));
        backup::restore(archive, home, s, clock);
    };
    const auto verify = [&](const QString& home, const Snapshot& before, const char* fault) {
        SCOPED_TRACE(fault);
        const Snapshot after = snapshot(home);
        for (const QString& name : differences(before, after)) {
            // The way back (written first) and the settings (rewired, checked below) aside.
            if (name.startsWith(QLatin1String("Sicherungen/")) || name == QLatin1String("Fischkladde.ini"))
                continue;
            EXPECT_TRUE(after.contains(name) && archived.value(name) == after.value(name))
                << name.toStdString() << " is neither the old nor the restored file";
        }
        // The folder loads: settings readable, each database named there opens.
        const IniFile ini(home + "/Fischkladde.ini");
        for (const char* section : {"DB", "AKDB"}) {
            TTextTable t;
            EXPECT_TRUE(t.LoadFromFile(ini.readString(section, "File"))) << section;
            EXPECT_GT(t.RowCount(), 0) << section;
        }
    };

    {
        TempHome home;
        prepare(home.path());
        const Snapshot before = snapshot(home.path());
        const qint64 budget = 150000; // past the safety backup, within the restored files
        writefault::Scope off;
        writefault::failAfter(home.path(), budget);
        EXPECT_THROW(restoreInto(home.path()), FkError);
        EXPECT_GT(writefault::hits(), 0);
        writefault::off();
        verify(home.path(), before, "EIO");
        restoreInto(home.path());
        EXPECT_EQ(readAll(home.file("see.fdb")), archived.value("see.fdb"));
    }
    {
        TempHome home;
        prepare(home.path());
        const Snapshot before = snapshot(home.path());
        writefault::Scope off;
        writefault::failSync(home.path());
        EXPECT_THROW(restoreInto(home.path()), FkError);
        writefault::off();
        verify(home.path(), before, "sync");
    }
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    disk.release();
    prepare(disk.path());
    const Snapshot before = snapshot(disk.path());
    for (const qint64 room : {qint64(0), qint64(160 * 1024)}) {
        disk.leaveFree(room);
        EXPECT_THROW(restoreInto(disk.path()), FkError) << room;
        disk.release();
        verify(disk.path(), before, room ? "disk fills halfway" : "full disk");
        for (const QString& name : QDir(disk.file("Sicherungen")).entryList(QDir::Files))
            QFile::remove(disk.file("Sicherungen/" + name));
    }
    restoreInto(disk.path());
    EXPECT_EQ(readAll(disk.file("geld.akdb")), archived.value("geld.akdb"));
}
