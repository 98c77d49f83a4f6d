// Saves killed with SIGKILL at random moments: a child process saves (a 100,000-catch table,
// the settings file, a restore of a backup) and is killed somewhere between its start and a
// little after the time a whole save takes. Afterwards every file must load and be the old
// or the new version byte for byte, and the next save must work.
//
// FK_KILL_COUNT sets the number of kills per test (default 200; fewer for slow builds).
#include "Fixtures.h"
#include "TempHome.h"

#include "base/FkError.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/Session.h"
#include "reports/Backup.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace rel;

namespace {

int killCount()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("FK_KILL_COUNT", &ok);
    return ok && n > 0 ? n : 200;
}

// Runs `work` in a child process. With a delay, kills the child after it; returns whether
// the child finished its work before (exit status 0).
bool inChild(const std::function<void()>& work, std::chrono::microseconds delay = std::chrono::microseconds::max())
{
    const pid_t pid = fork();
    if (pid == 0) {
        int status = 0;
        try {
            work();
        } catch (...) {
            status = 3;
        }
        _exit(status);
    }
    if (pid < 0)
        return false;
    if (delay != std::chrono::microseconds::max()) {
        std::this_thread::sleep_for(delay);
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// How long a whole run of `work` in a child takes: the lower quartile of eight runs, as a
// disk sync now and then takes many times longer than usual and would push most kills
// past the end of the save. `prepare` runs before each, outside the time.
std::chrono::microseconds measure(const std::function<void()>& work, const std::function<void()>& prepare = {})
{
    std::vector<qint64> times;
    for (int i = 0; i < 8; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        EXPECT_TRUE(inChild(work)) << "an unkilled save must succeed";
        times.push_back(timer.nsecsElapsed() / 1000);
    }
    std::sort(times.begin(), times.end());
    return std::chrono::microseconds(times[2]);
}

struct Killer {
    std::mt19937 random{std::random_device{}()};
    std::chrono::microseconds span;
    int finished = 0; // kills that came after the save was complete
    // Kills the child at a random moment of the save's duration and a tenth beyond it.
    bool run(const std::function<void()>& work)
    {
        std::uniform_int_distribution<qint64> when(0, span.count() * 11 / 10);
        const bool done = inChild(work, std::chrono::microseconds(when(random)));
        finished += done;
        return done;
    }
};

// Files left beside the target by killed saves (temporary files); removed so that 200 of
// them do not fill the disk, counted for the record.
int removeStrays(const QString& folder, const QStringList& keep)
{
    int n = 0;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (!keep.contains(name) && QFile::remove(folder + "/" + name))
            ++n;
    return n;
}

// A 100,000-catch table as file bytes; rows told apart by `seed`.
QByteArray bigTable(int seed)
{
    QByteArray out = catchdb::emptyTable(catchdb::Kind::Catches).toBytes();
    const QByteArray row = catches(1, seed).toBytes().split('\n').at(1);
    out.reserve(out.size() + 100000 * (row.size() + 10));
    for (int r = 0; r < 100000; ++r)
        out += QByteArray::number(r % 28 + 1) + row.mid(row.indexOf('.')) + '\n';
    return out;
}

} // namespace

TEST(KilledSaves, HundredThousandCatchTableIsOldOrNew)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/fang.fdb";
    // Two versions to save in turn: whichever is on disk, the child writes the other one.
    TTextTable versions[2];
    versions[0].loadFromBytes(bigTable(1), "a");
    versions[1].loadFromBytes(bigTable(2), "b");
    ASSERT_EQ(versions[0].RowCount(), 100000);
    const QByteArray bytes[2] = {versions[0].toBytes(), versions[1].toBytes()};
    ASSERT_NE(bytes[0], bytes[1]);
    ASSERT_TRUE(versions[0].SaveToFile(path));

    int onDisk = 0;
    Killer killer{.span = measure([&] { versions[1].saveOrThrow(path); })};
    onDisk = 1;
    std::cout << "[          ] one save of 100,000 catches (" << bytes[0].size() / 1024 << " KB) takes "
              << killer.span.count() / 1000 << " ms in a child" << std::endl;

    int strays = 0, survived = 0;
    const int kills = killCount();
    for (int i = 0; i < kills; ++i) {
        const int next = 1 - onDisk;
        killer.run([&] { versions[next].saveOrThrow(path); });
        const QByteArray now = readAll(path);
        const bool old = now == bytes[onDisk], fresh = now == bytes[next];
        EXPECT_TRUE(old || fresh) << "kill " << i << ": " << now.size() << " bytes, neither the old nor the new table";
        if (!old && !fresh)
            break;
        ++survived; // both versions load: they were saved by the table itself
        if (i % 50 == 0) {
            TTextTable loaded;
            ASSERT_TRUE(loaded.LoadFromFile(path));
            ASSERT_EQ(loaded.RowCount(), 100000);
        }
        onDisk = fresh ? next : onDisk;
        strays += removeStrays(dir.path(), {"fang.fdb"});
    }
    std::cout << "[          ] " << survived << " of " << kills << " killed saves left a valid file ("
              << killer.finished << " after the save was complete, " << strays << " temporary files left behind)"
              << std::endl;
    EXPECT_EQ(survived, kills);
    // The kills spread over the whole save: some before the new file was in place, some after.
    EXPECT_GT(killer.finished, 0);
    EXPECT_LT(killer.finished, kills);

    // The next save works.
    ASSERT_TRUE(versions[1 - onDisk].SaveToFile(path));
    EXPECT_EQ(readAll(path), bytes[1 - onDisk]);
}

