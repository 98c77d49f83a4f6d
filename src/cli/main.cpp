// fischkladde-cli: the command-line companion of Fischkladde.
#include "cli/Cli.h"
#include "base/FkError.h"
#include "base/FileErrors.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <map>

namespace cli {
namespace {
std::map<QString, Command>& registry()
{
    static std::map<QString, Command> commands;
    return commands;
}
} // namespace

void registerCommand(Command command)
{
    registry()[command.name] = std::move(command);
}

bool takeOption(QStringList& args, const QString& name, QString* value)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0)
        return false;
    if (i + 1 >= args.size())
        throw UsageError{QStringLiteral("Option %1 braucht einen Wert.").arg(name)};
    *value = args[i + 1];
    args.remove(i, 2);
    return true;
}

} // namespace cli

static void printHelp(QTextStream& out)
{
    out << "Aufruf: fischkladde-cli BEFEHL [OPTIONEN]\n\n"
           "Werkzeug zur Fischkladde: liest und prüft die Datenbanken im Programmordner\n"
           "(FISCHKLADDE_HOME, sonst der Ordner des Programms) und in der Datei Fischkladde.ini.\n"
           "Ausgabe in UTF-8; Fehler auf stderr mit einem Rückgabewert ungleich 0.\n\nBefehle:\n";
    for (const auto& [name, command] : cli::registry())
        out << "  " << command.usage << "\n      " << command.summary << "\n";
}

// Output redirected to a full disk must not end with success: flush everything and look.
static bool outputWritten(QTextStream& out, QTextStream& err)
{
    errno = 0;
    out.flush();
    const bool streamOk = out.status() == QTextStream::Ok;
    int code = errno;
    if (streamOk) {
        errno = 0;
        const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
        code = errno;
        if (flushed)
            return true;
    }
    err << "Die Ausgabe konnte nicht vollständig geschrieben werden: "
        << (code ? safefile::germanReason(QFileDevice::WriteError, code)
                 : QStringLiteral("Der Datenträger ist voll oder meldet einen Fehler."))
        << "\n";
    return false;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    const auto it = cli::registry().find(name);
    if (it == cli::registry().end()) {
        err << "Unbekannter Befehl: " << name << " (siehe fischkladde-cli --help)\n";
        return 2;
    }
    if (args.contains(QLatin1String("--help"))) {
        out << "Aufruf: fischkladde-cli " << it->second.usage << "\n" << it->second.summary << "\n";
        return 0;
    }
    try {
        const int status = it->second.run(args, out, err);
        return outputWritten(out, err) ? status : 1;
    } catch (const cli::UsageError& e) {
        out.flush();
        err << e.message << "\nAufruf: fischkladde-cli " << it->second.usage << "\n";
        return 2;
    } catch (const FkError& e) {
        out.flush();
        err << e.message() << "\n";
        return 1;
    } catch (const std::exception& e) {
        out.flush();
        err << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}
