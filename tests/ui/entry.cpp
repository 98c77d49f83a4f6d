// The catch entry and weather dialogs driven as a user drives them: new, edit, duplicate and
// delete, with the catch database and the list files compared byte by byte afterwards; and
// the main window's figures and commands around them.
#include "support/UiFixtures.h"
#include "ui/entry/CatchCommands.h"
#include "ui/entry/TfrmAdd.h"
#include "ui/entry/TfrmWetter.h"

namespace {

// The main window on an empty catch database with some lists; its entry and weather dialogs.
struct Env : MainEnv {
    FixedClock clock;
    TfrmMain& w;
    Session& session;
    TfrmAdd* add;
    TfrmWetter* wetter;
    int editorsOpened = 0;

    Env() : MainEnv(std::vector<TestCatch>{}), w(prepared()), session(w.session()), add(w.findChild<TfrmAdd*>()), wetter(w.findChild<TfrmWetter*>()) {}
    TfrmMain& prepared()
    {
        clock.at = QDateTime(QDate(2006, 5, 7), QTime(18, 42, 17));
        setAppClock(&clock);
        home.write("DATs/Faenger.dat", win1252::encodeLossy("Peter\r\nAnna\r\nJörg\r\n"));
        home.write("DATs/Koeder.dat", "Wurm\r\nMade\r\n");
        home.write("DATs/Fischarten.dat", "Hecht\r\nAal\r\nZander\r\n");
        home.write("DATs/Wetter.dat", "sonnig\r\n");
        return open();
    }
    ~Env()
    {
        win.reset();
        setAppClock(nullptr);
    }
    QByteArray db() const { return home.read("fang.fdb"); }
    QByteArray list(const char* name) const { return home.read(QStringLiteral("DATs/%1.dat").arg(name)); }

    // "Hinzufügen" in the main window; `fill` runs while the dialog is open, then the user
    // presses the save button (and leaves the dialog if the save was refused).
    void enterCatch(const std::function<void(TfrmAdd&)>& fill)
    {
        QTimer::singleShot(0, [this, fill] {
            fill(*add);
            for (QAbstractButton* b : {add->BitBtn2, add->BitBtn3})
                if (add->isVisible())
                    QTest::mouseClick(b, Qt::LeftButton);
        });
        w.aHinzufuegen->trigger();
    }
    void editCatch(int row, const std::function<void(TfrmAdd&)>& fill)
    {
        QTimer::singleShot(0, [this, fill] {
            fill(*add);
            QTest::mouseClick(add->BitBtn2, Qt::LeftButton);
        });
        catchcommands::editCatch(*add, row);
    }
};

void type(QWidget* w, const QString& text)
{
    w->setFocus();
    QTest::keyClicks(w, text);
}

// Four catches with the fields the overview figures use, and two costs.
void installLog(const TempHome& home, const QByteArray& costTotal = "12,50")
{
    home.write("DATs/Faenger.dat", "Peter\r\nAnna\r\n");
    home.write("DATs/Fischarten.dat", "Hecht\r\nBarsch\r\n");
    const char* const fields[] = {"Fangdatum", "Fangzeit", "Fischart", "Laenge", "Gewicht", "Faenger",
                                  "Fangmethode", "Koeder", "Angeldauer", "Angelbeginn", "Mondphase"};
    TTextTable db;
    for (const QByteArrayList& r : QList<QByteArrayList>{
             {"07.05.2006", "06:45", "Barsch", "25", "300", "Peter", "Pose", "Made", "03:00", "06:00", "Vollmond"},
             {"07.05.2006", "08:10", "Barsch", "28", "350", "Peter", "Pose", "Made", "03:00", "06:00", "Vollmond"},
             {"14.05.2006", "21:15", "Hecht", "80", "3886", "Anna", "Grund", "Wurm", "02:30", "20:00", "Neumond"},
             {"20.06.2007", "05:05", "Hecht", "62", "", "Peter", "Grund", "Wurm", "04:00", "02:00", ""}}) {
        QList<QPair<const char*, QByteArray>> values;
        for (int i = 0; i < r.size(); ++i)
            values.append({fields[i], r[i]});
        addCatch(db, values);
    }
    db.saveOrThrow(home.file("fang.fdb"));
    TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
    for (const QByteArray& total : {QByteArray("1000,50"), costTotal}) {
        akdb.AddRow();
        akdb.SetData("GesamtpreisVersand", total);
    }
    akdb.saveOrThrow(home.file("kosten.akdb"));
    IniFile::settings().writeString("DB", "File", home.file("fang.fdb"));
    IniFile::settings().writeString("AKDB", "File", home.file("kosten.akdb"));
}

// "overview" prints "label<TAB>text" for each of the 25 figure labels; the window shows the same.
void compareWithCommand(TfrmMain& w, const QStringList& extra = {})
{
    QStringList printed = QString::fromUtf8(runCli(QStringList{"overview"} + extra).out).split('\n');
    printed.removeLast();
    QCOMPARE(printed.size(), 25);
    QStringList shown;
    for (const QString& line : printed) {
        auto* label = w.findChild<QLabel*>(line.section('\t', 0, 0));
        shown << (label ? line.section('\t', 0, 0) + '\t' + label->text() : QStringLiteral("missing: ") + line);
    }
    QCOMPARE(shown, printed);
}

} // namespace

