// What a desktop user expects of the program's frame: Qt's own buttons and dialogs speak
// German, and every fixed menu entry can be reached from the keyboard.
#include "support/UiFixtures.h"

namespace {

// The mnemonic letter of a caption ("Fischkladde &auswerten" -> 'A'), or 0 without one.
QChar mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return QChar();
}

// Problems of one menu: entries without a mnemonic, letters used twice. Entries the program
// fills from the user's lists (anglers, waters) have no object name and are left out.
void checkMenu(const QString& path, const QList<QAction*>& actions, QStringList* problems)
{
    QMap<QChar, QString> used;
    for (QAction* a : actions) {
        const bool named = !a->objectName().isEmpty() || (a->menu() && !a->menu()->objectName().isEmpty());
        if (a->isSeparator() || !a->isVisible() || !named)
            continue;
        const QString where = path + QStringLiteral(" > ") + a->text();
        const QChar m = mnemonic(a->text());
        if (m.isNull())
            problems->append(where + QStringLiteral(": ohne Tastenkürzel"));
        else if (used.contains(m))
            problems->append(where + QStringLiteral(": '%1' wie ").arg(m) + used[m]);
        else
            used[m] = a->text();
        if (a->menu())
            checkMenu(where, a->menu()->actions(), problems);
    }
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void qtTextsAreGerman()
    {
        static_cast<FkApplication*>(qApp)->installGermanTranslations();
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Ja"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Nein"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Abbrechen"));
        QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Close);
        QCOMPARE(buttons.button(QDialogButtonBox::Save)->text().remove('&'), QStringLiteral("Speichern"));
        QCOMPARE(buttons.button(QDialogButtonBox::Close)->text().remove('&'), QStringLiteral("Schließen"));
        // The edit fields' context menu.
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy").remove('&'), QStringLiteral("Kopieren"));
    }

    void everyMenuEntryHasItsOwnMnemonic()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        QStringList problems;
        checkMenu(QStringLiteral("Menüleiste"), w.menuBar()->actions(), &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        // The check itself notices a missing and a repeated letter.
        QMenu probe;
        probe.addAction(QStringLiteral("&Hinzufügen"))->setObjectName("a");
        probe.addAction(QStringLiteral("&Hilfe"))->setObjectName("b");
        probe.addAction(QStringLiteral("Beenden"))->setObjectName("c");
        probe.addAction(QStringLiteral("Gesamt")); // from a list: not checked
        problems.clear();
        checkMenu(QStringLiteral("Probe"), probe.actions(), &problems);
        QCOMPARE(problems.size(), 2);
    }
};

FK_UI_TEST_MAIN(DesktopTest)
#include "desktop.moc"
