// costs: the lines and sums of the costs window for a year and shop filter.
#include "cli/Cli.h"
#include "cli/CostsCli.h"
#include "storage/TTextTable.h"

#include <QTextStream>

namespace {

int runCosts(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    QString year = costs::kAlle;
    QString shop = costs::kAlle;
    if (cli::takeOption(args, QStringLiteral("--year"), &year)) {
        bool ok = false;
        const int y = year.toInt(&ok);
        if (!ok || y <= 0)
            throw cli::UsageError{QStringLiteral("'%1' ist keine gültige Jahreszahl.").arg(year)};
    }
    cli::takeOption(args, QStringLiteral("--shop"), &shop);
    const TTextTable akdb = cli::costTable(args);
    cli::expectNoMoreArgs(args);
    costs::CostList list = costs::fillCostList(akdb, year, shop);
    costs::CostListSorter().afterFill(list.lines);
    for (const costs::CostLine& line : list.lines)
        cli::printCostLine(out, line);
    out << "lb_einzelpreis\t" << list.einzelpreisLabel() << '\n';
    out << "lb_gesamtpreis\t" << list.gesamtpreisLabel() << '\n';
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("costs"), QStringLiteral("costs [--costs DATEI] [--year JJJJ] [--shop NAME]"),
    QStringLiteral("Die Zeilen des Fensters Angelkosten (neuester Kauf zuerst) und seine beiden Summen."), runCosts});

} // namespace