class EntryTest : public QObject {
    Q_OBJECT
private slots:
    void nothingEnteredStoresTheDefaults()
    {
        Env env;
        env.enterCatch([](TfrmAdd& a) {
            QCOMPARE(a.BitBtn2->text(), QStringLiteral("Hinzufügen"));
            QCOMPARE(columnTexts(a.cb_faenger->model()), (QStringList{"Anna", "Jörg", "Peter"})); // shown sorted
            QCOMPARE(a.cb_faenger->currentIndex(), -1);
            QVERIFY(a.Loadbild->isEnabled());
            QVERIFY(!a.findChild<QPushButton*>("SpeedButton1")->isEnabled());
        });
        QCOMPARE(env.db(), kCatchHeader + "07.05.2006;18:42;18:42;18:42;00:00;;;0;;;;;;;;;;" + astroFields("07.05.2006")
                               + ";;;;;;;;;;0\r\n");
        QCOMPARE(env.session.DB.RowCount(), 1);
        QCOMPARE(env.w.listModel->rowCount(), 1);
        // An empty text is never added to a list.
        QCOMPARE(env.list("Koeder"), QByteArray("Wurm\r\nMade\r\n"));
        QVERIFY(!QFileInfo::exists(env.home.file("DATs/Stelle.dat")));
        QCOMPARE(env.list("Fischarten"), QByteArray("Hecht\r\nAal\r\nZander\r\n"));
        QCOMPARE(env.list("Faenger"), win1252::encodeLossy("Peter\r\nAnna\r\nJörg\r\n"));
        QVERIFY(QDir(env.home.file("img")).exists());

        env.enterCatch([](TfrmAdd&) {});
        QCOMPARE(env.session.DB.RowCount(), 2);
        QCOMPARE(env.list("Koeder"), QByteArray("Wurm\r\nMade\r\n"));
    }

