#include "cli/CostsCli.h"
#include "cli/Cli.h"
#include "data/IniFile.h"

#include <QTextStream>

namespace cli {

TTextTable costTable(QStringList& args)
{
    QString path;
    if (takeOption(args, QStringLiteral("--costs"), &path))
        return loadTable(path);
    path = IniFile::settings().readString(QStringLiteral("AKDB"), QStringLiteral("File"));
    if (path.isEmpty())
        throw UsageError{QStringLiteral("Keine Angelkosten-Datenbank angegeben (--costs DATEI) und keine in "
                                        "Fischkladde.ini eingetragen.")};
    return loadTable(path);
}


void printCostLine(QTextStream& out, const costs::CostLine& line)
{
    out << line.row;
    for (const QString* v : {&line.kaufdatum, &line.geschaeft, &line.artikel, &line.menge, &line.einzelpreis,
                             &line.gesamtpreisVersand})
        out << '\t' << escaped(*v);
    out << '\n';
}

} // namespace cli
