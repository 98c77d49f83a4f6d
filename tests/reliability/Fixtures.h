#pragma once
// Data and folder helpers shared by the failing-write, killed-save and hostile-file tests.
#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"
#include "storage/TTextTable.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QString>

namespace rel {

// Points the program folder somewhere else for one scope.
struct HomeAt {
    explicit HomeAt(const QString& path) : previous(qgetenv("FISCHKLADDE_HOME"))
    {
        qputenv("FISCHKLADDE_HOME", QFile::encodeName(path));
    }
    ~HomeAt() { qputenv("FISCHKLADDE_HOME", previous); }
    QByteArray previous;
};

// A catch table of `rows` catches, every field filled, rows told apart by `seed`.
inline TTextTable catches(int rows, int seed = 0)
{
    TTextTable t = catchdb::emptyTable(catchdb::Kind::Catches);
    const char* species[] = {"Hecht", "Zander", "Aal", "Barsch", "Döbel"};
    for (int r = 0; r < rows; ++r) {
        t.AddRow();
        const int day = 1 + (r + seed) % 28, month = 1 + (r / 28) % 12, year = 2000 + (r / 336) % 20;
        t.SetData(catchrec::Fangdatum, QStringLiteral("%1.%2.%3").arg(day, 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0')).arg(year).toLatin1());
        t.SetData(catchrec::Fangzeit, QByteArray::number(10 + r % 10) + ":15");
        t.SetData(catchrec::Angelbeginn, "06:00");
        t.SetData(catchrec::Angelende, "20:00");
        t.SetData(catchrec::Angeldauer, "14:00");
        t.SetData(catchrec::Fischart, QString::fromUtf8(species[(r + seed) % 5]).toLatin1());
        t.SetData(catchrec::Laenge, QByteArray::number(20 + (r * 7 + seed) % 80));
        t.SetData(catchrec::Gewicht, QByteArray::number(100 + (r * 131 + seed) % 5000));
        t.SetData(catchrec::Faenger, r % 2 ? "Tom" : "Anna");
        t.SetData(catchrec::Gewaesser, r % 3 ? "Baggersee" : "Ruhr");
        t.SetData(catchrec::Stelle, "Steg " + QByteArray::number(r % 7));
        t.SetData(catchrec::Uferdistanz, "5");
        t.SetData(catchrec::Fangtiefe, "2,5");
        t.SetData(catchrec::Fangmethode, "Grund");
        t.SetData(catchrec::Koeder, r % 2 ? "Tauwurm" : "Mais");
        t.SetData(catchrec::Wetter, "sonnig");
        t.SetData(catchrec::Bemerkungen, "Zeile eins\r\nZeile zwei; mit \\ und " + QByteArray::number(r + seed));
        t.SetData(catchrec::Sonnenaufgang, "05:31:07");
        t.SetData(catchrec::Sonnenuntergang, "21:12:44");
        t.SetData(catchrec::Mondaufgang, "23:01:00");
        t.SetData(catchrec::Monduntergang, "08:40:10");
        t.SetData(catchrec::Mondphase, "Vollmond");
        t.SetData(catchrec::Lufttemperatur, "18");
        t.SetData(catchrec::Wassertemperatur, "14");
        t.SetData(catchrec::Wasserstand, "normal");
        t.SetData(catchrec::Wassertruebung, "klar");
        t.SetData(catchrec::Windrichtung, "SW");
        t.SetData(catchrec::Windstaerke, "3");
        t.SetData(catchrec::Luftdruck, "1013");
        t.SetData(catchrec::zurueckgesetzt, r % 4 ? "0" : "1");
    }
    return t;
}

inline TTextTable costTable(int rows)
{
    TTextTable t = catchdb::emptyTable(catchdb::Kind::Costs);
    for (int r = 0; r < rows; ++r) {
        t.AddRow();
        t.SetData(costrec::Kaufdatum, QStringLiteral("%1.03.%2").arg(1 + r % 28, 2, 10, QLatin1Char('0')).arg(2005 + r % 3).toLatin1());
        t.SetData(costrec::Geschaeft, r % 2 ? "Angelladen" : "Versand");
        t.SetData(costrec::Artikel, "Haken Gr. " + QByteArray::number(r % 12));
        t.SetData(costrec::Menge, QByteArray::number(1 + r % 5));
        t.SetData(costrec::Einzelpreis, "1,50");
        t.SetData(costrec::Gesamtpreis, "3,00");
        t.SetData(costrec::GesamtpreisVersand, "3,95");
    }
    return t;
}

// A picture that does not compress: large files from small sizes.
inline QImage noise(int width, int height, quint32 seed = 12345)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 x = seed;
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < width; ++i)
            image.setPixel(i, y, (x = x * 1103515245u + 12345u) >> 8);
    return image;
}

inline QByteArray noiseBytes(int size, quint32 seed = 777)
{
    QByteArray b(size, '\0');
    quint32 x = seed;
    for (char& c : b)
        c = char((x = x * 1103515245u + 12345u) >> 24);
    return b;
}

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every file below a folder (hidden ones too) with its bytes; the full disk's filler aside.
using Snapshot = QMap<QString, QByteArray>;
inline Snapshot snapshot(const QString& folder)
{
    Snapshot s;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(folder).relativeFilePath(path);
        if (relative != QLatin1String(".filler"))
            s.insert(relative, readAll(path));
    }
    return s;
}

// Names of the files that differ between two snapshots (added, removed or changed).
inline QStringList differences(const Snapshot& a, const Snapshot& b)
{
    QStringList out;
    for (auto it = a.begin(); it != a.end(); ++it)
        if (!b.contains(it.key()) || b.value(it.key()) != it.value())
            out << it.key();
    for (auto it = b.begin(); it != b.end(); ++it)
        if (!a.contains(it.key()))
            out << it.key();
    return out;
}

inline qint64 bytesOf(const Snapshot& s, const QStringList& names)
{
    qint64 n = 0;
    for (const QString& name : names)
        n += s.value(name).size();
    return n;
}

} // namespace rel
