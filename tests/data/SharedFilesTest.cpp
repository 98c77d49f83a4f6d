// The shipped manual and example templates reach the program folder: the manual follows the
// shipped one, a template the user changed is never replaced.
#include "data/ProgramFolder.h"
#include "support/TempHome.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(SharedFiles, ManualFollowsTheShippedOneTemplatesStayTheUsers)
{
    TempHome home;
    home.write(QStringLiteral("share/Anleitung.pdf"), "%PDF neu");
    home.write(QStringLiteral("share/templates/Karte.html"), "<p>#fischart#</p>");
    home.write(QStringLiteral("share/templates/Liste.html"), "<li>#laenge#</li>");
    home.write(QStringLiteral("share/templates/notiz.txt"), "kein Template");
    // An older manual and a template the user edited are already there.
    home.write(QStringLiteral("home/Anleitung.pdf"), "%PDF alt");
    home.write(QStringLiteral("home/Auswertung/Templates/Karte.html"), "<b>mein #fischart#</b>");

    const QString target = home.file(QStringLiteral("home"));
    // The first folder with a manual wins; a folder without one is passed over.
    const QStringList sources = {home.file(QStringLiteral("leer")), home.file(QStringLiteral("share"))};
    const QStringList written = ProgramFolder::provideSharedFiles(target, sources);
    EXPECT_EQ(written, (QStringList{target + "/Anleitung.pdf", target + "/Auswertung/Templates/Liste.html"}));
    EXPECT_EQ(home.read(QStringLiteral("home/Anleitung.pdf")), "%PDF neu");
    EXPECT_EQ(home.read(QStringLiteral("home/Auswertung/Templates/Karte.html")), "<b>mein #fischart#</b>");
    EXPECT_EQ(home.read(QStringLiteral("home/Auswertung/Templates/Liste.html")), "<li>#laenge#</li>");
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("home/Auswertung/Templates/notiz.txt"))));
    // Nothing to do the second time; no temporary files left behind.
    EXPECT_TRUE(ProgramFolder::provideSharedFiles(target, sources).isEmpty());
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList{"Anleitung.pdf"});

    // A folder that cannot be created is no error: the program starts without the copies.
    home.write(QStringLiteral("datei"), "x");
    EXPECT_TRUE(ProgramFolder::provideSharedFiles(home.file(QStringLiteral("datei/unter")), sources).isEmpty());
}
