// "Einstellungen → Standort…": the dialog, what it writes, and the sun and moon times of the
// details window.
#include "support/UiFixtures.h"
#include "data/LookupLists.h"
#include "entry/Location.h"
#include "ui/location/TfrmStandort.h"
#include "ui/main/TfrmDetails.h"

#include <functional>

class LocationTest : public QObject {
    Q_OBJECT

    // Runs `act` on the location dialog once the menu item has opened it.
    static void whenOpen(std::function<void(TfrmStandort&)> act)
    {
        QTimer::singleShot(0, [act] {
            auto* d = qobject_cast<TfrmStandort*>(QApplication::activeModalWidget());
            if (!d)
                qFatal("location dialog not open");
            act(*d);
        });
    }

    static int row(const TfrmStandort& d, const QString& water)
    {
        for (int r = 0; r < d.sg_gewaesser->rowCount(); ++r)
            if (d.sg_gewaesser->item(r, 0)->text() == water)
                return r;
        return -1;
    }

private slots:
    void menuItemOpensTheDialogAndSaves()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        QList<host::Changes> changes;
        w.subscribe([&](host::Changes c) { changes.append(c); });
        QMenu* menu = w.findChild<QMenu*>("mnuEinstellungen");
        QVERIFY(menu);
        auto* action = w.findChild<QAction*>("aStandort");
        QVERIFY(action && action->isEnabled());
        QCOMPARE(action->text(), QStringLiteral("Stand&ort…"));
        // With the lists, before the separator.
        const QStringList texts = menuTexts(menu);
        QCOMPARE(texts.indexOf("Standort…") + 1, texts.indexOf("-"));

        // Cancel writes nothing and tells nobody.
        whenOpen([](TfrmStandort& d) {
            d.ed_breite->setText("10");
            d.reject();
        });
        action->trigger();
        QVERIFY(!IniFile::settings().keys("Standort").size());
        QVERIFY(changes.isEmpty());

        // Picking a city fills in its degrees with a decimal comma.
        whenOpen([](TfrmStandort& d) {
            QCOMPARE(d.ed_breite->text(), QStringLiteral("51,6"));
            QCOMPARE(d.ed_laenge->text(), QStringLiteral("7,5"));
            QCOMPARE(d.cb_stadt->currentText(), QStringLiteral("Ruhrgebiet (Voreinstellung)"));
            const int hamburg = d.cb_stadt->findText("Hamburg");
            QVERIFY(hamburg > 0);
            d.cb_stadt->setCurrentIndex(hamburg);
            emit d.cb_stadt->activated(hamburg);
            QCOMPARE(d.ed_breite->text(), QStringLiteral("53,551"));
            QCOMPARE(d.ed_laenge->text(), QStringLiteral("9,994"));
            d.findChild<QPushButton*>("bt_ok")->click();
        });
        action->trigger();
        QCOMPARE(location::defaultLocation(), (location::Location{53.551, 9.994}));
        QCOMPARE(changes.size(), 1);
        QVERIFY(changes[0].testFlag(host::Change::Settings));
        QVERIFY(env.ui.messages.isEmpty());
    }

    void rangeCheckAndWaterLocations()
    {
        TempHome home;
        ScriptedInteraction user;
        lookup::writeNamedList("Gewaesser", {"Bodensee", "Rhein", ""});
        location::setWaterLocations({{"Alter Teich", {52, 8}}});
        TfrmStandort d(IniFile::settings());
        // The listed waters, then the one that only has a stored location.
        QCOMPARE(d.sg_gewaesser->rowCount(), 3);
        QCOMPARE(d.sg_gewaesser->item(2, 0)->text(), QStringLiteral("Alter Teich"));
        QCOMPARE(d.sg_gewaesser->item(2, 1)->text(), QStringLiteral("52"));
        QVERIFY(!(d.sg_gewaesser->item(0, 0)->flags() & Qt::ItemIsEditable));

        const QByteArray before = home.read("Fischkladde.ini");
        const auto refused = [&](const QString& lat, const QString& lon, const QString& part) {
            d.ed_breite->setText(lat);
            d.ed_laenge->setText(lon);
            user.messages.clear();
            QVERIFY(!d.save());
            QCOMPARE(user.texts("error").size(), 1);
            QVERIFY2(user.texts("error")[0].contains(part), qPrintable(user.texts("error")[0]));
            QCOMPARE(home.read("Fischkladde.ini"), before);
        };
        refused("91", "7,5", "Die Breite muss eine Zahl zwischen -90 und 90");
        refused("nan", "7,5", "Die Breite");
        refused("51,6", "180,1", "Die Länge muss eine Zahl zwischen -180 und 180");
        refused("51,6", "", "Die Länge");
        // A water with only one of its two values.
        d.sg_gewaesser->item(row(d, "Rhein"), 1)->setText("50,0");
        refused("47,66", "9,176", "Die Länge von \"Rhein\"");
        QCOMPARE(d.sg_gewaesser->currentRow(), row(d, "Rhein"));

        d.sg_gewaesser->item(row(d, "Rhein"), 2)->setText("8,27");
        d.sg_gewaesser->item(row(d, "Alter Teich"), 1)->setText("");
        d.sg_gewaesser->item(row(d, "Alter Teich"), 2)->setText("");
        d.ed_breite->setText(" 47,66 ");
        d.ed_laenge->setText("9.176");
        user.messages.clear();
        QVERIFY(d.save());
        QVERIFY(user.messages.isEmpty());
        QCOMPARE(location::defaultLocation(), (location::Location{47.66, 9.176}));
        const QList<location::WaterLocation> waters = location::waterLocations();
        QCOMPARE(waters.size(), 1);
        QCOMPARE(waters[0].water, QStringLiteral("Rhein"));
        QCOMPARE(waters[0].where, (location::Location{50.0, 8.27}));

        // Opened again, it shows what was saved.
        TfrmStandort again(IniFile::settings());
        QCOMPARE(again.ed_breite->text(), QStringLiteral("47,66"));
        QCOMPARE(again.cb_stadt->currentText(), QStringLiteral("Konstanz (Bodensee)"));
        QCOMPARE(again.sg_gewaesser->item(row(again, "Rhein"), 2)->text(), QStringLiteral("8,27"));
        QCOMPARE(again.sg_gewaesser->item(row(again, "Bodensee"), 1)->text(), QString());
    }

    void detailsShowTheStoredTimes()
    {
        TempHome home;
        Session session;
        addCatch(session.DB, {{"Fangdatum", "07.05.2006"}, {"Gewicht", "1250"}, {"Mondphase", "Vollmond"},
                              {"Sonnenaufgang", "05:58:12"}, {"Sonnenuntergang", "21:05:40"},
                              {"Mondaufgang", "17:01:02"}, {"Monduntergang", ""}});
        addCatch(session.DB, {{"Fangdatum", "08.05.2006"}});
        TfrmDetails details(session);
        details.fill(1);
        QCOMPARE(details.lb_sonne->text(), QStringLiteral("Aufgang 05:58:12, Untergang 21:05:40"));
        QCOMPARE(details.lb_mondzeiten->text(), QStringLiteral("Aufgang 17:01:02, Untergang -"));
        QCOMPARE(details.lb_mond->text(), QStringLiteral("Vollmond"));
        // A catch without stored times shows nothing, not the previous catch's.
        details.fill(2);
        QCOMPARE(details.lb_sonne->text(), QString());
        QCOMPARE(details.lb_mondzeiten->text(), QString());
    }
};

FK_UI_TEST_MAIN(LocationTest)
#include "location.moc"
