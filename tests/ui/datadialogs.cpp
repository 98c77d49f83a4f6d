// The database dialog and the list editor, driven through the main window's menus.
#include "support/UiFixtures.h"
#include "ui/data/TfrmCBox.h"
#include "ui/data/TfrmDBSelect.h"
#include "data/LookupLists.h"

namespace {

const QStringList kCatchLists{"Faenger", "Fischarten", "Gewaesser", "Koeder", "Stelle", "Wetter", "Fangmethode"};
const QStringList kCostLists{"AK_Artikelbez", "AK_Geschaeft"};

void writeAllLists(const TempHome& home)
{
    for (const QString& name : kCatchLists + kCostLists)
        home.write("DATs/" + name + ".dat", "x\r\n");
}

QStringList existingLists(const TempHome& home)
{
    QStringList out;
    for (const QString& name : kCatchLists + kCostLists)
        if (QFileInfo::exists(home.file("DATs/" + name + ".dat")))
            out.append(name);
    return out;
}

// Opens the dialog for a tag as the menu does, without blocking.
template <class Dialog>
Dialog* showTagged(Dialog* d, int tag)
{
    d->setTag(tag);
    d->show();
    return d;
}

// Adds the texts in the list editor, one by one, as typed.
void addItems(TfrmCBox* e, const QStringList& texts)
{
    for (const QString& t : texts) {
        e->Edit1->setText(t);
        QTest::mouseClick(e->SpeedButton1, Qt::LeftButton);
    }
}

} // namespace

class DataDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void createCatchAndCostDatabases()
    {
        MainEnv env({{"07.05.2006"}, {"08.05.2006"}});
        writeAllLists(env.home);
        TfrmMain& w = env.open();
        QCOMPARE(w.listModel->rowCount(), 2);

        TfrmDBSelect* d = showTagged(w.frmDBSelect, 0);
        QCOMPARE(d->ed_dbname->text(), env.home.file("fang.fdb"));
        const QString fdb = env.home.file("neu.fdb");
        env.ui.saveFiles.enqueue(fdb);
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
        QCOMPARE(env.ui.lastDefaultSuffix, QStringLiteral("fdb"));
        QVERIFY(!d->isVisible());
        QCOMPARE(env.home.read("neu.fdb"), kCatchHeader);
        QCOMPARE(IniFile::settings().readString("DB", "File"), fdb);
        QCOMPARE(w.session().dbPath, fdb);
        QCOMPARE(w.session().DB.RowCount(), 0);
        QCOMPARE(existingLists(env.home), kCostLists);
        QCOMPARE(w.listModel->rowCount(), 0); // no catches of the old database shown

        // The cost database: its seven fields, its key, its lists.
        writeAllLists(env.home);
        d = showTagged(w.frmDBSelect, 1);
        QCOMPARE(d->ed_dbname->text(), env.home.file("kosten.akdb"));
        const QString akdb = env.home.file("neu.akdb");
        env.ui.saveFiles.enqueue(akdb);
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
        QCOMPARE(env.ui.lastDefaultSuffix, QStringLiteral("akdb"));
        QCOMPARE(env.home.read("neu.akdb"), QByteArray("Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"));
        QCOMPARE(IniFile::settings().readString("AKDB", "File"), akdb);
        QCOMPARE(IniFile::settings().readString("DB", "File"), fdb);
        QCOMPARE(w.session().akdbPath, akdb);
        QCOMPARE(existingLists(env.home), kCatchLists);

        // Cancelling the save dialog changes nothing.
        d = showTagged(w.frmDBSelect, 0);
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
        QVERIFY(d->isVisible());
        QTest::mouseClick(d->BitBtn3, Qt::LeftButton);
        QVERIFY(!d->isVisible());
        QCOMPARE(IniFile::settings().readString("DB", "File"), fdb);
        QCOMPARE(existingLists(env.home), kCatchLists);
        QVERIFY(env.ui.texts("error").isEmpty());
    }

    void openDatabasesRebuildsListsAndRefreshesTheList()
    {
        MainEnv env({{"07.05.2006"}});
        TfrmMain& w = env.open();
        w.cb_gehezu->setCurrentIndex(1);

        // An older database without the later fields is brought up to date on opening.
        const QString other = env.home.file("andere.fdb");
        const TTextTable old = catchTable({{"01.01.2001", "Tom"}, {"02.01.2001", "anna"}, {"03.01.2001", "Anna"}});
        TTextTable legacy;
        for (const QByteArray& f : old.fieldNames().mid(0, 24))
            legacy.AddField(f);
        for (int r = 1; r <= old.RowCount(); ++r) {
            legacy.AddRow();
            for (int c = 1; c <= 24; ++c)
                legacy.setValue(r, c, old.value(r, c));
        }
        legacy.saveOrThrow(other);

        TfrmDBSelect* d = showTagged(w.frmDBSelect, 0);
        env.ui.openFiles.enqueue(other);
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("Fischkladde Datenbank|*.fdb"));
        QVERIFY(!d->isVisible());
        QCOMPARE(IniFile::settings().readString("DB", "File"), other);
        QCOMPARE(w.session().dbPath, other);
        QCOMPARE(w.session().DB.RowCount(), 3);
        QCOMPARE(w.session().DB.FieldCount(), 32);
        QCOMPARE(env.home.read("DATs/Faenger.dat"), QByteArray("anna\r\nTom\r\n"));
        // Back on the last entries of the new database, selectors reloaded.
        QCOMPARE(w.cb_gehezu->currentIndex(), 0);
        QVERIFY(w.cb_jahr->isHidden());
        QCOMPARE(w.cb_gehezu->count(), 4);
        QCOMPARE(listIds(w), (QList<int>{3, 2, 1}));

        // The cost database: its lists are rebuilt from its rows.
        const QString costs = env.home.file("k.akdb");
        TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
        akdb.AddRow();
        akdb.SetData("Artikel", QByteArray("Haken"));
        akdb.SetData("Geschaeft", QByteArray("Angelladen M\xFCller"));
        akdb.SetData("GesamtpreisVersand", QByteArray("3,95"));
        akdb.saveOrThrow(costs);
        d = showTagged(w.frmDBSelect, 1);
        env.ui.openFiles.enqueue(costs);
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("Angelkosten Datenbank|*.akdb"));
        QCOMPARE(IniFile::settings().readString("AKDB", "File"), costs);
        QCOMPARE(w.session().akdbPath, costs);
        QCOMPARE(w.session().AKDB.RowCount(), 1);
        QCOMPARE(env.home.read("DATs/AK_Geschaeft.dat"), QByteArray("Angelladen M\xFCller\r\n"));
        QCOMPARE(env.home.read("DATs/AK_Artikelbez.dat"), QByteArray("Haken\r\n"));
        QCOMPARE(w.lb_angelkosten->text(), QStringLiteral("3,95 €"));
        QVERIFY(env.ui.texts("error").isEmpty());
    }

    void openMissingDamagedOrCancelledChangesNothing()
    {
        MainEnv env({TestCatch{"07.05.2006", "Tom"}});
        const QString db = env.home.file("fang.fdb");
        TfrmMain& w = env.open();
        env.home.write("DATs/Faenger.dat", "Alt\r\n");

        // Cancelled: nothing at all.
        TfrmDBSelect* d = showTagged(w.frmDBSelect, 0);
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QVERIFY(d->isVisible());
        QCOMPARE(env.home.read("DATs/Faenger.dat"), QByteArray("Alt\r\n"));

        // A typed name that does not exist: table, settings and path stay; lists rebuilt.
        const QString missing = env.home.file("gibtsnicht.fdb");
        env.ui.openFiles.enqueue(missing);
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(d->ed_dbname->text(), missing);
        QCOMPARE(IniFile::settings().readString("DB", "File"), db);
        QCOMPARE(w.session().dbPath, db);
        QCOMPARE(w.session().DB.RowCount(), 1);
        QCOMPARE(env.home.read("DATs/Faenger.dat"), QByteArray("Tom\r\n"));
        QVERIFY(!QFileInfo::exists(missing));

        // A damaged file: the error box, everything as it was, the dialog stays open.
        env.home.write("kaputt.fdb", "Fangdatum;Faenger\r\n1;2;3\r\n");
        d = showTagged(w.frmDBSelect, 0);
        env.ui.openFiles.enqueue(env.home.file("kaputt.fdb"));
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(env.ui.texts("error").first().contains(QStringLiteral("beschädigt")));
        QCOMPARE(env.ui.messages.last().title, QStringLiteral("Fehler"));
        QVERIFY(d->isVisible());
        QCOMPARE(IniFile::settings().readString("DB", "File"), db);
        QCOMPARE(w.session().DB.RowCount(), 1);
        QCOMPARE(w.session().DB.FieldCount(), 32);
        QCOMPARE(env.home.read("kaputt.fdb"), QByteArray("Fangdatum;Faenger\r\n1;2;3\r\n"));
        d->reject();
    }

    void listEditorEditsAndSavesSorted()
    {
        MainEnv env({TestCatch{"07.05.2006", "Tom"}});
        env.home.write("DATs/Faenger.dat", "Tom\r\n\r\n \r\n  \r\nJ\xFCrgen\r\nanna\r\n");
        TfrmMain& w = env.open();
        QCOMPARE(w.cb_gehezu->count(), 5);

        TfrmCBox* e = showTagged(w.frmCBox, 2);
        // Sorted ignoring case; blank lines are shown as they are in the file.
        QCOMPARE(columnTexts(e->ListBox1->model()), (QStringList{"", " ", "  ", "anna", "Jürgen", "Tom"}));
        // An equal value may go in twice; empty adds nothing; "Ł" has no Windows-1252 form.
        addItems(e, {"Bernd", "Bernd"});
        QCOMPARE(e->Edit1->text(), QStringLiteral("Bernd"));
        addItems(e, {"", "Łukasz"});
        QCOMPARE(env.ui.texts("warning").size(), 1);
        QVERIFY(env.ui.texts("warning").first().contains(QStringLiteral("Ł")));
        QCOMPARE(columnTexts(e->ListBox1->model()), (QStringList{"", " ", "  ", "anna", "Bernd", "Bernd", "Jürgen", "Tom"}));

        e->ListBox1->setCurrentRow(columnTexts(e->ListBox1->model()).indexOf("Tom"));
        QTest::keyClick(e->ListBox1, Qt::Key_Delete);
        e->ListBox1->setCurrentRow(4);
        e->Lschen1->trigger();
        QCOMPARE(columnTexts(e->ListBox1->model()), (QStringList{"", " ", "  ", "anna", "Bernd", "Jürgen"}));

        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QVERIFY(!e->isVisible());
        // Empty and single-blank items removed, two blanks kept, Windows-1252 bytes.
        const QByteArray saved("  \r\nanna\r\nBernd\r\nJ\xFCrgen\r\n");
        QCOMPARE(env.home.read("DATs/Faenger.dat"), saved);
        // The angler list reloads the selectors.
        QCOMPARE(w.cb_gehezu->count(), 5);
        QCOMPARE(w.cb_gehezu->itemText(3), QStringLiteral("Bernd"));

        // Abbrechen writes nothing.
        e = showTagged(w.frmCBox, 2);
        addItems(e, {"Zoe"});
        QTest::mouseClick(e->BitBtn2, Qt::LeftButton);
        QCOMPARE(env.home.read("DATs/Faenger.dat"), saved);

        // Waters: the Karte submenu follows the saved list.
        e = showTagged(w.frmCBox, 1);
        QCOMPARE(e->ListBox1->count(), 0);
        addItems(e, {"Rhein"});
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QCOMPARE(menuTexts(w.mnuKarte), QStringList{"Rhein"});
    }

    void listEditorSpeciesDefaultsAndFailedWrite()
    {
        MainEnv env({TestCatch{"07.05.2006", "Tom"}});
        TfrmMain& w = env.open();

        // Without a species file the 27 defaults, alphabetically.
        TfrmCBox* e = showTagged(w.frmCBox, 7);
        const QStringList shown = columnTexts(e->ListBox1->model());
        QCOMPARE(shown.size(), 27);
        QCOMPARE(shown.mid(0, 4), (QStringList{"Aal", "Äsche", "Bachforelle", "Bachsaibling"}));
        QCOMPARE(shown.last(), QStringLiteral("Zander"));
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QCOMPARE(lookup::readNamedList("Fischarten"), shown);
        QVERIFY(env.home.read("DATs/Fischarten.dat").startsWith("Aal\r\n\xC4sche\r\n"));

        // Other lists without a file start empty; a missing DATs folder is created on saving.
        QDir(env.home.file("DATs")).removeRecursively();
        e = showTagged(w.frmCBox, 4);
        QCOMPARE(e->ListBox1->count(), 0);
        addItems(e, {"Wurm"});
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.home.read("DATs/Koeder.dat"), QByteArray("Wurm\r\n"));

        // A list that cannot be written: error box, the editor stays with its items.
        e = showTagged(w.frmCBox, 5);
        QDir().mkpath(env.home.file("DATs/Stelle.dat")); // a folder in the file's place
        addItems(e, {"Steg"});
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(e->isVisible());
        QCOMPARE(columnTexts(e->ListBox1->model()), QStringList{"Steg"});
        e->reject();
    }
};

FK_UI_TEST_MAIN(DataDialogsTest)
#include "datadialogs.moc"
