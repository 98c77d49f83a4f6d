// fischkladde-cli length: estimated length in cm from the weight in grams.
#include "cli/Cli.h"
#include "entry/LengthWeight.h"

#include <QTextStream>

namespace {

int runLength(const QStringList& args, QTextStream& out, QTextStream&)
{
    if (args.size() != 2)
        throw cli::UsageError{QStringLiteral("Fischart und Gewicht erwartet.")};
    out << lengthweight::lengthFromWeight(args[0], args[1]) << '\n';
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("length"),
    QStringLiteral("length FISCHART GEWICHT"),
    QStringLiteral("Länge in cm aus dem Gewicht in g schätzen (leer, wenn die Art unbekannt ist)"),
    runLength});

} // namespace
