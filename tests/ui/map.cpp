// The water map driven as a user would: the "Karte" menu, the picture question, the dots and
// their hints, the colour list, and the choice of a catch position.
#include "support/UiFixtures.h"
#include "support/ModalDriver.h"
#include "data/MapColours.h"
#include "ui/map/MapChooser.h"
#include "ui/map/TfrmKarte.h"

namespace {

QAction* karteEntry(TfrmMain& w, const QString& caption)
{
    for (QAction* a : w.mnuKarte->actions())
        if (shownText(a->text()) == caption)
            return a;
    return nullptr;
}

void moveMouse(QWidget* target, const QPoint& pos)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(target->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

QColor renderedAt(TfrmKarte* k, const QPoint& pos) { return QColor(k->Image1->grab().toImage().pixel(pos)); }

// Catches of "Rhein&Main" (the list's name) are stored under the name without "&".
std::vector<TestCatch> mapCatches()
{
    return {{"01.05.2006", "Tom", "Hecht", "60", "2000", "RheinMain"},
            {"02.05.2006", "Tom", "Zander", "46", "900", "RheinMain"},
            {"03.05.2006", "Tom", "Hecht", "50", "1000", "Altrhein"},
            {"04.05.2006", "Tom", "Barsch", "30", "300", "RheinMain"}};
}

struct MapEnv : MainEnv {
    QString picture;
    MapEnv() : MainEnv(mapCatches())
    {
        home.write("DATs/Gewaesser.dat", "Rhein&Main\r\nAltrhein\r\n");
        home.write("DATs/Fischarten.dat", "Hecht\r\nZander\r\nBarsch\r\n");
        IniFile::settings().writeString("KarteFarbe", "Hecht", "#FF0000");
        IniFile::settings().writeString("KarteFarbe", "Barsch", "#00FF00");
        picture = writeJpeg(home, "bilder/see.jpg", qRgb(255, 255, 255), 300, 200);
    }
    void setPositions(const QList<QByteArray>& positions)
    {
        TTextTable db;
        db.LoadFromFile(home.file("fang.fdb"));
        for (int row = 1; row <= positions.size(); ++row)
            db.setValue(row, db.FieldIndex("Karte"), positions[row - 1]);
        db.saveOrThrow(home.file("fang.fdb"));
    }
};

} // namespace

class MapTest : public QObject {
    Q_OBJECT
private slots:
    void firstViewAsksForAPictureTheSecondDoesNot()
    {
        MapEnv env;
        env.setPositions({"20,30", "100,50", "20,30", "0,80"});
        TfrmMain& w = env.open();
        QAction* entry = karteEntry(w, "Rhein&Main");
        QVERIFY(entry && entry->isEnabled());

        // Cancelling the picture question closes the map without a message or a setting.
        entry->trigger();
        QCOMPARE(env.ui.texts("open").size(), 1);
        QCOMPARE(env.ui.texts("open").first(),
                 QStringLiteral("Alle (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG-Grafikdatei (*.jpg)|*.jpg;*.jpeg|"
                                "Bitmaps (*.bmp)|*.bmp"));
        QVERIFY(IniFile::settings().readString("Karte", "RheinMain").isEmpty());
        QCOMPARE(env.ui.messages.size(), 1);

        // The first view: a copy "karte_" + name in the program folder, recorded for the water.
        env.ui.openFiles.enqueue(env.picture);
        bool seen = false;
        onModal<TfrmKarte>([&](TfrmKarte* k) {
            seen = true;
            QCOMPARE(k->windowTitle(), QStringLiteral("Karte"));
            QVERIFY(k->Panel1->isVisible());
            QCOMPARE(k->water(), QStringLiteral("RheinMain"));
            QCOMPARE(k->Image1->size(), QSize(300, 200));
            k->Schlieen1->trigger();
        });
        entry->trigger();
        QVERIFY(seen);
        QCOMPARE(IniFile::settings().readString("Karte", "RheinMain"), env.home.file("karte_see.jpg"));
        QCOMPARE(jpeg::decode(env.home.read("karte_see.jpg")).size(), QSize(300, 200));
        QCOMPARE(env.ui.texts("open").size(), 2);

        // The second view loads the copy without asking, even with the chosen file gone.
        QFile::remove(env.picture);
        seen = false;
        onModal<TfrmKarte>([&](TfrmKarte* k) {
            seen = true;
            QCOMPARE(k->Image1->size(), QSize(300, 200));
            k->close();
        });
        entry->trigger();
        QVERIFY(seen);
        QCOMPARE(env.ui.texts("open").size(), 2);
        QVERIFY(env.ui.texts("error").isEmpty());
    }

