// The windows' file writers on a full disk: each menu command that writes a file shows the
// German reason in the error box, the old file keeps its bytes, and the same command works
// once there is room again. Switching the step trace on with a log that cannot be written
// says so instead of collecting nothing.
#include "support/UiFixtures.h"
#include "FullDisk.h"

class WriteFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void menuCommandsOnAFullDisk()
    {
        struct Command {
            const char* action;
            const char* file;
        };
        const Command commands[] = {
            {"aBackupErstellen", "sicherung.zip"}, {"aFanglisteErstellen", "liste.html"},
            {"aExportXML", "fang.xml"},           {"aExportCSV", "fang.csv"},
            {"aAKExportXML", "kosten.xml"},       {"aAKJahrPDF", "jahre.pdf"},
        };
        MainEnv env;
        // Purchases for the cost exports and the year overview.
        env.home.write("kosten.akdb", "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"
                                      "01.03.2006;Laden;Haken;2;1,50;3,00;3,95\r\n15.04.2007;Versand;Schnur;1;9,99;9,99;14,94\r\n");
        TfrmMain& w = env.open();
        FullDisk disk;
        FK_QREQUIRE_FULL_DISK(disk);
        for (const Command& c : commands) {
            const QByteArray old = QByteArray("alter Inhalt von ") + c.file;
            QVERIFY(disk.write(c.file, old));
            QAction* action = w.menuAction(c.action);
            QVERIFY2(action && action->isEnabled(), c.action);
            const qsizetype errors = env.ui.texts("error").size();
            env.ui.saveFiles.enqueue(disk.file(c.file));
            action->trigger();
            QVERIFY2(env.ui.texts("error").size() == errors + 1, c.action);
            const QString message = env.ui.texts("error").last();
            QVERIFY2(message.contains(QStringLiteral("konnte nicht geschrieben werden")) && message.contains(QStringLiteral("Platz")),
                     qPrintable(message));
            QVERIFY2(message.contains(QDir::toNativeSeparators(disk.file(c.file))), qPrintable(message));
            QVERIFY2(disk.read(c.file) == old, c.action);
            QVERIFY2(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size() == 2, c.action); // the file and the filler

            disk.release();
            env.ui.saveFiles.enqueue(disk.file(c.file));
            action->trigger();
            QVERIFY2(env.ui.texts("error").size() == errors + 1, qPrintable(env.ui.texts("error").last()));
            QVERIFY2(disk.read(c.file) != old && !disk.read(c.file).isEmpty(), c.action);
            QFile::remove(disk.file(c.file));
        }
    }

    void traceThatCannotBeWritten()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        FullDisk disk;
        FK_QREQUIRE_FULL_DISK(disk);
        // The log lies on the full disk and fills its last page.
        const QByteArray log = QByteArray(4096 - 2, 'a') + "\r\n";
        QVERIFY(disk.write("error.log", log));
        QVERIFY(QFile::link(disk.file("error.log"), env.home.file("error.log")));

        w.aFehlerverfolgung->trigger();
        QVERIFY(trace::enabled());
        QCOMPARE(env.ui.texts("warning").size(), 1);
        QVERIFY2(env.ui.texts("warning").last().contains(QStringLiteral("error.log")), qPrintable(env.ui.texts("warning").last()));
        QVERIFY2(env.ui.texts("warning").last().contains(QStringLiteral("Platz")), qPrintable(env.ui.texts("warning").last()));
        QCOMPARE(disk.read("error.log"), log);

        // With room again the switch writes its line.
        disk.release();
        w.aFehlerverfolgung->trigger();
        QVERIFY(!trace::enabled());
        QCOMPARE(env.ui.texts("warning").size(), 1);
        QVERIFY(disk.read("error.log").startsWith(log));
        QVERIFY(disk.read("error.log").endsWith("---- end ----\r\n"));
    }
};

FK_UI_TEST_MAIN(WriteFaultsTest)
#include "writefaults.moc"
