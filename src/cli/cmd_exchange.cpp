// export-xml, import-xml, export-csv, import-csv: the exchange commands of the menus.
#include "cli/Cli.h"
#include "base/FkError.h"
#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "reports/CsvExchange.h"
#include "reports/XmlExchange.h"

#include <QTextStream>

namespace {

enum class Format { Xml, Csv };

struct Target {
    catchdb::Kind kind;
    QString tablePath;
    QString file;
};

// "catches|costs FILE" and the table: --db or DB/File for catches, --costs or AKDB/File for costs.
Target target(const QStringList& argsIn)
{
    QStringList args = argsIn;
    QString costsPath;
    const bool costsOption = cli::takeOption(args, QStringLiteral("--costs"), &costsPath);
    QString dbPath;
    const bool dbOption = cli::takeOption(args, QStringLiteral("--db"), &dbPath);
    if (args.size() != 2 || (args[0] != QLatin1String("catches") && args[0] != QLatin1String("costs")))
        throw cli::UsageError{QStringLiteral("Erwartet: catches|costs DATEI")};
    Target t;
    t.kind = args[0] == QLatin1String("catches") ? catchdb::Kind::Catches : catchdb::Kind::Costs;
    t.file = args[1];
    if (t.kind == catchdb::Kind::Catches) {
        if (costsOption)
            throw cli::UsageError{QStringLiteral("--costs gilt nur für costs; die Fangdatenbank nennt --db.")};
        t.tablePath = dbOption ? dbPath : IniFile::settings().readString(QStringLiteral("DB"), QStringLiteral("File"));
    } else {
        if (dbOption)
            throw cli::UsageError{QStringLiteral("--db gilt nur für catches; die Kostendatenbank nennt --costs.")};
        t.tablePath = costsOption ? costsPath
                                  : IniFile::settings().readString(QStringLiteral("AKDB"), QStringLiteral("File"));
    }
    if (t.tablePath.isEmpty())
        throw cli::UsageError{t.kind == catchdb::Kind::Catches
                                  ? QStringLiteral("Keine Fangdatenbank angegeben (--db DATEI) und keine in Fischkladde.ini eingetragen.")
                                  : QStringLiteral("Keine Kostendatenbank angegeben (--costs DATEI) und keine in Fischkladde.ini eingetragen.")};
    return t;
}

int exportCommand(Format format, const QStringList& args)
{
    const Target t = target(args);
    const TTextTable table = cli::loadTable(t.tablePath);
    if (format == Format::Xml)
        xmlexchange::exportFile(table, t.kind, t.file);
    else
        csvexchange::exportFile(table, t.file);
    return 0;
}

int importCommand(Format format, const QStringList& args, QTextStream& out)
{
    const Target t = target(args);
    TTextTable table = cli::loadTable(t.tablePath);
    // As the program holds it after its start: the catch table with every field.
    if (t.kind == catchdb::Kind::Catches)
        catchdb::upgradeCatchTable(table);
    const int added = format == Format::Xml ? xmlexchange::importFile(table, t.tablePath, t.kind, t.file)
                                            : csvexchange::importFile(table, t.tablePath, t.file);
    out << added << (added == 1 ? " Eintrag" : " Einträge") << " importiert\n";
    return 0;
}

cli::Registrar r1({QStringLiteral("export-xml"), QStringLiteral("export-xml catches|costs DATEI [--db DATEI] [--costs DATEI]"),
                   QStringLiteral("Schreibt die Fang- oder Kostendatenbank als XML-Datei."),
                   [](const QStringList& a, QTextStream&, QTextStream&) { return exportCommand(Format::Xml, a); }});
cli::Registrar r2({QStringLiteral("import-xml"), QStringLiteral("import-xml catches|costs DATEI [--db DATEI] [--costs DATEI]"),
                   QStringLiteral("Hängt die Einträge einer XML-Datei an die Datenbank an und speichert sie."),
                   [](const QStringList& a, QTextStream& out, QTextStream&) { return importCommand(Format::Xml, a, out); }});
cli::Registrar r3({QStringLiteral("export-csv"), QStringLiteral("export-csv catches|costs DATEI [--db DATEI] [--costs DATEI]"),
                   QStringLiteral("Schreibt die Datenbank als CSV-Datei für Tabellenkalkulationen (UTF-8, \";\")."),
                   [](const QStringList& a, QTextStream&, QTextStream&) { return exportCommand(Format::Csv, a); }});
cli::Registrar r4({QStringLiteral("import-csv"), QStringLiteral("import-csv catches|costs DATEI [--db DATEI] [--costs DATEI]"),
                   QStringLiteral("Hängt die Zeilen einer CSV-Datei an die Datenbank an (Spalten nach Kopfzeile) und speichert sie."),
                   [](const QStringList& a, QTextStream& out, QTextStream&) { return importCommand(Format::Csv, a, out); }});

} // namespace