    void dotsColoursAndHints()
    {
        MapEnv env;
        // Row 1 Hecht, row 2 Zander (no colour), row 3 another water, row 4 Barsch at x = 0.
        env.setPositions({"20,30", "100,50", "150,150", "0,80"});
        IniFile::settings().writeString("Karte", "RheinMain", env.picture);
        TfrmMain& w = env.open();
        bool seen = false;
        onModal<TfrmKarte>([&](TfrmKarte* k) {
            seen = true;
            QCOMPARE(renderedAt(k, {22, 32}), QColor(255, 0, 0));
            QCOMPARE(renderedAt(k, {102, 52}), QColor(0, 0, 255)); // no colour entry: blue
            QCOMPARE(renderedAt(k, {2, 82}), QColor(0, 255, 0));   // drawn although it has no hint
            QCOMPARE(renderedAt(k, {152, 152}), QColor(255, 255, 255)); // Altrhein's catch
            QCOMPARE(renderedAt(k, {60, 60}), QColor(255, 255, 255));

            moveMouse(k->Image1, {22, 32});
            QCOMPARE(k->Image1->toolTip(), QStringLiteral("Hecht, 60 cm 2000 g"));
            moveMouse(k->Image1, {101, 53});
            QCOMPARE(k->Image1->toolTip(), QStringLiteral("Zander, 46 cm 900 g"));
            moveMouse(k->Image1, {2, 82});
            QVERIFY(k->Image1->toolTip().isEmpty());
            // A click in view mode does nothing.
            QTest::mouseClick(k->Image1, Qt::LeftButton, {}, {22, 32});
            QVERIFY(k->isVisible());

            // The colour list: one row per species, the colour cell painted, Zander's empty.
            QCOMPARE(columnTexts(k->ListView1->model(), 0), (QStringList{"Hecht", "Zander", "Barsch"}));
            QCOMPARE(columnTexts(k->ListView1->model(), 1), (QStringList{"#FF0000", "", "#00FF00"}));
            QCOMPARE(k->ListView1->item(0, 1)->background().color(), QColor(255, 0, 0));
            QCOMPARE(k->ListView1->item(1, 1)->background().style(), Qt::NoBrush);

            // A new colour for Zander, saved: the dot is redrawn in it.
            env.ui.colors.enqueue(QColor(0, 128, 64));
            k->ListView1->setCurrentCell(1, 0);
            k->ListView1DblClick();
            QCOMPARE(k->ListView1->item(1, 1)->text(), QStringLiteral("#008040"));
            // Cancelling the dialog keeps the colour.
            k->ListView1->setCurrentCell(0, 0);
            k->ListView1DblClick();
            QCOMPARE(k->ListView1->item(0, 1)->text(), QStringLiteral("#FF0000"));
            QTest::mouseClick(k->BitBtn1, Qt::LeftButton);
            QCOMPARE(IniFile::settings().readString("KarteFarbe", "Zander"), QStringLiteral("#008040"));
            QCOMPARE(renderedAt(k, {102, 52}), QColor(0, 128, 64));
            QVERIFY(k->isVisible());
            k->close();
        });
        karteEntry(w, "Rhein&Main")->trigger();
        QVERIFY(seen);
        QCOMPARE(env.ui.texts("color").size(), 2);
        QVERIFY(env.ui.texts("open").isEmpty());
    }

