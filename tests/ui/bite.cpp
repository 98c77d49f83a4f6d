// The bite list driven as a user would: the menu entry, adding, deleting, reopening, and a
// file of another format.
#include "support/UiFixtures.h"
#include "support/ModalDriver.h"
#include "ui/bite/TfrmBiss.h"

namespace {

const QByteArray kHeader = "Datum;Zeit;Stelle;Koeder;Fischart;Laenge\r\n";

QStringList rowTexts(const TfrmBiss* b, int row)
{
    QStringList out;
    for (int c = 0; c < b->ListView1->columnCount(); ++c)
        out.append(b->ListView1->item(row, c)->text());
    return out;
}

void addNote(TfrmBiss* b, const QString& stelle, const QString& koeder, const QString& fischart, const QString& laenge)
{
    b->cb_stelle->setEditText(stelle);
    b->cb_koeder->setEditText(koeder);
    b->cb_fischart->setEditText(fischart);
    b->ed_laenge->setText(laenge);
    QTest::mouseClick(b->BitBtn2, Qt::LeftButton);
}

} // namespace

class BiteTest : public QObject {
    Q_OBJECT
private slots:
    void addDeleteAndReopen()
    {
        MainEnv env;
        FixedClock clock;
        setAppClock(&clock);
        env.home.write("DATs/Stelle.dat", "Steg\r\nBr\xFC" "cke\r\n");
        env.home.write("DATs/Fischarten.dat", "Hecht\r\nD\xF6" "bel\r\n");
        TfrmMain& w = env.open();
        QVERIFY(w.aBissliste->isEnabled());

        bool seen = false;
        onModal<TfrmBiss>([&](TfrmBiss* b) {
            seen = true;
            QCOMPARE(b->windowTitle(), QStringLiteral("Bissliste"));
            QCOMPARE(b->dt_datum->date(), QDate(2026, 12, 5));
            QCOMPARE(b->dt_zeit->time(), QTime(13, 20, 7));
            QCOMPARE(b->dt_zeit->displayFormat(), QStringLiteral("HH:mm"));
            QCOMPARE(columnTexts(b->cb_stelle->model()), (QStringList{"Steg", "Brücke"}));
            QCOMPARE(columnTexts(b->cb_fischart->model()), (QStringList{"Hecht", "Döbel"}));
            QCOMPARE(b->cb_koeder->count(), 0); // no list file
            QCOMPARE(b->ListView1->rowCount(), 0);
            QStringList headers;
            for (int c = 0; c < 6; ++c)
                headers.append(b->ListView1->horizontalHeaderItem(c)->text());
            QCOMPARE(headers, (QStringList{"Datum:", "Zeit:", "Stelle:", "Köder:", "Fischart:", "Länge (cm):"}));

            addNote(b, "Steg", "Wurm", "Döbel", "35");
            // All fields empty: a row with date and time only.
            b->dt_zeit->setTime(QTime(6, 5));
            addNote(b, "", "", "", "");
            addNote(b, "Brücke; links", "Blinker", "Hecht", "70");
            QCOMPARE(b->ListView1->rowCount(), 3);
            QCOMPARE(rowTexts(b, 1), (QStringList{"05.12.2026", "06:05", "", "", "", ""}));
            QCOMPARE(env.home.read("DATs/Bissliste.dat"),
                     kHeader + "05.12.2026;13:20;Steg;Wurm;D\xF6" "bel;35\r\n05.12.2026;06:05;;;;\r\n"
                               "05.12.2026;06:05;Br\xFC" "cke\\; links;Blinker;Hecht;70\r\n");

            // Delete needs a selected row.
            b->ListView1->clearSelection();
            b->Lschen1->trigger();
            QCOMPARE(b->ListView1->rowCount(), 3);
            b->ListView1->selectRow(1);
            b->Lschen1->trigger();
            QCOMPARE(b->ListView1->rowCount(), 2);
            QCOMPARE(rowTexts(b, 1).at(2), QStringLiteral("Brücke; links"));
            QTest::mouseClick(b->BitBtn1, Qt::LeftButton);
        });
        w.aBissliste->trigger();
        QVERIFY(seen);
        // The new texts did not reach the lookup lists.
        QCOMPARE(env.home.read("DATs/Stelle.dat"), QByteArray("Steg\r\nBr\xFC" "cke\r\n"));

        // Reopened: the notes in the order they were added; deleting the last leaves none.
        seen = false;
        onModal<TfrmBiss>([&](TfrmBiss* b) {
            seen = true;
            QCOMPARE(b->ListView1->rowCount(), 2);
            QCOMPARE(rowTexts(b, 0), (QStringList{"05.12.2026", "13:20", "Steg", "Wurm", "Döbel", "35"}));
            QCOMPARE(rowTexts(b, 1).at(4), QStringLiteral("Hecht"));
            for (int i = 0; i < 2; ++i) {
                b->ListView1->selectRow(0);
                b->Lschen1->trigger();
            }
            b->close();
        });
        w.aBissliste->trigger();
        QVERIFY(seen);
        QCOMPARE(env.home.read("DATs/Bissliste.dat"), kHeader);
        onModal<TfrmBiss>([&](TfrmBiss* b) {
            QCOMPARE(b->ListView1->rowCount(), 0);
            b->close();
        });
        w.aBissliste->trigger();
        QVERIFY(env.ui.texts("error").isEmpty());

        // With tracing on, each change writes its step.
        trace::setEnabled(true);
        onModal<TfrmBiss>([&](TfrmBiss* b) {
            addNote(b, "", "", "", "");
            b->ListView1->selectRow(0);
            b->Lschen1->trigger();
            b->close();
        });
        w.aBissliste->trigger();
        trace::setEnabled(false);
        QVERIFY(traceText(env.home).contains("Biss: hinzufügen\r\n"));
        QVERIFY(traceText(env.home).contains("Biss: löschen\r\n"));
        setAppClock(nullptr);
    }

