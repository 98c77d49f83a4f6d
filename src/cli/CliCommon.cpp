#include "cli/Cli.h"
#include "base/Win1252.h"
#include "data/SettingsPaths.h"
#include "data/IniFile.h"
#include "base/FkError.h"

#include <QDir>

namespace cli {

QString databasePath(QStringList& args, bool costs)
{
    QString path;
    if (takeOption(args, QStringLiteral("--db"), &path))
        return path;
    const QString section = costs ? QStringLiteral("AKDB") : QStringLiteral("DB");
    path = IniFile::settings().readString(section, QStringLiteral("File"));
    if (path.contains(QChar(0)))
        throw EFileError(catchdb::nulInPath(section));
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

QString escaped(QString s)
{
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    s.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return s;
}

QString escaped(const QByteArray& win1252Value)
{
    return escaped(win1252::decode(win1252Value));
}

} // namespace cli
