// search: the catch search of the "Fang suchen" dialog.
#include "cli/Cli.h"
#include "base/Win1252.h"
#include "reports/Search.h"

#include <QTextStream>

namespace {

int runSearch(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    QStringList options;
    while (args.size() > 1 && args.first() == QLatin1String("--db"))
        options << args.takeFirst() << args.takeFirst();
    const QString path = cli::databasePath(options);
    if (args.size() != 1)
        throw cli::UsageError{args.isEmpty() ? QStringLiteral("Der Suchtext fehlt.")
                                             : QStringLiteral("Unerwartetes Argument: %1").arg(args[1])};
    const TTextTable db = cli::loadTable(path);
    for (const search::Hit& h : search::findCatches(db, args.first()))
        out << h.row << '\t' << cli::escaped(h.fangdatum) << '\t' << cli::escaped(h.faenger) << '\t' << cli::escaped(h.fischart) << '\t'
            << cli::escaped(h.laenge) << '\t' << cli::escaped(h.gewicht) << '\n';
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("search"), QStringLiteral("search [--db DATEI] TEXT"),
    QStringLiteral("Sucht Fänge wie \"Fang suchen\": je Treffer ID, Fangdatum, Fänger, Fischart, Länge, Gewicht "
                   "(TAB-getrennt)."),
    runSearch});

} // namespace
