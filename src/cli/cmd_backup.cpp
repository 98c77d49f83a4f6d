// backup / restore: the zip archive of the program folder's data.
#include "cli/Cli.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "reports/Backup.h"

#include <QDir>
#include <QTextStream>

namespace {

QString onlyArgument(QStringList& args, const QString& what)
{
    if (args.isEmpty())
        throw cli::UsageError{QStringLiteral("%1 fehlt.").arg(what)};
    const QString value = args.takeFirst();
    cli::expectNoMoreArgs(args);
    return value;
}

// The database paths as the main window holds them after start-up.
Session heldPaths()
{
    Session session;
    const IniFile settings = IniFile::settings();
    session.dbPath = settings.readString(QStringLiteral("DB"), QStringLiteral("File"));
    session.akdbPath = settings.readString(QStringLiteral("AKDB"), QStringLiteral("File"));
    return session;
}

int runBackup(const QStringList& argsIn, QTextStream&, QTextStream&)
{
    QStringList args = argsIn;
    const QString archive = onlyArgument(args, QStringLiteral("Der Name der Sicherung"));
    const Session session = heldPaths();
    backup::createBackup(archive, ProgramFolder::path(), session.dbPath, session.akdbPath);
    return 0;
}

int runRestore(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    const QString archive = onlyArgument(args, QStringLiteral("Der Name der Sicherung"));
    Session session = heldPaths();
    const backup::RestoreResult r = backup::restore(archive, ProgramFolder::path(), session, appClock());
    out << QDir::toNativeSeparators(r.safetyBackup) << '\n';
    return 0;
}

const cli::Registrar backupCommand(cli::Command{
    QStringLiteral("backup"), QStringLiteral("backup ARCHIV.zip"),
    QStringLiteral("Sichert Bilder, Listen, beide Datenbanken und Fischkladde.ini in ein Zip-Archiv."), runBackup});

const cli::Registrar restoreCommand(cli::Command{
    QStringLiteral("restore"), QStringLiteral("restore ARCHIV.zip"),
    QStringLiteral("Stellt eine Sicherung wieder her; gibt den Pfad der vorher angelegten Sicherung der "
                   "bisherigen Daten aus."),
    runRestore});

} // namespace
