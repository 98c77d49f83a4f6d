// Every file fischkladde-cli writes, and its own standard output, against a write that
// fails: a full disk, a disk filling up in the middle, a device failing with EIO after half
// the bytes and a failing disk sync (the last two through the preloaded fault library).
// The command must end with a non-zero status and a German message, the old file must keep
// every byte, and the same command must work once the fault is gone.
#include "Fixtures.h"
#include "FullDisk.h"

#include "data/IniFile.h"
#include "reports/CsvExchange.h"
#include "reports/XmlExchange.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace rel;

namespace {

struct Command {
    const char* name;
    QStringList args;     // "{OUT}" is the output file, "{H}" the program folder
    QString out;          // file name of the output in the folder under test
    QByteArray old;       // its old bytes (empty: no old file)
    bool toStdout = false; // the output is the command's standard output
};

// A program folder with everything the commands read.
struct Home {
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    Home()
    {
        catches(150).saveOrThrow(file("fang.fdb"));
        costTable(200).saveOrThrow(file("kosten.akdb"));
        writeAll(file("in.xml"), xmlexchange::exportTable(catches(60, 3), catchdb::Kind::Catches));
        writeAll(file("in.csv"), csvexchange::exportTable(catches(60, 4)));
        writeAll(file("DATs/Faenger.dat"), "Anna\r\nTom\r\n");
        writeAll(file("DATs/Koeder.dat"), "Mais\r\nTauwurm\r\n");
        writeAll(file("img/a.jpg"), noiseBytes(40000, 5));
        writeAll(file("Fischkladde.ini"), "[DB]\r\nFile=" + QFile::encodeName(file("fang.fdb")) + "\r\n[AKDB]\r\nFile=" +
                                              QFile::encodeName(file("kosten.akdb")) + "\r\n");
    }
};

// An older catch database: the first 24 fields only.
QByteArray legacyTable()
{
    QByteArray out;
    for (const QByteArray& line : catches(150).toBytes().split('\n'))
        if (!line.isEmpty())
            out += line.left(line.size() - 1).split(';').mid(0, 24).join(';') + "\r\n";
    return out;
}

QList<Command> commands()
{
    const QByteArray small = catches(20, 7).toBytes();
    return {
        {"new catches", {"new", "catches", "{OUT}"}, "neu.fdb", {}},
        {"upgrade", {"upgrade", "--db", "{OUT}"}, "alt.fdb", legacyTable()},
        {"export-xml catches", {"export-xml", "catches", "{OUT}", "--db", "{H}/fang.fdb"}, "f.xml", "<alt/>"},
        {"export-xml costs", {"export-xml", "costs", "{OUT}", "--costs", "{H}/kosten.akdb"}, "k.xml", "<alt/>"},
        {"export-csv catches", {"export-csv", "catches", "{OUT}", "--db", "{H}/fang.fdb"}, "f.csv", "alt"},
        {"import-xml", {"import-xml", "catches", "{H}/in.xml", "--db", "{OUT}"}, "fang.fdb", small},
        {"import-csv", {"import-csv", "catches", "{H}/in.csv", "--db", "{OUT}"}, "fang.fdb", small},
        {"report stats", {"report", "stats", "--db", "{H}/fang.fdb", "{OUT}"}, "s.pdf", "altes PDF"},
        {"report catches", {"report", "catches", "--db", "{H}/fang.fdb", "{OUT}"}, "f.pdf", "altes PDF"},
        {"report costs", {"report", "costs", "--costs", "{H}/kosten.akdb", "{OUT}"}, "k.pdf", "altes PDF"},
        {"report years", {"report", "years", "--costs", "{H}/kosten.akdb", "{OUT}"}, "j.pdf", "altes PDF"},
        {"cost-html", {"cost-html", "--costs", "{H}/kosten.akdb", "{OUT}"}, "k.html", "alt"},
        {"blank-list", {"blank-list", "--db", "{H}/fang.fdb", "{OUT}"}, "l.html", "alt"},
        {"html-report", {"html-report", "--db", "{H}/fang.fdb", "--template", "Tabelle", "{OUT}"}, "t.html", "alt"},
        {"backup", {"backup", "{OUT}"}, "s.zip", "altes Archiv"},
        {"catches > file", {"catches", "--db", "{H}/fang.fdb"}, "out.txt", {}, true},
        {"costs > file", {"costs", "--costs", "{H}/kosten.akdb"}, "out.txt", {}, true},
    };
}

struct CliRun {
    int status = -1;
    QByteArray err;
};

// `fault` is empty, "after:N" or "sync"; it hits the files under `folder`.
CliRun run(const Command& c, const Home& home, const QString& folder, const QString& fault = {})
{
    QStringList args;
    for (QString a : c.args)
        args << a.replace("{OUT}", folder + "/" + c.out).replace("{H}", home.dir.path());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FISCHKLADDE_HOME", home.dir.path());
    if (!fault.isEmpty()) {
        env.insert("LD_PRELOAD", FK_WRITEFAULT_LIB);
        env.insert("FK_WRITE_FAULT", fault);
        env.insert("FK_WRITE_FAULT_DIR", folder);
        // A sanitizer build wants its runtime first; the fault library may come before it.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    }
    p.setProcessEnvironment(env);
    if (c.toStdout)
        p.setStandardOutputFile(folder + "/" + c.out);
    p.start(QStringLiteral(FK_CLI_PATH), args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardError()};
}

::testing::AssertionResult germanWriteError(const QByteArray& err)
{
    const QString message = QString::fromUtf8(err);
    static const QRegularExpression german(QStringLiteral("konnte nicht (vollständig )?geschrieben werden"));
    static const QRegularExpression reason(QStringLiteral("Platz|Schreib- oder Lesefehler|Datenträger"));
    if (message.contains(german) && message.contains(reason))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not a German write error: " << err.constData();
}

// The size of the command's output when nothing fails.
qint64 outputSize(const Command& c, const Home& home)
{
    QTemporaryDir scratch;
    writeAll(scratch.path() + "/" + c.out, c.old);
    const CliRun r = run(c, home, scratch.path());
    EXPECT_EQ(r.status, 0) << c.name << ": " << r.err.constData();
    return readAll(scratch.path() + "/" + c.out).size();
}

void check(const Command& c, const Home& home, const QString& folder, const char* faultName,
           const std::function<QString()>& arm, const std::function<void()>& disarm)
{
    SCOPED_TRACE(std::string(c.name) + ", " + faultName);
    if (!c.old.isEmpty()) {
        ASSERT_TRUE(writeAll(folder + "/" + c.out, c.old));
    }
    const Snapshot before = snapshot(folder);
    const QString fault = arm();
    const CliRun failed = run(c, home, folder, fault);
    disarm();
    EXPECT_NE(failed.status, 0) << "a failed write must not end with success";
    EXPECT_NE(failed.status, -1) << "the command crashed or hung";
    EXPECT_TRUE(germanWriteError(failed.err));
    QStringList changed = differences(before, snapshot(folder));
    if (c.toStdout)
        changed.removeAll(c.out); // the shell empties a redirected file anyway
    EXPECT_EQ(changed, QStringList()) << "the old files keep every byte, no stray file";

    const CliRun again = run(c, home, folder);
    EXPECT_EQ(again.status, 0) << "the same command once the fault is gone: " << again.err.constData();
    EXPECT_NE(readAll(folder + "/" + c.out), c.old);
    QFile::remove(folder + "/" + c.out);
}

class CliFailingWrites : public ::testing::Test {
protected:
    Home home;
};

} // namespace

TEST_F(CliFailingWrites, FullDisk)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    for (const Command& c : commands()) {
        disk.release();
        check(c, home, disk.path(), "full disk", [&] { disk.leaveFree(0); return QString(); }, [&] { disk.release(); });
    }
}

