// catches, upgrade, new, check: the table commands.
#include "cli/Cli.h"
#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
#include "base/Win1252.h"
#include "base/FkError.h"
#include "storage/TTextTable.h"

#include <QDir>
#include <QTextStream>
#include <vector>

namespace {

int catches(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    const QString path = cli::databasePath(args);
    cli::expectNoMoreArgs(args);
    const TTextTable table = cli::loadTable(path);
    out << "ID";
    for (const QByteArray& f : table.fieldNames())
        out << '\t' << cli::escaped(f);
    out << '\n';
    // One line at a time into a reused buffer, the values read in place.
    QString line;
    for (int row = 1; row <= table.RowCount(); ++row) {
        qsizetype room = 16;
        for (int col = 1; col <= table.FieldCount(); ++col)
            room += 1 + 2 * table.view(row, col).size();
        if (line.size() < room)
            line.resize(room);
        QChar* const first = line.data();
        QChar* w = first;
        for (const QChar c : QString::number(row))
            *w++ = c;
        for (int col = 1; col <= table.FieldCount(); ++col) {
            *w++ = u'\t';
            w = cli::writeEscaped(w, table.view(row, col));
        }
        *w++ = u'\n';
        out << QStringView(first, w - first);
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

// The fields every catch database has had from the start; overview and statistics read
// them. The later ones are added by the upgrade.
constexpr int kOriginalCatchFields = 24;

int check(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    const QString path = cli::databasePath(args);
    cli::expectNoMoreArgs(args);
    const TTextTable table = cli::loadTable(path);
    enum Form { Date, Time, OptionalInt, Float, None };
    struct Check {
        const char* field;
        Form form;
        bool required;
    };
    std::vector<Check> checks;
    if (table.FieldIndex(costrec::Kaufdatum) != 0 && table.FieldIndex(catchrec::Fangdatum) == 0) {
        checks = {{costrec::Kaufdatum, Date, true},      {costrec::Geschaeft, None, true},
                  {costrec::Artikel, None, true},        {costrec::Menge, OptionalInt, true},
                  {costrec::Einzelpreis, Float, true},   {costrec::Gesamtpreis, Float, true},
                  {costrec::GesamtpreisVersand, Float, true}};
    } else {
        for (int i = 0; i < catchrec::kFieldCount; ++i) {
            const catchrec::Field& f = catchrec::kFields[size_t(i)];
            const Form form = f.form == catchrec::Form::Date   ? Date
                              : f.form == catchrec::Form::Time ? Time
                              : f.form == catchrec::Form::WholeNumber ? OptionalInt
                                                                      : None;
            checks.push_back({f.name, form, i < kOriginalCatchFields});
        }
    }
    int found = 0;
    std::vector<int> columns;
    for (const Check& c : checks) {
        columns.push_back(table.FieldIndex(c.field));
        if (columns.back() == 0 && c.required) {
            ++found;
            out << "-\t" << c.field << "\tDas Feld fehlt.\n";
        }
    }
    for (int row = 1; row <= table.RowCount(); ++row) {
        for (size_t k = 0; k < checks.size(); ++k) {
            const Check& c = checks[k];
            if (columns[k] == 0 || c.form == None)
                continue;
            const QByteArray v = table.value(row, columns[k]);
            try {
                switch (c.form) {
                case Date: german::parseDate(v); break;
                case Time: german::parseTime(v); break;
                case Float: german::parseFloat(v); break;
                case OptionalInt:
                    if (!v.isEmpty())
                        german::parseInt(v);
                    break;
                case None: break;
                }
            } catch (const EConvertError& e) {
                ++found;
                out << row << '\t' << c.field << '\t' << e.message() << '\n';
            }
        }
    }
    out.flush();
    if (found)
        err << found << " Fehler in " << QDir::toNativeSeparators(path) << '\n';
    return found ? 1 : 0;
}

cli::Registrar r1({QStringLiteral("catches"), QStringLiteral("catches [--db DATEI]"),
                   QStringLiteral("Gibt die Tabelle als Text aus (ID, TAB, Werte; \\\\ \\t \\r \\n maskiert)."), catches});
cli::Registrar r2({QStringLiteral("upgrade"), QStringLiteral("upgrade [--db DATEI]"),
                   QStringLiteral("Ergänzt fehlende Felder der Fangdatenbank wie beim Programmstart und speichert."), upgrade});
cli::Registrar r3({QStringLiteral("new"), QStringLiteral("new catches|costs DATEI"),
                   QStringLiteral("Legt eine neue, leere Fang- oder Kostendatenbank an."), create});
cli::Registrar r4({QStringLiteral("check"), QStringLiteral("check [--db DATEI]"),
                   QStringLiteral("Meldet jedes fehlende Feld (Zeile -) und jeden Wert, der sich nicht umwandeln lässt (Zeile, Feld, Meldung); Status 1 bei Funden."), check});

} // namespace
