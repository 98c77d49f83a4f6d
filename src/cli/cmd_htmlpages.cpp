// blank-list / html-report: the blank catch list and the HTML evaluation.
#include "cli/Cli.h"
#include "base/SafeFile.h"
#include "data/GermanFormat.h"
#include "data/ProgramFolder.h"
#include "reports/HtmlPages.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

// Options stand right after the command; the output file follows them.
QString outputFile(QStringList& args)
{
    if (args.isEmpty())
        throw cli::UsageError{QStringLiteral("Die Ausgabedatei fehlt.")};
    const QString out = args.takeLast();
    cli::expectNoMoreArgs(args);
    return out;
}

int runBlankList(const QStringList& argsIn, QTextStream&, QTextStream&)
{
    QStringList args = argsIn;
    const QString dbPath = cli::databasePath(args);
    const QString out = outputFile(args);
    safefile::writeOrThrow(out, htmlpages::blankList(cli::loadTable(dbPath)));
    return 0;
}

int runHtmlReport(const QStringList& argsIn, QTextStream&, QTextStream&)
{
    QStringList args = argsIn;
    QString name;
    if (!cli::takeOption(args, QStringLiteral("--template"), &name))
        throw cli::UsageError{QStringLiteral("--template NAME fehlt.")};
    QString angler = htmlpages::kAlle;
    cli::takeOption(args, QStringLiteral("--angler"), &angler);
    QString yearText;
    int year = 0;
    if (cli::takeOption(args, QStringLiteral("--year"), &yearText)) {
        bool ok = false;
        year = yearText.toInt(&ok);
        if (!ok || year < 0)
            throw cli::UsageError{QStringLiteral("'%1' ist keine gültige Jahreszahl.").arg(yearText)};
    }
    const QString dbPath = cli::databasePath(args);
    const QString out = outputFile(args);
    const QString folder = ProgramFolder::path();
    htmlpages::installExampleTemplates(folder);
    const QString templateFile = htmlpages::templatePath(folder, name);
    if (!QFileInfo(templateFile).isFile())
        throw cli::UsageError{QStringLiteral("Die Vorlage \"%1\" gibt es nicht. Vorhanden: %2")
                                  .arg(name, htmlpages::templateNames(folder).join(QStringLiteral(", ")))};
    const QByteArray page = htmlpages::evaluation(cli::loadTable(dbPath), safefile::readOrThrow(templateFile), folder,
                                                  angler, year);
    safefile::writeOrThrow(out, page);
    return 0;
}

const cli::Registrar blankListCommand(cli::Command{
    QStringLiteral("blank-list"), QStringLiteral("blank-list [--db DATEI] AUSGABE.html"),
    QStringLiteral("Schreibt die leere Fangliste zum Ausdrucken (HTML)."), runBlankList});

const cli::Registrar htmlReportCommand(cli::Command{
    QStringLiteral("html-report"),
    QStringLiteral("html-report [--db DATEI] --template NAME [--angler NAME] [--year JJJJ] AUSGABE.html"),
    QStringLiteral("Schreibt die HTML-Auswertung mit einer Vorlage aus Auswertung/Templates."), runHtmlReport});

} // namespace
