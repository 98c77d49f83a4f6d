// demo: writes a program folder with sample data to look around in.
#include "cli/Cli.h"
#include "data/ProgramFolder.h"
#include "reports/Demo.h"

#include <QDir>
#include <QTextStream>

namespace {

int runDemo(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    if (args.isEmpty())
        throw cli::UsageError{QStringLiteral("Bitte einen Ordner angeben.")};
    const QString folder = args.takeFirst();
    cli::expectNoMoreArgs(args);
    const demo::Summary s = demo::writeProgramFolder(folder);
    const QString written = QDir::cleanPath(QDir(folder).absolutePath());
    // The manual and the example templates, so that the help menu and the HTML evaluation work there too.
    ProgramFolder::provideSharedFiles(written);
    out << QStringLiteral("Beispieldaten in %1: %2 Fänge, %3 Bilder, %4 Angelkosten-Einträge, %5 Bisse.\n")
               .arg(QDir::toNativeSeparators(written))
               .arg(s.catches)
               .arg(s.pictures)
               .arg(s.costs)
               .arg(s.bites);
    out << QStringLiteral("Starten mit: FISCHKLADDE_HOME=\"%1\" fischkladde\n").arg(QDir::toNativeSeparators(written));
    return 0;
}

int runFolder(const QStringList& args, QTextStream& out, QTextStream&)
{
    cli::expectNoMoreArgs(args);
    out << QDir::toNativeSeparators(ProgramFolder::path()) << '\n';
    return 0;
}

const cli::Registrar demoRegistrar(cli::Command{
    QStringLiteral("demo"), QStringLiteral("demo ORDNER"),
    QStringLiteral("Legt in ORDNER einen Programmordner mit Beispieldaten an (zwei Jahre Fänge von drei "
                   "Anglern, Bilder, Karten, Angelkosten, Listen, Bissliste)."),
    runDemo});

const cli::Registrar folderRegistrar(cli::Command{
    QStringLiteral("folder"), QStringLiteral("folder"),
    QStringLiteral("Zeigt den Programmordner, in dem Fischkladde.ini, DATs und img liegen."), runFolder});

} // namespace
