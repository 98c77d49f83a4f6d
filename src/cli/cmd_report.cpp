// report stats|costs|years|catches: the PDF reports, written as the report dialogs write them.
#include "cli/Cli.h"
#include "cli/CostsCli.h"
#include "data/Clock.h"
#include "data/ProgramFolder.h"
#include "reports/PdfReports.h"
#include "storage/TTextTable.h"

#include <QTextStream>

namespace {

int takeYear(QStringList& args)
{
    QString text;
    if (!cli::takeOption(args, QStringLiteral("--year"), &text) || text == QLatin1String("-Alle-"))
        return 0;
    bool ok = false;
    const int year = text.toInt(&ok);
    if (!ok || year < 1 || year > 9999 || text.size() != 4)
        throw cli::UsageError{QStringLiteral("'%1' ist keine gültige Jahreszahl.").arg(text)};
    return year;
}

QString takeAngler(QStringList& args)
{
    QString angler;
    cli::takeOption(args, QStringLiteral("--angler"), &angler);
    return angler == QLatin1String("-Alle-") ? QString() : angler;
}

// The output file: the one argument left after the options.
QString takeOut(QStringList& args)
{
    if (args.isEmpty())
        throw cli::UsageError{QStringLiteral("Welche Datei soll geschrieben werden?")};
    const QString out = args.takeLast();
    cli::expectNoMoreArgs(args);
    return out;
}

int runReport(const QStringList& argsIn, QTextStream&, QTextStream&)
{
    QStringList args = argsIn;
    if (args.isEmpty())
        throw cli::UsageError{QStringLiteral("Welcher Bericht? stats, costs, years oder catches.")};
    const QString kind = args.takeFirst();
    if (kind == QLatin1String("stats") || kind == QLatin1String("catches")) {
        const QString angler = takeAngler(args);
        const int year = takeYear(args);
        const QString dbPath = cli::databasePath(args);
        const QString out = takeOut(args);
        const TTextTable db = cli::loadTable(dbPath);
        if (kind == QLatin1String("stats"))
            reports::writeStatistikReport(db, statistik::readLists(), angler, year, out);
        else
            reports::writeCatchReport(db, angler, year, ProgramFolder::file(QStringLiteral("img")), out);
        return 0;
    }
    if (kind == QLatin1String("costs") || kind == QLatin1String("years")) {
        const int year = kind == QLatin1String("costs") ? takeYear(args) : 0;
        const TTextTable akdb = cli::costTable(args);
        const QString out = takeOut(args);
        if (kind == QLatin1String("costs"))
            reports::writeCostListReport(akdb, year, out);
        else
            reports::writeYearOverviewReport(akdb, appClock().now().date().year(), out);
        return 0;
    }
    throw cli::UsageError{QStringLiteral("Unbekannter Bericht: %1").arg(kind)};
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("report"),
    QStringLiteral("report stats|catches [--db DATEI] [--angler NAME] [--year JJJJ] AUS.pdf | "
                   "report costs [--costs DATEI] [--year JJJJ] AUS.pdf | report years [--costs DATEI] AUS.pdf"),
    QStringLiteral("Schreibt einen PDF-Bericht: Statistik, Angelkosten, Jahresübersicht oder Fänge."), runReport});

} // namespace
