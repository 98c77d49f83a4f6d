// The list pages of the setup assistant: headings, files, and what a page offers.
#include "data/LookupLists.h"
#include "data/SetupWizard.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

TEST(SetupPages, HeadingsFilesAndContents)
{
    TempHome home;
    const QList<setupwizard::Page>& pages = setupwizard::pages();
    ASSERT_EQ(pages.size(), 7);
    const QStringList headings{QStringLiteral("Fänger hinzufügen"),  QStringLiteral("Fangmethode hinzufügen"),
                               QStringLiteral("Fischarten hinzufügen"), QStringLiteral("Gewässer hinzufügen"),
                               QStringLiteral("Köder hinzufügen"), QStringLiteral("Fangstellen hinzufügen"),
                               QStringLiteral("Wetter hinzufügen")};
    const QStringList files{"Faenger", "Fangmethode", "Fischarten", "Gewaesser", "Koeder", "Stelle", "Wetter"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(pages[i].heading, headings[i]);
        EXPECT_EQ(pages[i].listName, files[i]);
        // Without files every page is empty but the species page, which offers the defaults.
        EXPECT_EQ(setupwizard::pageItems(i), i == 2 ? lookup::defaultSpecies() : QStringList()) << i;
    }

    // A page shows its file as it is: order and repeats kept; a blank line names nothing.
    setupwizard::savePage(3, {"Rhein", "", "Main", " ", "Rhein"});
    EXPECT_EQ(home.read("DATs/Gewaesser.dat"), "Rhein\r\nMain\r\nRhein\r\n");
    EXPECT_EQ(setupwizard::pageItems(3), (QStringList{"Rhein", "Main", "Rhein"}));
    // A species file, even an empty one, replaces the defaults.
    setupwizard::savePage(2, {});
    EXPECT_TRUE(setupwizard::pageItems(2).isEmpty());
}