    void unreadablePositionsAndPictures()
    {
        MapEnv env;
        env.setPositions({"20,30", "1O0,50", "", "40,40"});
        IniFile::settings().writeString("Karte", "RheinMain", env.picture);
        TfrmMain& w = env.open();
        onModal<TfrmKarte>([&](TfrmKarte* k) {
            // The drawing stops at the catch that cannot be read.
            QCOMPARE(renderedAt(k, {22, 32}), QColor(255, 0, 0));
            QCOMPARE(renderedAt(k, {42, 42}), QColor(255, 255, 255));
            k->close();
        });
        karteEntry(w, "Rhein&Main")->trigger();
        QCOMPARE(env.ui.texts("error"), QStringList{"Zeile 2, Feld Karte: '1O0' is not a valid integer value"});

        // A chosen file that is no JPEG: the decoder's error, nothing stored, no map shown.
        env.home.write("bilder/karte.bmp", "BM not really a bitmap");
        env.ui.openFiles.enqueue(env.home.file("bilder/karte.bmp"));
        karteEntry(w, "Altrhein")->trigger();
        QCOMPARE(env.ui.texts("error").size(), 2);
        QVERIFY(env.ui.texts("error").last().contains("karte.bmp"));
        QVERIFY(IniFile::settings().readString("Karte", "Altrhein").isEmpty());
        QVERIFY(!QFileInfo::exists(env.home.file("karte_karte.bmp")));
    }

    void firstOpeningGivesTheSpeciesColours()
    {
        MapEnv env;
        QFile::remove(env.home.file("Fischkladde.ini"));
        installDatabases(env.home, mapCatches());
        IniFile::settings().writeString("Karte", "Altrhein", env.picture);
        QueuedRandom random;
        random.values = {1, 2, 3, 250, 251, 252};
        setAppRandom(&random);
        TfrmMain& w = env.open();
        onModal<TfrmKarte>([](TfrmKarte* k) { k->close(); });
        karteEntry(w, "Altrhein")->trigger();
        setAppRandom(nullptr);
        QCOMPARE(IniFile::settings().keys("KarteFarbe"), (QStringList{"Hecht", "Zander", "Barsch"}));
        QCOMPARE(IniFile::settings().readString("KarteFarbe", "Hecht"), QStringLiteral("#010203"));
        QCOMPARE(IniFile::settings().readString("KarteFarbe", "Zander"), QStringLiteral("#FAFBFC"));
    }

    void choosingAPosition()
    {
        MapEnv env;
        IniFile::settings().writeString("Karte", "See", env.picture);

        // A click outside the picture is ignored; the one on it is the position.
        onModal<TfrmKarte>([](TfrmKarte* k) {
            QCOMPARE(k->windowTitle(),
                     QStringLiteral("Karte - Linke Maustaste klicken um aktuelle Position zu übernehmen"));
            QVERIFY(!k->Panel1->isVisible());
            QCOMPARE(k->Image1->cursor().shape(), Qt::CrossCursor);
            // The present position is marked.
            QVERIFY(QColor(k->Image1->grab().toImage().pixel(12 + 2 + 7, 12 + 2)) != QColor(Qt::white));
            QWidget* viewport = k->ScrollBox1->viewport();
            QVERIFY(viewport->width() > 320);
            QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(320, 100));
            QVERIFY(k->isVisible());
            QTest::mouseClick(k->Image1, Qt::LeftButton, {}, QPoint(120, 45));
        });
        QCOMPARE(mapchooser::choosePosition(nullptr, "See", "12,12").value_or("-"), QStringLiteral("120,45"));

        // Closing the map chooses nothing; without a water the map does not open.
        onModal<TfrmKarte>([](TfrmKarte* k) { k->Schlieen1->trigger(); });
        QVERIFY(!mapchooser::choosePosition(nullptr, "See", "").has_value());
        QVERIFY(!mapchooser::choosePosition(nullptr, "", "").has_value());
        QCOMPARE(env.ui.texts("information"), QStringList{"Bitte Gewässer auswählen!"});
        QVERIFY(env.ui.texts("open").isEmpty());
    }
};

FK_UI_TEST_MAIN(MapTest)
#include "map.moc"
