// catches, upgrade, new, check: the table commands.
#include "cli/Cli.h"
#include "data/CatchRecord.h"
#include "data/CatchDatabase.h"
#include "data/GermanFormat.h"
#include "base/Win1252.h"
#include "base/FkError.h"
#include "storage/TTextTable.h"

#include <QDir>
#include <QTextStream>

namespace {

QString escaped(const QByteArray& value)
{
    QString s = win1252::decode(value);
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    s.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return s;
}

int catches(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    const QString path = cli::databasePath(args);
    cli::expectNoMoreArgs(args);
    const TTextTable table = cli::loadTable(path);
    out << "ID";
    for (const QByteArray& f : table.fieldNames())
        out << '\t' << escaped(f);
    out << '\n';
    for (int row = 1; row <= table.RowCount(); ++row) {
        out << row;
        for (int col = 1; col <= table.FieldCount(); ++col)
            out << '\t' << escaped(table.value(row, col));
        out << '\n';
    }
    return 0;
}

int upgrade(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    const QString path = cli::databasePath(args);
    cli::expectNoMoreArgs(args);
    TTextTable table = cli::loadTable(path);
    const QList<QByteArray> added = catchdb::upgradeCatchTable(table);
    table.saveOrThrow(path);
    for (const QByteArray& f : added)
        out << "Feld ergänzt: " << QString::fromLatin1(f) << '\n';
    return 0;
}

int create(const QStringList& argsIn, QTextStream&, QTextStream&)
{
    QStringList args = argsIn;
    if (args.size() != 2 || (args[0] != QLatin1String("catches") && args[0] != QLatin1String("costs")))
        throw cli::UsageError{QStringLiteral("Erwartet: new catches|costs DATEI")};
    catchdb::createFile(args[1], args[0] == QLatin1String("catches") ? catchdb::Kind::Catches : catchdb::Kind::Costs);
    return 0;
}

int check(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    const QString path = cli::databasePath(args);
    cli::expectNoMoreArgs(args);
    const TTextTable table = cli::loadTable(path);
    int found = 0;
    for (int row = 1; row <= table.RowCount(); ++row) {
        for (const catchrec::Field& c : catchrec::kFields) {
            const int col = table.FieldIndex(c.name);
            if (col == 0)
                continue;
            const QByteArray v = table.value(row, col);
            try {
                switch (c.form) {
                case catchrec::Form::Date: german::parseDate(v); break;
                case catchrec::Form::Time: german::parseTime(v); break;
                case catchrec::Form::WholeNumber:
                    if (!v.isEmpty())
                        german::parseInt(v);
                    break;
                case catchrec::Form::Flag:
                case catchrec::Form::Text: break;
                }
            } catch (const EConvertError& e) {
                ++found;
                out << row << '\t' << c.name << '\t' << e.message() << '\n';
            }
        }
    }
    out.flush();
    if (found)
        err << found << " fehlerhafte Werte in " << QDir::toNativeSeparators(path) << '\n';
    return found ? 1 : 0;
}

cli::Registrar r1({QStringLiteral("catches"), QStringLiteral("catches [--db DATEI]"),
                   QStringLiteral("Gibt die Tabelle als Text aus (ID, TAB, Werte; \\\\ \\t \\r \\n maskiert)."), catches});
cli::Registrar r2({QStringLiteral("upgrade"), QStringLiteral("upgrade [--db DATEI]"),
                   QStringLiteral("Ergänzt fehlende Felder der Fangdatenbank wie beim Programmstart und speichert."), upgrade});
cli::Registrar r3({QStringLiteral("new"), QStringLiteral("new catches|costs DATEI"),
                   QStringLiteral("Legt eine neue, leere Fang- oder Kostendatenbank an."), create});
cli::Registrar r4({QStringLiteral("check"), QStringLiteral("check [--db DATEI]"),
                   QStringLiteral("Meldet jeden Wert, der sich nicht umwandeln lässt (Zeile, Feld, Meldung); Status 1 bei Funden."), check});

} // namespace
