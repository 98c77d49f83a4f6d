#include "cli/Cli.h"
#include "data/IniFile.h"
#include "base/FkError.h"

#include <QDir>

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

TTextTable loadTable(const QString& path)
{
    TTextTable table;
    if (!table.LoadFromFile(path))
        throw EFileError(QStringLiteral("Die Datenbank \"%1\" konnte nicht geöffnet werden.").arg(QDir::toNativeSeparators(path)));
    return table;
}

void expectNoMoreArgs(const QStringList& args)
{
    if (!args.isEmpty())
        throw UsageError{QStringLiteral("Unerwartetes Argument: %1").arg(args.first())};
}

} // namespace cli