    void fullCatchWithNewBaitAndWeather()
    {
        Env env;
        trace::setEnabled(true);
        env.enterCatch([](TfrmAdd& a) {
            a.dt_fangdatum->setDate(QDate(2006, 5, 8));
            a.dt_angelbeginn->setTime(QTime(6, 30));
            a.dt_angelende->setTime(QTime(9, 15));
            a.dt_fangzeit->setTime(QTime(7, 45));
            a.cb_faenger->setCurrentIndex(a.cb_faenger->findText("Jörg"));
            a.cb_fischart->setCurrentIndex(a.cb_fischart->findText("Hecht"));
            type(a.ed_laenge, "80");
            QTest::mouseClick(a.BitBtn1, Qt::LeftButton); // weight from length
            QCOMPARE(a.ed_gewicht->text(), QStringLiteral("3886"));
            a.cb_gewaesser->setEditText("Rhein; Altarm");
            a.cb_stelle->setEditText("Buhne 3");
            a.ed_uferdistanz->setText("12");
            a.ed_fangtiefe->setText("3");
            a.cb_fangmethode->setEditText("Spinnen");
            a.cb_koeder->setEditText("Tauwurm");
            a.ed_bemerkungen->setText("mit \\ und ;");
            a.cb_zurueckgesetzt->setChecked(true);
            // The weather dialog: "N" chosen, then "Abbrechen" keeps it.
            QTimer::singleShot(0, [] {
                auto* wetter = qobject_cast<TfrmWetter*>(qApp->activeModalWidget());
                QVERIFY(wetter);
                wetter->cb_windrichtung->setCurrentIndex(1);
                wetter->cb_wetter->setEditText("Nieselregen");
                type(wetter->ed_lufttemp, "-3");
                QTest::mouseClick(wetter->BitBtn3, Qt::LeftButton);
            });
            QTest::mouseClick(a.SpeedButton2, Qt::LeftButton);
        });
        trace::setEnabled(false);
        QCOMPARE(env.db(), kCatchHeader + "08.05.2006;07:45;06:30;09:15;02:45;Hecht;80;3886;J\xf6rg;Rhein\\; Altarm;"
                                          "Buhne 3;12;3;Spinnen;Tauwurm;Nieselregen;mit \\\\ und \\;;"
                               + astroFields("08.05.2006") + ";;;-3;;;;N;;;-1\r\n");
        QCOMPARE(env.list("Koeder"), QByteArray("Made\r\nTauwurm\r\nWurm\r\n"));
        QCOMPARE(env.list("Wetter"), QByteArray("Nieselregen\r\nsonnig\r\n"));
        QCOMPARE(env.list("Gewaesser"), QByteArray("Rhein; Altarm\r\n"));
        QCOMPARE(env.w.lafisch_2->text(), QStringLiteral("(80 cm)")); // the figures follow
        const QByteArray log = env.home.read("error.log");
        for (const char* step : {"Main: Neuer Fang klick", "ADD: Wetter", "ADD: Fischlaenge(Hecht;80)", "ADD: Hinzuf\xfcgen"})
            QVERIFY2(log.contains(step), step);

        // The next entry offers the new bait and starts without weather; using the bait again adds nothing.
        env.enterCatch([&env](TfrmAdd& a) {
            QVERIFY(a.cb_koeder->findText("Tauwurm") >= 0);
            QCOMPARE(env.wetter->cb_windrichtung->currentIndex(), -1);
            QCOMPARE(env.wetter->cb_wetter->currentText(), QString());
            QCOMPARE(env.wetter->ed_lufttemp->text(), QString());
            a.cb_koeder->setEditText("Tauwurm");
            a.cb_stelle->setEditText("Buhne 3");
        });
        QCOMPARE(env.list("Koeder"), QByteArray("Made\r\nTauwurm\r\nWurm\r\n"));
        QCOMPARE(env.session.DB.RowCount(), 2);
    }

    void editKeepsTheRowAndShowsWhatTheListsHold()
    {
        Env env;
        // Row 1 by a former angler with wind "N"; row 2 with an empty wind direction.
        addCatch(env.session.DB, {{"Fangdatum", "01.06.2007"}, {"Fangzeit", "05:10"}, {"Angelbeginn", "22:00"}, {"Angelende", "02:00"},
                    {"Angeldauer", "20:00"}, {"Faenger", "Klaus"}, {"Fischart", "Karpfen"}, {"Windrichtung", "N"},
                    {"Gewicht", "5000"}, {"zurueckgesetzt", "-1"}, {"Sonnenaufgang", "alt"}});
        addCatch(env.session.DB, {{"Fangdatum", "02.06.2007"}, {"Fangzeit", "06:00"}, {"Angelbeginn", "05:00"}, {"Angelende", "07:00"},
                    {"Faenger", "Anna"}, {"Fischart", "Aal"}, {"Koeder", "Made"}});
        env.session.saveDB();
        const QByteArray row2 = env.db().split('\n')[2];

        env.wetter->cb_windrichtung->setCurrentIndex(1); // left from the catch before
        env.editCatch(1, [](TfrmAdd& a) {
            QCOMPARE(a.BitBtn2->text(), QStringLiteral("Speichern"));
            QCOMPARE(a.cb_faenger->currentIndex(), -1); // "Klaus" is not in the list
            QCOMPARE(a.cb_fischart->currentIndex(), -1);
            QCOMPARE(a.dt_angelbeginn->time(), QTime(22, 0));
            QVERIFY(a.cb_zurueckgesetzt->isChecked());
        });
        QCOMPARE(env.session.DB.RowCount(), 2);
        env.session.DB.GoToRow(1);
        QCOMPARE(env.session.DB.GetData("Faenger"), QByteArray());
        QCOMPARE(env.session.DB.GetData("Windrichtung"), QByteArray("N"));
        // Across midnight: 22:00 to 02:00 lasted four hours.
        QCOMPARE(env.session.DB.GetData("Angeldauer"), QByteArray("04:00"));
        QCOMPARE(env.session.DB.GetData("Sonnenaufgang"), astroFields("01.06.2007").split(';').first());
        QCOMPARE(env.session.DB.GetData("zurueckgesetzt"), QByteArray("-1"));
        QCOMPARE(env.db().split('\n')[2], row2); // the other row is untouched
        QCOMPARE(columnTexts(env.w.listModel, 3), (QStringList{"Anna", ""})); // the list follows

        env.editCatch(2, [](TfrmAdd& a) {
            QCOMPARE(a.cb_faenger->currentText(), QStringLiteral("Anna"));
            QCOMPARE(a.cb_koeder->currentText(), QStringLiteral("Made"));
        });
        env.session.DB.GoToRow(2);
        QCOMPARE(env.session.DB.GetData("Windrichtung"), QByteArray());
        QCOMPARE(env.session.DB.GetData("Faenger"), QByteArray("Anna"));

        // A row whose date cannot be read is not opened and stays as it was.
        env.session.DB.SetData("Fangdatum", "32.13.2007");
        const QByteArray before = env.session.DB.toBytes();
        QVERIFY_THROWS_EXCEPTION(EConvertError, catchcommands::editCatch(*env.add, 2));
        QVERIFY(!env.add->isVisible());
        QCOMPARE(env.session.DB.toBytes(), before);
        catchcommands::editCatch(*env.add, 0); // nothing selected: nothing happens
        QVERIFY(!env.add->isVisible());
    }