    void aFileOfAnotherFormatIsKeptUntilTheListChanges()
    {
        MainEnv env;
        const QByteArray stream("TPF0\x09TListView\x09ListView1\x00\x00", 25);
        env.home.write("DATs/Bissliste.dat", stream);
        TfrmMain& w = env.open();

        onModal<TfrmBiss>([](TfrmBiss* b) { b->close(); });
        w.aBissliste->trigger();
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(env.ui.texts("error").first().contains("unbekanntes Format"));
        QCOMPARE(env.home.read("DATs/Bissliste.dat"), stream);

        // Adding replaces it, the old file is set aside and named in the message.
        onModal<TfrmBiss>([](TfrmBiss* b) {
            QCOMPARE(b->ListView1->rowCount(), 0);
            addNote(b, "Steg", "", "", "");
            b->close();
        });
        w.aBissliste->trigger();
        QCOMPARE(env.ui.texts("error").size(), 2);
        QVERIFY(env.ui.texts("error").last().contains("Bissliste.dat.alt"));
        QCOMPARE(env.home.read("DATs/Bissliste.dat.alt"), stream);
        QVERIFY(env.home.read("DATs/Bissliste.dat").startsWith(kHeader));
        QCOMPARE(env.home.read("DATs/Bissliste.dat").count('\n'), 2);

        // A text that the file cannot hold is refused; list and file stay as they were.
        const QByteArray before = env.home.read("DATs/Bissliste.dat");
        onModal<TfrmBiss>([](TfrmBiss* b) {
            addNote(b, QStringLiteral("Boje \u4E2D"), "", "", "");
            QCOMPARE(b->ListView1->rowCount(), 1);
            b->close();
        });
        w.aBissliste->trigger();
        QCOMPARE(env.ui.texts("error").size(), 3);
        QCOMPARE(env.home.read("DATs/Bissliste.dat"), before);
    }
};

FK_UI_TEST_MAIN(BiteTest)
#include "bite.moc"
