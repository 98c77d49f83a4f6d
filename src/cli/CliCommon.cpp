#include "cli/Cli.h"
#include "data/IniFile.h"

namespace cli {

QString databasePath(QStringList& args, bool costs)
{
    QString path;
    if (takeOption(args, QStringLiteral("--db"), &path))
        return path;
    path = IniFile::settings().readString(costs ? QStringLiteral("AKDB") : QStringLiteral("DB"), QStringLiteral("File"));
    if (path.isEmpty())
        throw UsageError{QStringLiteral("Keine Datenbank angegeben (--db DATEI) und keine in Fischkladde.ini eingetragen.")};
    return path;
}

void expectNoMoreArgs(const QStringList& args)
{
    if (!args.isEmpty())
        throw UsageError{QStringLiteral("Unerwartetes Argument: %1").arg(args.first())};
}

} // namespace cli
