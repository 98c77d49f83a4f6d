#include "data/LookupLists.h"
#include "data/CatchRecord.h"
#include "data/ProgramFolder.h"
#include "base/Win1252.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "storage/TTextTable.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lookup {

const QStringList& defaultSpecies()
{
    static const QStringList species = {
        QStringLiteral("Aal"), QStringLiteral("Äsche"), QStringLiteral("Bachforelle"),
        QStringLiteral("Bachsaibling"), QStringLiteral("Barbe"), QStringLiteral("Barsch"),
        QStringLiteral("Brachsen"), QStringLiteral("Döbel"), QStringLiteral("Dorsch"),
        QStringLiteral("Graskarpfen"), QStringLiteral("Hecht"), QStringLiteral("Huchen"),
        QStringLiteral("Spiegelkarpfen"), QStringLiteral("Schuppenkarpfen"), QStringLiteral("Lachs"),
        QStringLiteral("Meerforelle"), QStringLiteral("Quappe"), QStringLiteral("Rapfen"),
        QStringLiteral("Regenbogenforelle"), QStringLiteral("Renke"), QStringLiteral("Rotauge"),
        QStringLiteral("Rotfeder"), QStringLiteral("Schleie"), QStringLiteral("Seeforelle"),
        QStringLiteral("Seesaibling"), QStringLiteral("Wels"), QStringLiteral("Zander")};
    return species;
}

QStringList speciesList()
{
    const QString path = listPath(QStringLiteral("Fischarten"));
    return QFileInfo::exists(path) ? readList(path) : defaultSpecies();
}

QString listPath(const QString& name)
{
    return ProgramFolder::file(QStringLiteral("DATs/") + name + QStringLiteral(".dat"));
}

QStringList readList(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    const QString text = win1252::decode(safefile::readOrThrow(path));
    QStringList values;
    // A blank line names nothing; read as a value it would win ties as a nameless entry.
    const auto take = [&values](const QString& line) {
        if (!line.trimmed().isEmpty())
            values.append(line);
    };
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            take(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        take(text.mid(start));
    return values;
}

QStringList readNamedList(const QString& name) { return readList(listPath(name)); }

void writeList(const QString& path, const QStringList& values)
{
    QByteArray bytes;
    for (const QString& v : values) {
        if (v.trimmed().isEmpty())
            continue; // never written, never read
        QByteArray encoded;
        if (!win1252::encode(v, &encoded))
            throw EFileError(QStringLiteral("Der Eintrag \"%1\" enthält Zeichen, die in der Liste \"%2\" "
                                            "nicht gespeichert werden können.")
                                 .arg(v, QDir::toNativeSeparators(path)));
        bytes += encoded;
        bytes += "\r\n";
    }
    QDir().mkpath(QFileInfo(path).path());
    safefile::writeOrThrow(path, bytes);
}

void writeNamedList(const QString& name, const QStringList& values) { writeList(listPath(name), values); }

namespace {
QCollator& germanCollator()
{
    static QCollator collator = [] {
        QCollator c{QLocale(QLocale::German, QLocale::Germany)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}
} // namespace

int compareText(const QString& a, const QString& b)
{
    return germanCollator().compare(a, b);
}

void SortedUniqueList::add(const QString& value)
{
    auto it = std::lower_bound(m_values.begin(), m_values.end(), value,
                               [](const QString& a, const QString& b) { return compareText(a, b) < 0; });
    if (it != m_values.end() && (compareText(*it, value) == 0 || it->compare(value, Qt::CaseInsensitive) == 0))
        return;
    m_values.insert(it, value);
}

void rebuildCatchLists(const TTextTable& db)
{
    // Field per list, in the order of kCatchListNames.
    static const char* const fields[] = {catchrec::Faenger, catchrec::Fangmethode, catchrec::Wetter,
                                         catchrec::Stelle,  catchrec::Gewaesser,   catchrec::Koeder};
    SortedUniqueList lists[6];
    QStringList species = defaultSpecies();
    int columns[6];
    for (int k = 0; k < 6; ++k)
        columns[k] = db.FieldIndex(fields[k]);
    const int speciesColumn = db.FieldIndex(catchrec::Fischart);
    for (int row = 1; row <= db.RowCount(); ++row) {
        for (int k = 0; k < 6; ++k) {
            const QByteArray v = db.value(row, columns[k]);
            if (!v.isEmpty())
                lists[k].add(win1252::decode(v));
        }
        const QByteArray s = db.value(row, speciesColumn);
        if (!s.isEmpty()) {
            const QString name = win1252::decode(s);
            if (!species.contains(name))
                species.append(name);
        }
    }
    for (int k = 0; k < 6; ++k)
        writeNamedList(kCatchListNames[k], lists[k].values());
    writeNamedList(QStringLiteral("Fischarten"), species);
}

void rebuildCostLists(const TTextTable& akdb)
{
    SortedUniqueList articles, shops;
    const int a = akdb.FieldIndex("Artikel");
    const int s = akdb.FieldIndex("Geschaeft");
    for (int row = 1; row <= akdb.RowCount(); ++row) {
        const QByteArray av = akdb.value(row, a);
        if (!av.isEmpty())
            articles.add(win1252::decode(av));
        const QByteArray sv = akdb.value(row, s);
        if (!sv.isEmpty())
            shops.add(win1252::decode(sv));
    }
    writeNamedList(QStringLiteral("AK_Artikelbez"), articles.values());
    writeNamedList(QStringLiteral("AK_Geschaeft"), shops.values());
}

static void deleteLists(const QStringList& names)
{
    for (const QString& name : names) {
        const QString path = listPath(name);
        if (QFileInfo::exists(path) && !QFile::remove(path))
            throw EFileError(QStringLiteral("Die Liste \"%1\" konnte nicht gelöscht werden.")
                                 .arg(QDir::toNativeSeparators(path)));
    }
}

void deleteCatchLists() { deleteLists(kCatchListNames); }
void deleteCostLists() { deleteLists(kCostListNames); }

bool appendIfMissing(const QString& name, const QString& value)
{
    QStringList values = readNamedList(name);
    if (values.contains(value))
        return false;
    values.append(value);
    writeNamedList(name, values);
    return true;
}

} // namespace lookup
