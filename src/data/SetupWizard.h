#pragma once
// The list pages of the setup assistant: their headings, the list each fills, and what a page
// shows when it is entered.
#include <QList>
#include <QString>
#include <QStringList>

namespace setupwizard {

struct Page {
    QString heading;  // "Fänger hinzufügen"
    QString listName; // "Faenger" for "DATs/Faenger.dat"
};

// Pages 0 to 6 in their order.
const QList<Page>& pages();
inline constexpr int kSpeciesPage = 2;

// The list file when it exists; the species page without a file offers the 27 defaults.
QStringList pageItems(int page);
// Writes the items to the page's list file (folder "DATs" created when missing).
void savePage(int page, const QStringList& items);

} // namespace setupwizard
