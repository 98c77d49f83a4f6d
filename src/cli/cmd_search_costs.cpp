// search-costs: the cost search by shop or article.
#include "cli/Cli.h"
#include "cli/CostsCli.h"
#include "storage/TTextTable.h"

#include <QTextStream>

namespace {

int runSearchCosts(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    const TTextTable akdb = cli::costTable(args);
    if (args.size() != 1)
        throw cli::UsageError{QStringLiteral("Bitte genau einen Suchtext angeben.")};
    for (const costs::CostLine& line : costs::searchCosts(akdb, args.first()))
        cli::printCostLine(out, line);
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("search-costs"), QStringLiteral("search-costs [--costs DATEI] TEXT"),
    QStringLiteral("Sucht den Text in Geschäft oder Artikel der Angelkosten (A-Z ohne Groß-/Kleinschreibung)."),
    runSearchCosts});

} // namespace
