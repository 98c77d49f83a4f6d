// fischkladde-cli weight: estimated weight in grams from the length in cm.
#include "cli/Cli.h"
#include "entry/LengthWeight.h"

#include <QTextStream>

namespace {

int runWeight(const QStringList& args, QTextStream& out, QTextStream&)
{
    if (args.size() != 2)
        throw cli::UsageError{QStringLiteral("Fischart und Länge erwartet.")};
    out << lengthweight::weightFromLength(args[0], args[1]) << '\n';
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("weight"),
    QStringLiteral("weight FISCHART LAENGE"),
    QStringLiteral("Gewicht in g aus der Länge in cm schätzen (leer, wenn die Art unbekannt ist)"),
    runWeight});

} // namespace
