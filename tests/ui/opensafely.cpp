// Opening a database that cannot be made the open one (a path the settings cannot hold, the
// settings on a full disk, an older database whose upgrade cannot be saved) changes nothing;
// the catches added and deleted afterwards go to the old database and only there.
#include "support/UiFixtures.h"
#include "ui/lists/TfrmDBSelect.h"
#include "FullDisk.h"

namespace {

TfrmDBSelect* openWith(TfrmMain& w, ScriptedInteraction& ui, const QString& path)
{
    TfrmDBSelect* d = w.frmDBSelect;
    d->setKind(catchdb::Kind::Catches);
    d->show();
    ui.openFiles.enqueue(path);
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
    return d;
}

} // namespace

class OpenSafelyTest : public QObject {
    Q_OBJECT
private slots:
    void failedOpensLeaveTheOldDatabaseInCharge()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        const QString db = env.home.file("fang.fdb");
        const QByteArray oldBytes = env.home.read("fang.fdb");
        const QByteArray ini = env.home.read("Fischkladde.ini");
        const QList<int> ids = listIds(w);
        const QByteArray other = catchTable({{"01.01.2001", "Ola", "Barsch"}}).toBytes();
        auto unchanged = [&](const char* step) {
            QVERIFY2(w.session().dbPath == db, step);
            QVERIFY2(w.session().DB.RowCount() == 6, step);
            QVERIFY2(listIds(w) == ids, step);
            QVERIFY2(env.home.read("Fischkladde.ini") == ini, step);
            QVERIFY2(env.home.read("fang.fdb") == oldBytes, step);
        };

        // "Łódź" has no Windows-1252 form: refused with the reason, dialog stays open.
        env.home.write("Łódź/b.fdb", other);
        TfrmDBSelect* d = openWith(w, env.ui, env.home.file("Łódź/b.fdb"));
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(env.ui.texts("error").last().contains(QStringLiteral("\"Ł\"")));
        QVERIFY(d->isVisible());
        QCOMPARE(d->ed_dbname->text(), db);
        d->reject();
        unchanged("Łódź");

        FullDisk disk;
        FK_QREQUIRE_FULL_DISK(disk);
        // An older database on a full disk: its upgrade cannot be saved.
        QByteArray legacy;
        for (const QByteArray& line : other.split('\n'))
            if (!line.isEmpty())
                legacy += line.split(';').mid(0, 24).join(';') + "\r\n";
        QVERIFY(disk.write("alt.fdb", legacy));
        d = openWith(w, env.ui, disk.file("alt.fdb"));
        QCOMPARE(env.ui.texts("error").size(), 2);
        QVERIFY(env.ui.texts("error").last().contains(QStringLiteral("konnte nicht geschrieben werden")));
        d->reject();
        unchanged("older layout on a full disk");
        QCOMPARE(disk.read("alt.fdb"), legacy);

        // The settings file on a full disk.
        env.home.write("andere.fdb", other);
        QVERIFY(disk.write("Fischkladde.ini", ini));
        const QByteArray home = qgetenv("FISCHKLADDE_HOME");
        qputenv("FISCHKLADDE_HOME", disk.path().toLocal8Bit());
        d = openWith(w, env.ui, env.home.file("andere.fdb"));
        qputenv("FISCHKLADDE_HOME", home);
        QCOMPARE(env.ui.texts("error").size(), 3);
        QVERIFY(env.ui.texts("error").last().contains(QStringLiteral("Fischkladde.ini")));
        d->reject();
        unchanged("settings on a full disk");

        // Duplicate and delete: the old database gets the copy, and loses it again.
        w.ListView1->selectRow(0);
        const int row = w.selectedRow();
        w.aDuplizieren->trigger();
        QCOMPARE(w.session().DB.RowCount(), 7);
        TTextTable saved;
        QVERIFY(saved.LoadFromFile(db));
        QCOMPARE(saved.RowCount(), 7);
        QCOMPARE(saved.value(7, 1), saved.value(row, 1));
        w.ListView1->selectRow(0);
        QCOMPARE(w.selectedRow(), 7);
        env.ui.confirmations.enqueue(true);
        w.aLoeschen->trigger();
        QCOMPARE(env.home.read("fang.fdb"), oldBytes);
        QCOMPARE(env.home.read("andere.fdb"), other);
        QCOMPARE(env.home.read("Łódź/b.fdb"), other);
        QCOMPARE(env.ui.texts("error").size(), 3);

        // Only the lookup lists on the full disk: the database opens, the lists are reported,
        // and the main list shows the open database's catches.
        QVERIFY(QDir(env.home.file("DATs")).removeRecursively());
        QVERIFY(QDir().mkpath(disk.file("DATs")));
        QVERIFY(QFile::link(disk.file("DATs"), env.home.file("DATs")));
        d = openWith(w, env.ui, env.home.file("andere.fdb"));
        QCOMPARE(env.ui.texts("error").size(), 4);
        QVERIFY(env.ui.texts("error").last().contains(QStringLiteral("Faenger.dat")));
        QVERIFY(!d->isVisible());
        QCOMPARE(w.session().dbPath, env.home.file("andere.fdb"));
        QCOMPARE(IniFile::settings().readString("DB", "File"), env.home.file("andere.fdb"));
        QCOMPARE(listIds(w), QList<int>{1});
        QCOMPARE(env.home.read("fang.fdb"), oldBytes);

        // With room again the older database opens, upgraded, and everything follows it.
        disk.release();
        d = openWith(w, env.ui, disk.file("alt.fdb"));
        QVERIFY(!d->isVisible());
        QCOMPARE(w.session().dbPath, disk.file("alt.fdb"));
        QCOMPARE(IniFile::settings().readString("DB", "File"), disk.file("alt.fdb"));
        QCOMPARE(w.session().DB.FieldCount(), 32);
        QCOMPARE(listIds(w), QList<int>{1});
    }
};

FK_UI_TEST_MAIN(OpenSafelyTest)
#include "opensafely.moc"