TEST_F(CliFailingWrites, DiskFillingUpInTheMiddle)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    int covered = 0;
    for (const Command& c : commands()) {
        const qint64 room = (outputSize(c, home) / 2) & ~qint64(4095);
        if (room == 0)
            continue; // no more than two pages: the full disk is the same case
        ++covered;
        disk.release();
        check(c, home, disk.path(), "disk fills halfway",
              [&] {
                  EXPECT_TRUE(disk.leaveFree(room));
                  return QString();
              },
              [&] { disk.release(); });
    }
    EXPECT_GE(covered, 10) << "most outputs are large enough to fail in the middle";
}

TEST_F(CliFailingWrites, DeviceFailingAfterHalfTheBytes)
{
    for (const Command& c : commands()) {
        const qint64 size = outputSize(c, home);
        ASSERT_GT(size, 1) << c.name;
        QTemporaryDir folder;
        check(c, home, folder.path(), "EIO after half the bytes",
              [&] { return QStringLiteral("after:%1").arg(size / 2); }, [] {});
    }
}

TEST_F(CliFailingWrites, FailingDiskSync)
{
    for (const Command& c : commands()) {
        if (c.toStdout)
            continue; // output to a file of the caller's is not synced by the command
        QTemporaryDir folder;
        check(c, home, folder.path(), "fsync fails", [] { return QStringLiteral("sync"); }, [] {});
    }
}