    void refusedValuesSaveNothing()
    {
        Env env;
        env.enterCatch([](TfrmAdd&) {});
        const QByteArray saved = env.db();
        const QByteArray koeder = env.list("Koeder");
        const struct {
            std::function<void(Env&)> enter;
            const char* field;
        } cases[] = {
            {[](Env& e) { e.add->ed_laenge->setText("4,5"); }, "\"Länge\""},
            {[](Env& e) { e.add->ed_gewicht->setText("1.5"); }, "\"Gewicht\""},
            {[](Env& e) { e.wetter->ed_luftdruck->setText("1013,2"); }, "\"Luftdruck\""},
            {[](Env& e) { e.add->ed_bemerkungen->setText("Haken ✓"); }, "\"Bemerkungen\""},
            {[](Env& e) { e.add->cb_koeder->setEditText("Köder ☺"); }, "\"Köder\""},
            // A character outside the basic plane is named whole, not as half a pair.
            {[](Env& e) { e.add->ed_bemerkungen->setText("Biss 🐟!"); }, "Zeichen \"🐟\""},
        };
        for (const auto& c : cases) {
            env.ui.messages.clear();
            env.enterCatch([&](TfrmAdd& a) {
                a.cb_koeder->setEditText("Neu");
                c.enter(env);
            });
            const QStringList warnings = env.ui.texts("warning");
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings.first().contains(QString::fromUtf8(c.field)), qPrintable(warnings.first()));
            QCOMPARE(env.session.DB.RowCount(), 1);
            QCOMPARE(env.db(), saved);
            QCOMPARE(env.list("Koeder"), koeder);
        }
        // Negative temperatures and blanks around whole numbers are fine.
        env.enterCatch([&env](TfrmAdd& a) {
            a.ed_laenge->setText(" 45 ");
            env.wetter->ed_lufttemp->setText("-3");
        });
        QCOMPARE(env.session.DB.RowCount(), 2);
        QCOMPARE(env.session.DB.GetData("Laenge"), QByteArray("45"));
        QCOMPARE(env.session.DB.GetData("Lufttemperatur"), QByteArray("-3"));
    }

    void duplicateAndDeleteFromTheMenu()
    {
        Env env;
        env.enterCatch([](TfrmAdd& a) { a.cb_faenger->setCurrentIndex(0); });
        env.enterCatch([](TfrmAdd& a) { a.cb_faenger->setCurrentIndex(1); });
        const QList<QByteArray> lines = env.db().split('\n');
        QCOMPARE(lines.size(), 4);

        // The copy reaches the file at once and the list shows it.
        env.w.ListView1->selectRow(1); // newest first: DB row 1
        QCOMPARE(env.w.selectedRow(), 1);
        env.w.aDuplizieren->trigger();
        QCOMPARE(env.db(), lines[0] + '\n' + lines[1] + '\n' + lines[2] + '\n' + lines[1] + '\n');
        QCOMPARE(env.w.listModel->rowCount(), 3);
        catchcommands::duplicateCatch(env.session, 0); // nothing selected
        QCOMPARE(env.session.DB.RowCount(), 3);

        // No keeps everything; Yes removes the row from table, file and list.
        const QByteArray three = env.db();
        env.w.ListView1->selectRow(2);
        QCOMPARE(env.w.selectedRow(), 1);
        env.ui.confirmations.enqueue(false);
        env.w.aLoeschen->trigger();
        QCOMPARE(env.db(), three);
        env.ui.confirmations.enqueue(true);
        env.w.aLoeschen->trigger();
        QCOMPARE(env.db(), lines[0] + '\n' + lines[2] + '\n' + lines[1] + '\n');
        QCOMPARE(env.session.DB.RowCount(), 2);
        QCOMPARE(env.w.listModel->rowCount(), 2);
        QCOMPARE(env.ui.texts("confirm").size(), 2);
        const auto& m = env.ui.messages.last();
        QCOMPARE(m.kind + '|' + m.title + '|' + m.text, QStringLiteral("confirm|Eintrag löschen|Wollen Sie den Eintrag wirklich löschen?"));

        // A database file that vanished keeps the row.
        IniFile::settings().writeString("DB", "File", env.home.file("fehlt/fang.fdb"));
        env.ui.confirmations.enqueue(true);
        QVERIFY_THROWS_EXCEPTION(catchops::EDatabaseMissing, catchcommands::deleteCatch(env.session, 1, nullptr));
        QCOMPARE(env.session.DB.RowCount(), 2);
        QVERIFY(env.ui.texts("error").isEmpty());
    }

    void withoutAnglersTheListEditorOpens()
    {
        Env env;
        env.home.write("DATs/Faenger.dat", "");
        env.add->cb_faenger->clear();
        catchcommands::newCatch(*env.add, [&env] { ++env.editorsOpened; });
        QVERIFY(!env.add->isVisible());
        QCOMPARE(env.editorsOpened, 1);
        QCOMPARE(env.ui.messages.size(), 1);
        const auto& m = env.ui.messages.first();
        QCOMPARE(m.kind + '|' + m.title + '|' + m.text, QStringLiteral("warning|Warnung|Sie haben keinen Fänger eingefügt!"));
        QCOMPARE(env.session.DB.RowCount(), 0);
    }

    void controlsBehaveAsTyped()
    {
        Env env;
        TfrmAdd& a = *env.add;
        a.prepareNew();
        a.show();
        env.wetter->show();
        // Number fields keep every key as typed; the save refuses what is no whole number.
        for (QLineEdit* e : {a.ed_laenge, a.ed_gewicht, env.wetter->ed_wassertemp, env.wetter->ed_lufttemp,
                             env.wetter->ed_luftdruck}) {
            type(e, "12,5");
            QCOMPARE(e->text(), QStringLiteral("12,5"));
            e->clear();
        }
        env.wetter->hide();
        // Focus colours.
        QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
        QApplication::sendEvent(a.cb_koeder, &in);
        QCOMPARE(a.cb_koeder->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
        QApplication::sendEvent(a.cb_koeder, &out);
        QCOMPARE(a.cb_koeder->palette().color(QPalette::Base), QColor(Qt::white));

        // Estimates need a length (weight) and a species.
        a.ed_laenge->clear();
        QTest::mouseClick(a.BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.texts("information"), QStringList{"Bitte Länge oder Fischart auswählen"});
        a.ed_gewicht->setText("3000");
        QTest::mouseClick(a.BitBtn4, Qt::LeftButton);
        QCOMPARE(env.ui.texts("information").last(), QStringLiteral("Bitte Gewicht oder Fischart auswählen"));
        // Changing the date computes the sun and moon values of the new day.
        a.dt_fangdatum->setDate(QDate(2007, 3, 25));
        const auto& sm = a.sunMoon();
        QCOMPARE(win1252::encodeLossy(sm.sunRiseText() + ';' + sm.sunSetText() + ';' + sm.moonRiseText() + ';'
                                      + sm.moonSetText() + ';' + sm.moonPhaseText()),
                 astroFields("25.03.2007"));
        QTest::mouseClick(a.BitBtn3, Qt::LeftButton);
        QVERIFY(!a.isVisible());
        QCOMPARE(env.session.DB.RowCount(), 0);
    }

    void weatherListsAndWindForceTable()
    {
        ScriptedInteraction user;
        TfrmWetter w;
        for (QComboBox* box : {w.cb_windrichtung, w.cb_windstaerke, w.cb_wassertruebung, w.cb_wasserstand}) {
            QCOMPARE(box->currentIndex(), -1);
            QVERIFY(!box->isEditable());
        }
        QVERIFY(w.cb_wetter->isEditable());
        w.show();
        QTest::mouseClick(w.SpeedButton1, Qt::LeftButton);
        const QStringList shown = user.texts("information");
        QCOMPARE(shown.size(), 1);
        const QStringList lines = shown.first().split('\r');
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines[0], QStringLiteral("Windstill                  : Windstärke 0  <1 km/h -> Kein Wind"));
        QCOMPARE(lines[7], QStringLiteral("Steifer Wind           : Windstärke 7  50-61 km/h -> Bäume schwanke, Widerstand beim gehen"));
        QCOMPARE(lines[12], QStringLiteral("Orkan                     : Windstärke 12  >117 km/h -> Verwüstungen"));
        QVERIFY(!shown.first().contains('\n'));
        QTest::mouseClick(w.BitBtn2, Qt::LeftButton); // "Übernehmen"
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void figuresMatchTheOverviewCommand()
    {
        TempHome home;
        ScriptedInteraction ui;
        installLog(home);
        TfrmMain w;
        QVERIFY(!w.im_totangelzeit->isHidden());
        QVERIFY(w.im_angelzeit->isHidden());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.listModel->rowCount(), 4);

        compareWithCommand(w);
        QCOMPARE(w.lb_angelzeit->text(), QStringLiteral("9 Std. 30 min"));
        QCOMPARE(w.lb_angelkosten->text(), QStringLiteral("1013,00 €"));
        QCOMPARE(w.hafischart_1->text(), QStringLiteral("Barsch")); // tie: first in the sorted species list
        QVERIFY(w.im_totangelzeit->isHidden());
        QVERIFY(!w.im_angelzeit->isHidden());

        // Each _2 label starts 4 pixels after its _1 label, which is as wide as its text.
        const auto checkPlacement = [&w] {
            w.centralWidget()->layout()->activate();
            for (QLabel* first : w.findChildren<QLabel*>(QRegularExpression("_1$"))) {
                auto* second = w.findChild<QLabel*>(first->objectName().replace("_1", "_2"));
                QVERIFY(second);
                QCOMPARE(first->width(), first->sizeHint().width());
                QCOMPARE(second->x(), first->x() + first->width() + 4);
            }
        };
        checkPlacement();

        // One angler: the same figures as the command for that angler.
        w.cb_gehezu->setCurrentIndex(w.cb_gehezu->findText("Peter"));
        compareWithCommand(w, {"--angler", "Peter"});
        QCOMPARE(w.besterfaenger_2->text(), QStringLiteral("(3 Fische)"));
        checkPlacement();
        w.cb_jahr->setCurrentIndex(w.cb_jahr->findText("2007"));
        compareWithCommand(w, {"--angler", "Peter", "--year", "2007"});
        QVERIFY(ui.messages.isEmpty());
    }

    void aBadCostStopsAfterTheCatchFigures()
    {
        TempHome home;
        ScriptedInteraction ui;
        installLog(home, "zw\xf6lf");
        TfrmMain w;
        w.FormShow();
        QCOMPARE(ui.texts("error"), QStringList{"'zwölf' is not a valid floating point value"});
        QCOMPARE(w.lb_summefischgewicht->text(), QStringLiteral("4,54 kg"));
        QCOMPARE(w.besterfaenger_1->text(), QStringLiteral("Peter"));
        QCOMPARE(w.lb_angelkosten->text(), QString());
        QCOMPARE(w.lb_angelzeit->text(), QString());
        QVERIFY(!w.im_totangelzeit->isHidden());
        QCOMPARE(runCli({"overview"}).err, QByteArray("'zwölf' is not a valid floating point value\n"));
    }
};

FK_UI_TEST_MAIN(EntryTest)
#include "entry.moc"
