// The database dialog and the list editor, driven through the main window's menus.
#include "support/MainWindowFixture.h"
#include "support/UiTestMain.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/data/TfrmCBox.h"
#include "ui/data/TfrmDBSelect.h"
#include "ui/main/CatchListModel.h"
#include "ui/main/TfrmMain.h"
#include "data/LookupLists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

const QStringList kCatchLists{"Faenger", "Fischarten", "Gewaesser", "Koeder", "Stelle", "Wetter", "Fangmethode"};
const QStringList kCostLists{"AK_Artikelbez", "AK_Geschaeft"};

void writeAllLists(const TempHome& home)
{
    for (const QString& name : kCatchLists + kCostLists)
        home.write(QStringLiteral("DATs/") + name + QStringLiteral(".dat"), "x\r\n");
}

QStringList existingLists(const TempHome& home)
{
    QStringList out;
    for (const QString& name : kCatchLists + kCostLists)
        if (QFileInfo::exists(home.file(QStringLiteral("DATs/") + name + QStringLiteral(".dat"))))
            out.append(name);
    return out;
}

// Opens the dialog for a tag as the menu does, without blocking.
TfrmDBSelect* showDbDialog(TfrmMain& w, int tag)
{
    w.frmDBSelect->setTag(tag);
    w.frmDBSelect->show();
    return w.frmDBSelect;
}

TfrmCBox* showEditor(TfrmMain& w, int tag)
{
    w.frmCBox->setTag(tag);
    w.frmCBox->show();
    return w.frmCBox;
}

QStringList items(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

} // namespace

class DataDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void createCatchAndCostDatabases();
    void openDatabasesRebuildsListsAndRefreshesTheList();
    void openMissingDamagedOrCancelledChangesNothing();
    void listEditorEditsAndSavesSorted();
    void listEditorSpeciesDefaultsAndReloads();
};

void DataDialogsTest::createCatchAndCostDatabases()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, {{"07.05.2006"}, {"08.05.2006"}});
    writeAllLists(home);
    TfrmMain w;
    w.FormShow();
    QCOMPARE(w.listModel->rowCount(), 2);

    TfrmDBSelect* d = showDbDialog(w, 0);
    QCOMPARE(d->windowTitle(), QStringLiteral("Datenbank"));
    QCOMPARE(d->ed_dbname->text(), home.file(QStringLiteral("fang.fdb")));
    const QString fdb = home.file(QStringLiteral("neu.fdb"));
    ui.saveFiles.enqueue(fdb);
    QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
    QCOMPARE(ui.messages.last().kind, QStringLiteral("save"));
    QCOMPARE(ui.messages.last().text, QStringLiteral("Fischkladde Datenbank|*.fdb"));
    QCOMPARE(ui.lastDefaultSuffix, QStringLiteral("fdb"));
    QVERIFY(!d->isVisible());
    QCOMPARE(home.read(QStringLiteral("neu.fdb")),
             QByteArray("Fangdatum;Fangzeit;Angelbeginn;Angelende;Angeldauer;Fischart;Laenge;Gewicht;Faenger;"
                        "Gewaesser;Stelle;Uferdistanz;Fangtiefe;Fangmethode;Koeder;Wetter;Bemerkungen;"
                        "Sonnenaufgang;Sonnenuntergang;Mondaufgang;Monduntergang;Mondphase;Bild;Karte;"
                        "Lufttemperatur;Wassertemperatur;Wasserstand;Wassertruebung;Windrichtung;Windstaerke;"
                        "Luftdruck;zurueckgesetzt\r\n"));
    QCOMPARE(IniFile::settings().readString("DB", "File"), fdb);
    QCOMPARE(w.session().dbPath, fdb);
    QCOMPARE(w.session().DB.RowCount(), 0);
    QCOMPARE(existingLists(home), kCostLists);
    // The list no longer shows catches of the old database.
    QCOMPARE(w.listModel->rowCount(), 0);
    // The cost database: its seven fields, its key, its lists.
    writeAllLists(home);
    d = showDbDialog(w, 1);
    QCOMPARE(d->ed_dbname->text(), home.file(QStringLiteral("kosten.akdb")));
    const QString akdb = home.file(QStringLiteral("neu.akdb"));
    ui.saveFiles.enqueue(akdb);
    QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
    QCOMPARE(ui.messages.last().text, QStringLiteral("Angelkosten Datenbank|*.akdb"));
    QCOMPARE(ui.lastDefaultSuffix, QStringLiteral("akdb"));
    QCOMPARE(home.read(QStringLiteral("neu.akdb")),
             QByteArray("Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"));
    QCOMPARE(IniFile::settings().readString("AKDB", "File"), akdb);
    QCOMPARE(IniFile::settings().readString("DB", "File"), fdb);
    QCOMPARE(w.session().akdbPath, akdb);
    QCOMPARE(existingLists(home), kCatchLists);

    // Cancelling the save dialog changes nothing.
    d = showDbDialog(w, 0);
    QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
    QVERIFY(d->isVisible());
    QTest::mouseClick(d->BitBtn3, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(IniFile::settings().readString("DB", "File"), fdb);
    QCOMPARE(existingLists(home), kCatchLists);
    QVERIFY(ui.texts(QStringLiteral("error")).isEmpty());
}

