#include "reports/HtmlPages.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "data/CommaText.h"
#include "data/GermanFormat.h"
#include "storage/TTextTable.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace htmlpages {

namespace {

const QByteArray kCrLf = "\r\n";

// Every line end (CR LF, CR or LF) becomes CR LF and the text ends with one, as a text file.
QByteArray asTextFile(const QByteArray& text)
{
    QByteArray out;
    out.reserve(text.size() + text.size() / 16 + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += kCrLf;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    if (!out.endsWith(kCrLf))
        out += kCrLf;
    return out;
}

// "keinbild.jpg": nothing; else the picture folder and the picture. Of a list of several
// pictures the first one is named, so the path always leads to a file.
QByteArray pictureValue(const QByteArray& bild, const QByteArray& imgFolder)
{
    if (bild == "keinbild.jpg")
        return {};
    if (!bild.contains(',') && !bild.contains('"') && !bild.contains(' '))
        return imgFolder + bild;
    const QStringList pictures = commatext::split(win1252::decode(bild));
    return imgFolder + (pictures.isEmpty() ? QByteArray() : win1252::encodeLossy(pictures.first()));
}

[[noreturn]] void rethrowAt(int row, const char* field, const EConvertError& e)
{
    throw EConvertError(QStringLiteral("Fang %1, %2: %3").arg(row).arg(QLatin1String(field), e.message()));
}

} // namespace

QByteArray blankList(const TTextTable& db)
{
    static const QList<QByteArray> skipped = {catchrec::Sonnenuntergang, catchrec::Sonnenaufgang, catchrec::Monduntergang,
                                              catchrec::Mondaufgang,     catchrec::Mondphase,     catchrec::Bild,
                                              catchrec::Karte,           catchrec::Angeldauer};
    QByteArray text = "<style> table { border : 1px solid  black; } td { border-right: 1px solid black; "
                      "border-bottom: 1px solid black;} </style><table cellpadding=0 cellspacing=0 width=\"100%\">" +
                      kCrLf;
    for (const QByteArray& name : db.fieldNames()) {
        if (skipped.contains(name))
            continue;
        text += "<tr><td width=100><font face=\"Verdana\" size=1><b>" + name +
                ":</b></font></td><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td>"
                "<td>&nbsp;</td></tr>" +
                kCrLf;
    }
    // Small umlauts only (Windows-1252 bytes of ä, ö, ü).
    text.replace("\xE4", "ae").replace("\xF6", "oe").replace("\xFC", "ue");
    text += "</table>" + kCrLf;
    return text + "<br>" + text;
}

QString templateFolder(const QString& programFolder)
{
    return programFolder + QStringLiteral("/Auswertung/Templates");
}

QStringList templateNames(const QString& programFolder)
{
    QStringList files;
    const QFileInfoList infos = QDir(templateFolder(programFolder)).entryInfoList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo& info : infos)
        if (info.fileName().endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
            files.append(info.fileName());
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    for (QString& f : files)
        f.chop(5);
    return files;
}

void installExampleTemplates(const QString& programFolder)
{
    const QString folder = templateFolder(programFolder);
    if (QFileInfo::exists(folder))
        return;
    if (!QDir().mkpath(folder))
        throw EFileError(QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.").arg(QDir::toNativeSeparators(folder)));
    const QFileInfoList examples = QDir(QStringLiteral(":/templates")).entryInfoList(QDir::Files);
    for (const QFileInfo& example : examples)
        safefile::writeOrThrow(folder + QLatin1Char('/') + example.fileName(), safefile::readOrThrow(example.filePath()));
}

QString templatePath(const QString& programFolder, const QString& name)
{
    return templateFolder(programFolder) + QLatin1Char('/') + name + QStringLiteral(".html");
}

QByteArray evaluation(const TTextTable& db, const QByteArray& templateText, const QString& programFolder,
                      const QString& angler, int year)
{
    static const QByteArray kOpen = "<table style=\"page-break-after: auto\"><tr><td>";
    static const QByteArray kClose = "</td></tr></table>";
    const bool everyone = angler == kAlle;
    const QByteArray anglerBytes = win1252::encodeLossy(angler);
    const QByteArray imgFolder = win1252::encodeLossy(QDir::toNativeSeparators(programFolder + QStringLiteral("/img/")));
    const auto col = [&](const char* field) { return db.FieldIndex(field); };
    const int cDatum = col(catchrec::Fangdatum), cFaenger = col(catchrec::Faenger), cGewicht = col(catchrec::Gewicht),
              cBild = col(catchrec::Bild);

    // Replaced in this order, after "#fischart#" and the opening text.
    static const QList<QPair<QByteArray, const char*>> plain = {
        {"#laenge#", catchrec::Laenge},       {"#gewichtg#", catchrec::Gewicht},
        {"#faenger#", catchrec::Faenger},     {"#gewichtlbs#", nullptr},
        {"#fangdatum#", catchrec::Fangdatum}, {"#fangzeit#", catchrec::Fangzeit},
        {"#angelbeginn#", catchrec::Angelbeginn}, {"#angelende#", catchrec::Angelende},
        {"#angeldauer#", catchrec::Angeldauer}, {"#koeder#", catchrec::Koeder},
        {"#fangmethode#", catchrec::Fangmethode}, {"#gewaesser#", catchrec::Gewaesser},
        {"#stelle#", catchrec::Stelle},       {"#uferdistanz#", catchrec::Uferdistanz},
        {"#fangtiefe#", catchrec::Fangtiefe}, {"#wetter#", catchrec::Wetter},
        {"#bild#", catchrec::Bild},           {"#bemerkungen#", catchrec::Bemerkungen},
        {"#mondphase#", catchrec::Mondphase}};

    QByteArray result;
    int n = 1;
    for (int row = db.RowCount(); row >= 1; --row) {
        int rowYear = 0;
        try {
            rowYear = german::parseDate(db.value(row, cDatum)).year();
        } catch (const EConvertError& e) {
            rethrowAt(row, catchrec::Fangdatum, e);
        }
        if (!everyone && db.value(row, cFaenger) != anglerBytes)
            continue;
        if (year != 0 && rowYear != year)
            continue;
        qint64 grams = 0;
        try {
            grams = german::parseInt(db.value(row, cGewicht));
        } catch (const EConvertError& e) {
            rethrowAt(row, catchrec::Gewicht, e);
        }

        QByteArray block = templateText;
        block.replace("#fischart#", db.value(row, col(catchrec::Fischart)));
        if (n == 1 || n % 3 == 1)
            block.prepend(kOpen);
        for (const auto& [placeholder, field] : plain) {
            QByteArray value;
            if (!field) {
                value = QByteArray::number(grams * 2 / 1000);
            } else if (field == catchrec::Bild) {
                value = pictureValue(db.value(row, cBild), imgFolder);
            } else {
                value = db.value(row, col(field));
            }
            block.replace(placeholder, value);
        }
        if (n != 1 && n % 3 == 0)
            block += kClose;
        result += block;
        ++n;
    }
    result += kClose;
    return asTextFile(result);
}

} // namespace htmlpages