TEST(CliFailingRestore, EachFileOldOrRestoredAndAGermanMessage)
{
    // `restore` writes into the program folder itself: that folder is the one that fails.
    QTemporaryDir source;
    catches(400, 2).saveOrThrow(source.path() + "/see.fdb");
    costTable(100).saveOrThrow(source.path() + "/geld.akdb");
    writeAll(source.path() + "/DATs/Faenger.dat", "Neu\r\n");
    writeAll(source.path() + "/img/a.jpg", noiseBytes(80000, 8));
    QTemporaryDir outside;
    const QString archive = outside.path() + "/s.zip";
    QProcess make;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    writeAll(source.path() + "/Fischkladde.ini", "[DB]\r\nFile=" + QFile::encodeName(source.path() + "/see.fdb") +
                                                     "\r\n[AKDB]\r\nFile=" + QFile::encodeName(source.path() + "/geld.akdb") + "\r\n");
    env.insert("FISCHKLADDE_HOME", source.path());
    make.setProcessEnvironment(env);
    make.start(QStringLiteral(FK_CLI_PATH), {"backup", archive});
    ASSERT_TRUE(make.waitForFinished(60000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().constData();

    const auto prepare = [](const QString& home) {
        QDir(home + "/Sicherungen").removeRecursively();
        catches(4, 1).saveOrThrow(home + "/fang.fdb");
        costTable(3).saveOrThrow(home + "/kosten.akdb");
        writeAll(home + "/DATs/Faenger.dat", "Alt\r\n");
        writeAll(home + "/Fischkladde.ini", "[DB]\r\nFile=" + QFile::encodeName(home + "/fang.fdb") + "\r\n[AKDB]\r\nFile=" +
                                                QFile::encodeName(home + "/kosten.akdb") + "\r\n");
    };
    const auto restore = [&](const QString& home, const QString& fault) {
        QProcess p;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("FISCHKLADDE_HOME", home);
        if (!fault.isEmpty()) {
            e.insert("LD_PRELOAD", FK_WRITEFAULT_LIB);
            e.insert("FK_WRITE_FAULT", fault);
            e.insert("FK_WRITE_FAULT_DIR", home);
            e.insert("ASAN_OPTIONS", e.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        }
        p.setProcessEnvironment(e);
        p.start(QStringLiteral(FK_CLI_PATH), {"restore", archive});
        EXPECT_TRUE(p.waitForFinished(60000));
        return CliRun{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
    };
    const auto verify = [&](const QString& home, const Snapshot& before, const CliRun& r, const char* fault) {
        SCOPED_TRACE(fault);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.status, -1);
        EXPECT_TRUE(germanWriteError(r.err));
        const Snapshot restored = snapshot(source.path());
        const Snapshot now = snapshot(home);
        for (const QString& name : differences(before, now)) {
            if (name.startsWith(QLatin1String("Sicherungen/")) || name == QLatin1String("Fischkladde.ini"))
                continue;
            EXPECT_EQ(now.value(name), restored.value(name)) << name.toStdString() << " is neither old nor restored";
        }
        const IniFile ini(home + "/Fischkladde.ini");
        for (const char* section : {"DB", "AKDB"}) {
            TTextTable t;
            EXPECT_TRUE(t.LoadFromFile(ini.readString(section, "File"))) << section;
        }
    };

    for (const QString& fault : {QStringLiteral("after:120000"), QStringLiteral("sync")}) {
        QTemporaryDir home;
        prepare(home.path());
        const Snapshot before = snapshot(home.path());
        verify(home.path(), before, restore(home.path(), fault), qPrintable(fault));
        EXPECT_EQ(restore(home.path(), {}).status, 0);
        EXPECT_EQ(readAll(home.path() + "/see.fdb"), readAll(source.path() + "/see.fdb"));
    }
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    for (const qint64 room : {qint64(0), qint64(100 * 1024)}) {
        disk.release();
        prepare(disk.path());
        const Snapshot before = snapshot(disk.path());
        disk.leaveFree(room);
        verify(disk.path(), before, restore(disk.path(), {}), room ? "disk fills halfway" : "full disk");
    }
    disk.release();
    QDir(disk.file("Sicherungen")).removeRecursively();
    EXPECT_EQ(restore(disk.path(), {}).status, 0);
    EXPECT_EQ(readAll(disk.file("geld.akdb")), readAll(source.path() + "/geld.akdb"));
}
