// overview: the figures of the main window's overview, one "label TAB text" line each.
#include "cli/Cli.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "stats/Overview.h"
#include "base/FkError.h"
#include "storage/TTextTable.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The cost table as the main window holds it: --costs must name a readable file; the
// settings' file is used when it exists, otherwise there are no costs.
TTextTable costTable(const QString& givenPath)
{
    if (!givenPath.isEmpty())
        return cli::loadTable(givenPath);
    const QString path = IniFile::settings().readString(QStringLiteral("AKDB"), QStringLiteral("File"));
    if (!path.isEmpty() && QFileInfo(path).isFile())
        return cli::loadTable(path);
    return TTextTable();
}

int runOverview(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    QString angler;
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
    QString costsPath;
    if (cli::takeOption(args, QStringLiteral("--costs"), &costsPath) && costsPath.isEmpty())
        throw cli::UsageError{QStringLiteral("--costs braucht einen Dateinamen.")};
    cli::expectNoMoreArgs(args);
    const TTextTable db = cli::loadTable(dbPath);
    const TTextTable akdb = costTable(costsPath);

    const overview::Lists lists = overview::readLists(lookup::readNamedList(QStringLiteral("Faenger")));
    const overview::Result r = overview::compute(db, akdb, lists, angler, year);

    const auto line = [&](const QString& label, const QString& text) { out << label << '\t' << text << '\n'; };
    line(QStringLiteral("lb_angelzeit"), r.fishingTime);
    line(QStringLiteral("lb_angelkosten"), r.costs);
    line(QStringLiteral("lb_summefischgewicht"), r.catches.weightSum);
    line(QStringLiteral("lb_summefischlaenge"), r.catches.lengthSum);
    line(QStringLiteral("lb_anzahlfische"), QString::number(r.computed ? r.catches.counted : 0));
    for (int f = 0; f < overview::FigureCount; ++f) {
        line(overview::figureNames()[size_t(f)] + QStringLiteral("_1"), r.catches.pairs[size_t(f)].first);
        line(overview::figureNames()[size_t(f)] + QStringLiteral("_2"), r.catches.pairs[size_t(f)].second);
    }
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("overview"),
    QStringLiteral("overview [--db DATEI] [--costs DATEI] [--angler NAME] [--year JJJJ]"),
    QStringLiteral("Die Übersichtszahlen des Hauptfensters (Label, TAB, Text je Zeile)."), runOverview});

} // namespace
