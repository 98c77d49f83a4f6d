#include "data/SetupWizard.h"
#include "data/LookupLists.h"

#include <QFileInfo>

namespace setupwizard {

const QList<Page>& pages()
{
    static const QList<Page> list{
        {QStringLiteral("Fänger hinzufügen"), QStringLiteral("Faenger")},
        {QStringLiteral("Fangmethode hinzufügen"), QStringLiteral("Fangmethode")},
        {QStringLiteral("Fischarten hinzufügen"), QStringLiteral("Fischarten")},
        {QStringLiteral("Gewässer hinzufügen"), QStringLiteral("Gewaesser")},
        {QStringLiteral("Köder hinzufügen"), QStringLiteral("Koeder")},
        {QStringLiteral("Fangstellen hinzufügen"), QStringLiteral("Stelle")},
        {QStringLiteral("Wetter hinzufügen"), QStringLiteral("Wetter")},
    };
    return list;
}

QStringList pageItems(int page)
{
    const QString path = lookup::listPath(pages().at(page).listName);
    if (QFileInfo::exists(path))
        return lookup::readList(path);
    return page == kSpeciesPage ? lookup::defaultSpecies() : QStringList();
}

void savePage(int page, const QStringList& items)
{
    lookup::writeNamedList(pages().at(page).listName, items);
}

} // namespace setupwizard
