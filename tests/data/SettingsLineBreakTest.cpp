// A line break in a section, key or value would end its line in the settings file and start
// another: the value would come back cut short and the rest be read as a line of its own
// (a path could even add a section). Such a write is refused and the file stays as it was.
#include "TempHome.h"
#include "base/FkError.h"
#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "data/Session.h"
#include "support/ErrorText.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(SettingsLineBreak, WritesWithALineBreakAreRefusedAndChangeNothing)
{
    TempHome home;
    const QByteArray before = "[DB]\r\nFile=C:\\alt.fdb\r\n[Start]\r\nstart=1\r\n";
    home.write("Fischkladde.ini", before);
    const IniFile ini(home.file("Fischkladde.ini"));

    const QString error = errorText<EFileError>([&] { ini.writeString("DB", "File", "/x/neu\n[Start]\nstart=0.fdb"); });
    EXPECT_TRUE(error.contains("Zeilenumbruch")) << error.toStdString();
    EXPECT_TRUE(error.contains("Fischkladde.ini")) << error.toStdString();
    for (const auto& write : std::initializer_list<std::function<void()>>{
             [&] { ini.writeString("DB", "File", "a\rb"); },
             [&] { ini.writeString("DB\n", "File", "a"); },
             [&] { ini.writeString("DB", "Fi\r\nle", "a"); },
             [&] { ini.replaceSection("Standort", {{"Breite", "1"}, {"Laenge", "2\n"}}); }})
        EXPECT_NE(errorText<EFileError>(write), QStringLiteral("<no error>"));
    EXPECT_EQ(home.read("Fischkladde.ini"), before);
    EXPECT_EQ(ini.readString("DB", "File"), "C:\\alt.fdb");
    EXPECT_TRUE(ini.readBool("Start", "start"));

    // Without the break the same write goes through.
    ini.writeString("DB", "File", "/x/neu.fdb");
    EXPECT_EQ(ini.readString("DB", "File"), "/x/neu.fdb");
}

TEST(SettingsLineBreak, ADatabaseWhosePathHasALineBreakIsNotOpenedOrCreated)
{
    TempHome home;
    home.write("Fischkladde.ini", "[DB]\r\nFile=\r\n");
    Session session;
    const QString path = home.file("neu\n[AKDB]\nFile=x.fdb");
    const QString error = errorText<EFileError>([&] { catchdb::createDatabase(session, path, catchdb::Kind::Catches); });
    EXPECT_TRUE(error.contains("Zeilenumbruch")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(home.read("Fischkladde.ini"), "[DB]\r\nFile=\r\n");
    EXPECT_TRUE(session.dbPath.isEmpty());

    home.write("alt\nname.fdb", "Fangdatum\r\n");
    EXPECT_TRUE(errorText<EFileError>([&] {
                    catchdb::openDatabase(session, home.file("alt\nname.fdb"), catchdb::Kind::Catches);
                }).contains("Zeilenumbruch"));
    EXPECT_EQ(home.read("Fischkladde.ini"), "[DB]\r\nFile=\r\n");
    EXPECT_EQ(session.DB.FieldCount(), 0);
}