void DataDialogsTest::openDatabasesRebuildsListsAndRefreshesTheList()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, {{"07.05.2006"}});
    TfrmMain w;
    w.FormShow();
    w.cb_gehezu->setCurrentIndex(1);

    const QString other = home.file(QStringLiteral("andere.fdb"));
    TTextTable old = catchTable({{"01.01.2001", "Tom", "Hecht"}, {"02.01.2001", "anna", "Hecht"},
                                 {"03.01.2001", "Anna", "Hecht"}});
    // An older database without the later fields is brought up to date on opening.
    TTextTable legacy;
    for (const QByteArray& f : old.fieldNames().mid(0, 24))
        legacy.AddField(f);
    for (int r = 1; r <= old.RowCount(); ++r) {
        legacy.AddRow();
        for (int c = 1; c <= 24; ++c)
            legacy.setValue(r, c, old.value(r, c));
    }
    legacy.saveOrThrow(other);

    TfrmDBSelect* d = showDbDialog(w, 0);
    ui.openFiles.enqueue(other);
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
    QCOMPARE(ui.messages.last().kind, QStringLiteral("open"));
    QCOMPARE(ui.messages.last().text, QStringLiteral("Fischkladde Datenbank|*.fdb"));
    QVERIFY(!d->isVisible());
    QCOMPARE(IniFile::settings().readString("DB", "File"), other);
    QCOMPARE(w.session().dbPath, other);
    QCOMPARE(w.session().DB.RowCount(), 3);
    QCOMPARE(w.session().DB.FieldCount(), 32);
    QCOMPARE(home.read(QStringLiteral("DATs/Faenger.dat")), QByteArray("anna\r\nTom\r\n"));
    // Back on the last entries of the new database, selectors reloaded.
    QCOMPARE(w.cb_gehezu->currentIndex(), 0);
    QVERIFY(w.cb_jahr->isHidden());
    QCOMPARE(w.cb_gehezu->count(), 4);
    QCOMPARE(w.listModel->rowCount(), 3);
    QCOMPARE(w.listModel->rows().front().id, 3);

    // The cost database: its lists are rebuilt from its rows.
    const QString costs = home.file(QStringLiteral("k.akdb"));
    TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
    akdb.AddRow();
    akdb.SetData("Artikel", QByteArray("Haken"));
    akdb.SetData("Geschaeft", QByteArray("Angelladen M\xFCller"));
    akdb.saveOrThrow(costs);
    d = showDbDialog(w, 1);
    ui.openFiles.enqueue(costs);
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
    QCOMPARE(ui.messages.last().text, QStringLiteral("Angelkosten Datenbank|*.akdb"));
    QCOMPARE(IniFile::settings().readString("AKDB", "File"), costs);
    QCOMPARE(w.session().akdbPath, costs);
    QCOMPARE(w.session().AKDB.RowCount(), 1);
    QCOMPARE(home.read(QStringLiteral("DATs/AK_Geschaeft.dat")), QByteArray("Angelladen M\xFCller\r\n"));
    QCOMPARE(home.read(QStringLiteral("DATs/AK_Artikelbez.dat")), QByteArray("Haken\r\n"));
    QVERIFY(ui.texts(QStringLiteral("error")).isEmpty());
}

