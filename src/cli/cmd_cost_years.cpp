// cost-years: the lines of the cost year overview.
#include "cli/Cli.h"
#include "cli/CostsCli.h"
#include "data/Clock.h"
#include "storage/TTextTable.h"

#include <QTextStream>

namespace {

int runCostYears(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    const TTextTable akdb = cli::costTable(args);
    cli::expectNoMoreArgs(args);
    for (const costs::YearLine& line : costs::yearOverview(akdb, appClock().now().date().year()))
        out << line.year << '\t' << line.amount << '\t' << line.diffEuro << '\t' << line.diffPercent << '\n';
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("cost-years"), QStringLiteral("cost-years [--costs DATEI]"),
    QStringLiteral("Die Jahresübersicht der Angelkosten: Jahr, Betrag, +/- Vorjahr (€), +/- Vorjahr (%)."),
    runCostYears});

} // namespace
