#pragma once
// The two HTML pages made from the catch table: the blank catch list for taking to the water
// and the evaluation that fills a template once per catch. Both are Windows-1252 bytes with
// CR LF line ends, ready to be written.
#include <QByteArray>
#include <QString>
#include <QStringList>

class TTextTable;

namespace htmlpages {

// One row per field of the table (sun, moon, picture, map and fishing-time fields left out),
// label and six empty cells; the table twice, joined by "<br>".
QByteArray blankList(const TTextTable& db);

// The catcher choice that takes every catcher.
inline const QString kAlle = QStringLiteral("-Alle-");

// "<program folder>/Auswertung/Templates"
QString templateFolder(const QString& programFolder);
// Names of the "*.html" files there without ".html", sorted by file name without case.
QStringList templateNames(const QString& programFolder);
// Creates the template folder with the example templates when it does not exist yet (a
// folder the user emptied stays empty). Raises EFileError when that fails.
void installExampleTemplates(const QString& programFolder);
// templateFolder + "/" + name + ".html"
QString templatePath(const QString& programFolder, const QString& name);

// Fills the template for every catch of `angler` (kAlle: everyone) in `year` (0: every year),
// newest row first, grouped by three into tables. Pictures are named by `programFolder` +
// "/img/". Raises EConvertError (row and field in front) for a date or weight that cannot be
// converted; nothing is returned then.
QByteArray evaluation(const TTextTable& db, const QByteArray& templateText, const QString& programFolder,
                      const QString& angler, int year);

} // namespace htmlpages