TEST(KilledSaves, SettingsFileIsOldOrNew)
{
    TempHome home;
    QByteArray ini = "[DB]\r\nFile=/daten/fang.fdb\r\n[AKDB]\r\nFile=/daten/kosten.akdb\r\n[Start]\r\nstart=1\r\n[Karte]\r\n";
    for (int i = 0; i < 300; ++i)
        ini += "Gewaesser " + QByteArray::number(i) + "=/daten/karten/karte_" + QByteArray::number(i) + ".jpg\r\n";
    home.write("Fischkladde.ini", ini);
    const QString path = home.file("Fischkladde.ini");
    const QString values[2] = {"/daten/fang.fdb", "/anderswo/neue Datenbank.fdb"};
    const auto save = [&](int v) { IniFile::settings().writeString("DB", "File", values[v]); };
    QByteArray bytes[2];
    bytes[0] = ini;
    save(1);
    bytes[1] = readAll(path);
    ASSERT_NE(bytes[0], bytes[1]);
    save(0);
    ASSERT_EQ(readAll(path), bytes[0]);

    int onDisk = 0;
    Killer killer{.span = measure([&] { save(1); })};
    onDisk = 1;
    int survived = 0, strays = 0;
    const int kills = killCount();
    for (int i = 0; i < kills; ++i) {
        const int next = 1 - onDisk;
        killer.run([&] { save(next); });
        const QByteArray now = readAll(path);
        const bool fresh = now == bytes[next];
        EXPECT_TRUE(now == bytes[onDisk] || fresh) << "kill " << i << ": the settings are neither old nor new";
        if (now != bytes[onDisk] && !fresh)
            break;
        EXPECT_EQ(IniFile::settings().readString("DB", "File"), values[fresh ? next : onDisk]);
        ++survived;
        onDisk = fresh ? next : onDisk;
        strays += removeStrays(home.path(), {"Fischkladde.ini"});
    }
    std::cout << "[          ] settings (" << ini.size() << " bytes, " << killer.span.count() << " µs a save): " << survived
              << " of " << kills << " killed saves left a valid file (" << killer.finished << " complete, " << strays
              << " temporary files)" << std::endl;
    EXPECT_EQ(survived, kills);
    EXPECT_GT(killer.finished, 0);
    EXPECT_LT(killer.finished, kills);
    save(1 - onDisk);
    EXPECT_EQ(readAll(path), bytes[1 - onDisk]);
}

