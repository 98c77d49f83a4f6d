#pragma once
// Tables with the values that break careless exchange code: markup characters, umlauts and
// other Windows-1252 letters, multi-line remarks, separators and quotes, blanks at the ends.
#include "ErrorText.h"
#include "TempHome.h"
#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"

#include <QProcess>
#include <gtest/gtest.h>

inline TTextTable trickyCatches()
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    db.AddRow();
    db.SetData(catchrec::Fangdatum, "07.05.2006");
    db.SetData(catchrec::Fangzeit, "18:42");
    db.SetData(catchrec::Fischart, "Barsch");
    db.SetData(catchrec::Laenge, "25");
    db.SetData(catchrec::Faenger, "J\xf6rg & S\xf6hne");                  // Jörg & Söhne
    db.SetData(catchrec::Koeder, "\xc4sche <gro\xdf>");                   // Äsche <groß>
    db.SetData(catchrec::Gewaesser, "M\xfchlenteich; \"alt\"");           // Mühlenteich; "alt"
    db.SetData(catchrec::Bemerkungen, "Erste Zeile\r\nzweite Zeile\nTab\there \\ Ende ");
    db.SetData(catchrec::Wetter, "  sonnig  ");
    db.SetData(catchrec::Stelle, "Steg \x80 5 \x81\x9f");                 // € and two C1 bytes
    db.SetData(catchrec::Lufttemperatur, "-3");
    db.SetData(catchrec::Luftdruck, "1013");
    db.SetData(catchrec::Windrichtung, "NO");
    db.SetData(catchrec::Windstaerke, "3");
    db.SetData(catchrec::zurueckgesetzt, "-1");
    db.SetData(catchrec::Sonnenaufgang, "05:51:13");
    db.AddRow(); // a row of empty values
    db.AddRow();
    db.SetData(catchrec::Fangdatum, "08.05.2006");
    db.SetData(catchrec::Fischart, "Hecht");
    db.SetData(catchrec::Bemerkungen, "\r\n");
    return db;
}

inline TTextTable trickyCosts()
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Costs);
    const QList<QByteArrayList> rows = {
        {"07.05.2006", "B\xe4" "ckerstra\xdf" "e", "Rute \"Zander\"; 2,70 m", "3", "4,50", "13,50", "15,49"},
        {"01.02.2007", "Angel & Co <Filiale>", "Haken\r\nGr. 6", "", "", "", ""},
        {"01.02.2007", "", "\xd6sen \xdc" "ber \x80", "1", "0,99", "0,99", "0,99"},
    };
    for (const QByteArrayList& r : rows) {
        db.AddRow();
        for (int i = 0; i < r.size(); ++i)
            db.SetData(costrec::kFields[size_t(i)], r[i]);
    }
    return db;
}

// A foreign XML reader's verdict; empty when the file is well-formed.
inline QString xmllintErrors(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path});
    if (!p.waitForFinished(30000))
        return QStringLiteral("xmllint did not finish");
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromUtf8(p.readAllStandardError()) + QStringLiteral(" (exit %1)").arg(p.exitCode());
    return {};
}

// The text of an XPath expression as the foreign reader sees it, in UTF-8.
inline QByteArray xmllintValue(const QString& path, const QString& xpath)
{
    QProcess p;
    p.start(QStringLiteral("xmllint"), {QStringLiteral("--xpath"), QStringLiteral("string(%1)").arg(xpath), path});
    p.waitForFinished(30000);
    QByteArray out = p.readAllStandardOutput();
    if (out.endsWith('\n')) // the tool ends its output with a line break
        out.chop(1);
    return out;
}
