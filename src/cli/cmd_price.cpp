// price: the three stored price texts of a purchase line.
#include "cli/Cli.h"
#include "costs/Costs.h"

#include <QTextStream>

namespace {

int runPrice(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    QString unit, qty, shipping, articles;
    cli::takeOption(args, QStringLiteral("--unit"), &unit);
    cli::takeOption(args, QStringLiteral("--qty"), &qty);
    cli::takeOption(args, QStringLiteral("--shipping"), &shipping);
    cli::takeOption(args, QStringLiteral("--articles"), &articles);
    cli::expectNoMoreArgs(args);
    const costs::Price p = costs::computePrice(unit, qty, shipping, articles);
    out << p.einzelpreis << '\t' << p.gesamtpreis << '\t' << p.gesamtpreisVersand << '\n';
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("price"), QStringLiteral("price --unit PREIS --qty MENGE --shipping VERSAND --articles ANZAHL"),
    QStringLiteral("Einzelpreis, Gesamtpreis und GesamtpreisVersand einer Kaufzeile, wie gespeichert (TAB-getrennt)."),
    runPrice});

} // namespace