TEST(KilledSaves, RestoreLeavesEachFileOldOrNew)
{
    // The archive to restore.
    TempHome source;
    catches(3000, 4).saveOrThrow(source.file("see.fdb"));
    costTable(500).saveOrThrow(source.file("geld.akdb"));
    source.write("DATs/Faenger.dat", "Neu\r\nNeuer\r\n");
    source.write("DATs/Koeder.dat", "Made\r\n");
    for (int i = 0; i < 6; ++i)
        source.write(QStringLiteral("img/bild%1.jpg").arg(i), noiseBytes(60000, 10 + i));
    QTemporaryDir outside;
    const QString archive = outside.path() + "/s.zip";
    backup::createBackup(archive, source.path(), source.file("see.fdb"), source.file("geld.akdb"));

    // The program folder as it was.
    TempHome home;
    const QString folder = home.path();
    const auto reset = [&] {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        catches(40, 1).saveOrThrow(folder + "/fang.fdb");
        costTable(5).saveOrThrow(folder + "/kosten.akdb");
        writeAll(folder + "/DATs/Faenger.dat", "Alt\r\n");
        writeAll(folder + "/DATs/Koeder.dat", "Mais\r\n");
        writeAll(folder + "/img/bild0.jpg", "altes Bild");
        writeAll(folder + "/Fischkladde.ini", "[DB]\r\nFile=" + QFile::encodeName(folder + "/fang.fdb") +
                                                  "\r\n[AKDB]\r\nFile=" + QFile::encodeName(folder + "/kosten.akdb") + "\r\n");
    };
    struct FixedClock : Clock {
        QDateTime now() const override { return QDateTime(QDate(2026, 12, 5), QTime(13, 20, 7)); }
    } clock;
    const auto restore = [&] {
        Session s;
        s.dbPath = folder + "/fang.fdb";
        s.akdbPath = folder + "/kosten.akdb";
        if (!s.DB.LoadFromFile(s.dbPath) || !s.AKDB.LoadFromFile(s.akdbPath))
            throw FkError(QStringLiteral("Datenbank fehlt"));
        backup::restore(archive, folder, s, clock);
    };
    const auto withoutSafety = [](Snapshot s) {
        for (const QString& key : s.keys())
            if (key.startsWith(QLatin1String("Sicherungen/")))
                s.remove(key);
        return s;
    };

    reset();
    const Snapshot before = withoutSafety(snapshot(folder));
    Killer killer{.span = measure(restore, reset)};
    const Snapshot after = withoutSafety(snapshot(folder));
    ASSERT_NE(before, after);
    ASSERT_EQ(after.value("see.fdb"), readAll(source.file("see.fdb")));

    // A save killed between naming its temporary file and the rename leaves that file
    // ("Faenger.dat.AbC123") beside the real one: junk to count, not a damaged file.
    static const QRegularExpression temporary(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    int survived = 0, strays = 0;
    const int kills = killCount();
    for (int i = 0; i < kills; ++i) {
        reset();
        killer.run(restore);
        Snapshot now = withoutSafety(snapshot(folder));
        for (const QString& name : now.keys()) {
            const QRegularExpressionMatch m = temporary.match(name);
            if (m.hasMatch() && !before.contains(name) && !after.contains(name) &&
                (before.contains(m.captured(1)) || after.contains(m.captured(1)))) {
                now.remove(name);
                ++strays;
            }
        }
        bool valid = true;
        QStringList names = now.keys() + before.keys() + after.keys();
        names.removeDuplicates();
        for (const QString& name : names) {
            const bool asBefore = now.value(name) == before.value(name) && now.contains(name) == before.contains(name);
            const bool asAfter = now.value(name) == after.value(name) && now.contains(name) == after.contains(name);
            if (!asBefore && !asAfter) {
                ADD_FAILURE() << "kill " << i << ": " << name.toStdString() << " is neither as before nor as restored";
                valid = false;
            }
        }
        // The program folder loads: the settings name databases that open.
        const IniFile ini(folder + "/Fischkladde.ini");
        for (const char* section : {"DB", "AKDB"}) {
            TTextTable t;
            if (!t.LoadFromFile(ini.readString(section, "File")) || t.RowCount() == 0) {
                ADD_FAILURE() << "kill " << i << ": the database of [" << section << "] does not load";
                valid = false;
            }
        }
        if (!valid)
            break;
        ++survived;
    }
    std::cout << "[          ] restore (" << killer.span.count() / 1000 << " ms): " << survived << " of " << kills
              << " killed restores left every file old or new and a folder that loads (" << killer.finished
              << " complete, " << strays << " temporary files left behind)" << std::endl;
    EXPECT_EQ(survived, kills);
    EXPECT_GT(killer.finished, 0);
    EXPECT_LT(killer.finished, kills);

    // And the next restore goes through.
    reset();
    restore();
    EXPECT_EQ(withoutSafety(snapshot(folder)), after);
}