void DataDialogsTest::openMissingDamagedOrCancelledChangesNothing()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, {{"07.05.2006", "Tom"}});
    const QString db = home.file(QStringLiteral("fang.fdb"));
    TfrmMain w;
    w.FormShow();
    home.write(QStringLiteral("DATs/Faenger.dat"), "Alt\r\n");

    // Cancelled: nothing at all.
    TfrmDBSelect* d = showDbDialog(w, 0);
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
    QVERIFY(d->isVisible());
    QCOMPARE(home.read(QStringLiteral("DATs/Faenger.dat")), QByteArray("Alt\r\n"));

    // A typed name that does not exist: table, settings and path stay; lists rebuilt.
    const QString missing = home.file(QStringLiteral("gibtsnicht.fdb"));
    ui.openFiles.enqueue(missing);
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
    QCOMPARE(d->ed_dbname->text(), missing);
    QCOMPARE(IniFile::settings().readString("DB", "File"), db);
    QCOMPARE(w.session().dbPath, db);
    QCOMPARE(w.session().DB.RowCount(), 1);
    QCOMPARE(home.read(QStringLiteral("DATs/Faenger.dat")), QByteArray("Tom\r\n"));
    QVERIFY(!QFileInfo::exists(missing));

    // A damaged file: the error box, everything as it was, the dialog stays open.
    home.write(QStringLiteral("kaputt.fdb"), "Fangdatum;Faenger\r\n1;2;3\r\n");
    d = showDbDialog(w, 0);
    ui.openFiles.enqueue(home.file(QStringLiteral("kaputt.fdb")));
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
    QCOMPARE(ui.texts(QStringLiteral("error")).size(), 1);
    QVERIFY(ui.texts(QStringLiteral("error")).first().contains(QStringLiteral("beschädigt")));
    QCOMPARE(ui.messages.last().title, QStringLiteral("Fehler"));
    QVERIFY(d->isVisible());
    QCOMPARE(IniFile::settings().readString("DB", "File"), db);
    QCOMPARE(w.session().DB.RowCount(), 1);
    QCOMPARE(w.session().DB.FieldCount(), 32);
    QCOMPARE(home.read(QStringLiteral("kaputt.fdb")), QByteArray("Fangdatum;Faenger\r\n1;2;3\r\n"));
    d->reject();
}

