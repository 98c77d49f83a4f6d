// recommend: the catch recommendation, one line per month.
#include "cli/Cli.h"
#include "stats/Fangempfehlung.h"
#include "stats/Statistik.h"

#include <QTextStream>

namespace {

int runRecommend(const QStringList& argsIn, QTextStream& out, QTextStream&)
{
    QStringList args = argsIn;
    QString angler;
    cli::takeOption(args, QStringLiteral("--angler"), &angler);
    const QString dbPath = cli::databasePath(args);
    cli::expectNoMoreArgs(args);
    const TTextTable db = cli::loadTable(dbPath);
    // The angler only narrows the candidates; every catch is counted.
    const QStringList species = statistik::cbload(db, angler, 0).mid(1);
    const QStringList baits = statistik::loadkoedercb(db, angler, 0);
    for (const statistik::EmpfehlungRow& r : statistik::fangempfehlung(db, species, baits))
        out << r.monat << '\t' << r.tag << '\t' << r.fischart << '\t' << r.uhrzeit << '\t' << r.koeder << '\n';
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("recommend"), QStringLiteral("recommend [--angler NAME] [--db DATEI]"),
    QStringLiteral("Fangempfehlung: je Monat Wochentag, Fischart, Uhrzeit und Köder (TAB-getrennt)."), runRecommend});

} // namespace
