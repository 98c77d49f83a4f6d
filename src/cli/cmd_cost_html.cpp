// cost-html: the HTML list per year of the costs window, its filters at "-Alle-".
#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "cli/CostsCli.h"
#include "data/Clock.h"
#include "reports/PdfReports.h"
#include "storage/TTextTable.h"

#include <QTextStream>

namespace {

int runCostHtml(const QStringList& argsIn, QTextStream&, QTextStream&)
{
    QStringList args = argsIn;
    const TTextTable akdb = cli::costTable(args);
    if (args.isEmpty())
        throw cli::UsageError{QStringLiteral("Welche Datei soll geschrieben werden?")};
    const QString out = args.takeLast();
    cli::expectNoMoreArgs(args);
    safefile::writeOrThrow(out, reports::costYearsHtml(akdb, appClock().now().date()));
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("cost-html"), QStringLiteral("cost-html [--costs DATEI] AUS.html"),
    QStringLiteral("Die Angelkosten je Jahr als HTML-Liste (Windows-1252)."), runCostHtml});

} // namespace