void DataDialogsTest::listEditorEditsAndSavesSorted()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, {{"07.05.2006", "Tom"}});
    home.write(QStringLiteral("DATs/Faenger.dat"), "Tom\r\n\r\n \r\n  \r\nJ\xFCrgen\r\nanna\r\n");
    TfrmMain w;
    w.FormShow();
    QCOMPARE(w.cb_gehezu->count(), 5);

    TfrmCBox* e = showEditor(w, 2);
    QCOMPARE(e->windowTitle(), QStringLiteral("Faenger"));
    // Sorted ignoring case; blank lines are shown as they are in the file.
    QCOMPARE(items(e->ListBox1), (QStringList{"", " ", "  ", "anna", "Jürgen", "Tom"}));

    e->Edit1->setText(QStringLiteral("Bernd"));
    QTest::mouseClick(e->SpeedButton1, Qt::LeftButton);
    QTest::mouseClick(e->SpeedButton1, Qt::LeftButton); // an equal value may go in twice
    QCOMPARE(e->Edit1->text(), QStringLiteral("Bernd"));
    e->Edit1->clear();
    QTest::mouseClick(e->SpeedButton1, Qt::LeftButton); // empty: nothing
    e->Edit1->setText(QStringLiteral("Łukasz")); // no Windows-1252 form
    QTest::mouseClick(e->SpeedButton1, Qt::LeftButton);
    QCOMPARE(ui.texts(QStringLiteral("warning")).size(), 1);
    QVERIFY(ui.texts(QStringLiteral("warning")).first().contains(QStringLiteral("Ł")));
    QCOMPARE(items(e->ListBox1), (QStringList{"", " ", "  ", "anna", "Bernd", "Bernd", "Jürgen", "Tom"}));

    e->ListBox1->setCurrentRow(items(e->ListBox1).indexOf(QStringLiteral("Tom")));
    QTest::keyClick(e->ListBox1, Qt::Key_Delete);
    e->ListBox1->setCurrentRow(4);
    e->Lschen1->trigger();
    QCOMPARE(items(e->ListBox1), (QStringList{"", " ", "  ", "anna", "Bernd", "Jürgen"}));

    QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
    QVERIFY(!e->isVisible());
    // Empty and single-blank items removed, two blanks kept, Windows-1252 bytes.
    QCOMPARE(home.read(QStringLiteral("DATs/Faenger.dat")), QByteArray("  \r\nanna\r\nBernd\r\nJ\xFCrgen\r\n"));
    // The angler list reloads the selectors.
    QCOMPARE(w.cb_gehezu->count(), 5);
    QCOMPARE(w.cb_gehezu->itemText(3), QStringLiteral("Bernd"));

    // Abbrechen writes nothing.
    e = showEditor(w, 2);
    e->Edit1->setText(QStringLiteral("Zoe"));
    QTest::mouseClick(e->SpeedButton1, Qt::LeftButton);
    QTest::mouseClick(e->BitBtn2, Qt::LeftButton);
    QCOMPARE(home.read(QStringLiteral("DATs/Faenger.dat")), QByteArray("  \r\nanna\r\nBernd\r\nJ\xFCrgen\r\n"));

    // Waters: the Karte submenu follows the saved list.
    e = showEditor(w, 1);
    QCOMPARE(e->windowTitle(), QStringLiteral("Gewaesser"));
    QCOMPARE(e->ListBox1->count(), 0);
    e->Edit1->setText(QStringLiteral("Rhein"));
    QTest::mouseClick(e->SpeedButton1, Qt::LeftButton);
    QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
    QCOMPARE(w.mnuKarte->actions().size(), 1);
    QCOMPARE(w.mnuKarte->actions().first()->text(), QStringLiteral("Rhein"));
}

void DataDialogsTest::listEditorSpeciesDefaultsAndReloads()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, {{"07.05.2006", "Tom"}});
    TfrmMain w;
    w.FormShow();

    // Without a species file the 27 defaults, alphabetically.
    TfrmCBox* e = showEditor(w, 7);
    QCOMPARE(e->windowTitle(), QStringLiteral("Fischarten"));
    const QStringList shown = items(e->ListBox1);
    QCOMPARE(shown.size(), 27);
    QCOMPARE(shown.mid(0, 4), (QStringList{"Aal", "Äsche", "Bachforelle", "Bachsaibling"}));
    QCOMPARE(shown.last(), QStringLiteral("Zander"));
    QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
    QCOMPARE(lookup::readNamedList(QStringLiteral("Fischarten")), shown);
    QVERIFY(home.read(QStringLiteral("DATs/Fischarten.dat")).startsWith("Aal\r\n\xC4sche\r\n"));

    // Other lists without a file start empty; a missing DATs folder is created on saving.
    QDir(home.file(QStringLiteral("DATs"))).removeRecursively();
    e = showEditor(w, 4);
    QCOMPARE(e->windowTitle(), QStringLiteral("Koeder"));
    QCOMPARE(e->ListBox1->count(), 0);
    e->Edit1->setText(QStringLiteral("Wurm"));
    QTest::mouseClick(e->SpeedButton1, Qt::LeftButton);
    QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
    QCOMPARE(home.read(QStringLiteral("DATs/Koeder.dat")), QByteArray("Wurm\r\n"));

    // A list that cannot be written: error box, the editor stays with its items.
    e = showEditor(w, 5);
    QDir().mkpath(home.file(QStringLiteral("DATs/Stelle.dat"))); // a folder in the file's place
    e->Edit1->setText(QStringLiteral("Steg"));
    QTest::mouseClick(e->SpeedButton1, Qt::LeftButton);
    QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
    QCOMPARE(ui.texts(QStringLiteral("error")).size(), 1);
    QVERIFY(e->isVisible());
    QCOMPARE(items(e->ListBox1), QStringList{"Steg"});
    e->reject();
}

FK_UI_TEST_MAIN(DataDialogsTest)
#include "datadialogs.moc"
