// stats species|bait|weather: the pages of the statistics window as text.
#include "cli/Cli.h"
#include "stats/Statistik.h"

#include <QTextStream>

namespace {

int takeYear(QStringList& args)
{
    QString text;
    if (!cli::takeOption(args, QStringLiteral("--year"), &text))
        return 0;
    bool ok = false;
    const int year = text.toInt(&ok);
    if (!ok || year < 0)
        throw cli::UsageError{QStringLiteral("'%1' ist keine gültige Jahreszahl.").arg(text)};
    return year;
}

void printRows(QTextStream& out, const statistik::ListView& list)
{
    for (const statistik::ListRow& r : list.rows)
        out << list.name << '\t' << r.first << '\t' << r.second << '\n';
}

void printItemPage(QTextStream& out, const statistik::ItemPage& page)
{
    const QStringList names = page.labelNames();
    const QStringList texts = page.labelTexts();
    for (int i = 0; i < names.size(); ++i)
        out << names[i] << '\t' << texts[i] << '\n';
    out << page.rekordLabel() << '\t' << page.rekord.join(QStringLiteral("\\n")) << '\n';
    out << "record_row\t" << page.recordRow << '\n';
    for (const statistik::ListView& list : page.lists)
        printRows(out, list);
}

int runStats(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    if (args.isEmpty())
        throw cli::UsageError{QStringLiteral("Welche Seite? species, bait oder weather.")};
    const QString page = args.takeFirst();
    if (page != QLatin1String("species") && page != QLatin1String("bait") && page != QLatin1String("weather"))
        throw cli::UsageError{QStringLiteral("Unbekannte Seite: %1").arg(page)};
    QString angler, species, bait;
    cli::takeOption(args, QStringLiteral("--angler"), &angler);
    const int year = takeYear(args);
    const bool hasSpecies = cli::takeOption(args, QStringLiteral("--species"), &species);
    const bool hasBait = cli::takeOption(args, QStringLiteral("--bait"), &bait);
    if (page == QLatin1String("bait") ? !hasBait || hasSpecies : hasBait)
        throw cli::UsageError{page == QLatin1String("bait") ? QStringLiteral("bait braucht --bait NAME (ohne --species).")
                                                           : QStringLiteral("--bait gilt nur für bait.")};
    if (!hasSpecies)
        species = statistik::kGesamt;
    const QString dbPath = cli::databasePath(args);
    cli::expectNoMoreArgs(args);
    const TTextTable db = cli::loadTable(dbPath);

    if (page == QLatin1String("weather")) {
        for (const statistik::ListView& list : statistik::statistikwetter(db, angler, species, year).lists)
            printRows(out, list);
        return 0;
    }
    const statistik::Lists lists = statistik::readLists();
    if (page == QLatin1String("species")) {
        printItemPage(out, statistik::statistikfischart(db, lists, angler, species, year));
        return 0;
    }
    const QStringList candidates = statistik::cbload(db, angler, year).mid(1);
    printItemPage(out, statistik::statistikkoeder(db, lists, candidates, angler, bait, year));
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("stats"),
    QStringLiteral("stats species|bait|weather [--species NAME] [--bait NAME] [--angler NAME] [--year JJJJ] "
                   "[--db DATEI]"),
    QStringLiteral("Die Seiten des Statistikfensters: Label, TAB, Text; dann Liste, TAB, Spalte 1, TAB, Spalte 2."),
    runStats});

} // namespace
