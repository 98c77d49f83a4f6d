// The settings file: any bytes read without a crash; writing one key keeps every other value,
// and the readers built on it (location of the observer and of the waters) give valid values.
#include "FuzzSupport.h"
#include "base/Win1252.h"
#include "data/IniFile.h"
#include "entry/Location.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace {

// The sections named in the file, as the reader sees them, plus those the program uses.
QStringList sectionsOf(const QByteArray& bytes)
{
    QStringList names = {QStringLiteral("DB"), QStringLiteral("AKDB"), QStringLiteral("Standort"),
                         QStringLiteral("Gewaesserstandorte")};
    for (const QString& raw : win1252::decode(bytes).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString line = raw.trimmed();
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        if (line.startsWith(QLatin1Char('[')) && close > 0) {
            const QString name = line.mid(1, close - 1).trimmed();
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    return names;
}

using Values = QMap<QPair<QString, QString>, QString>;
using Names = QMap<QPair<QString, QString>, QPair<QString, QString>>;

// Every (section, key) and the value the reader gives for it; section and key case-folded,
// as the reader compares them. `names` gets them as the file spells them.
Values valuesOf(const IniFile& ini, const QStringList& sections, Names* names = nullptr)
{
    Values values;
    for (const QString& s : sections)
        for (const QString& k : ini.keys(s)) {
            values.insert({s.toCaseFolded(), k.toCaseFolded()}, ini.readString(s, k));
            if (names && !names->contains({s.toCaseFolded(), k.toCaseFolded()}))
                names->insert({s.toCaseFolded(), k.toCaseFolded()}, {s, k});
        }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const IniFile ini(fuzz::writeScratch(QStringLiteral("Fischkladde.ini"), bytes));
    const QStringList sections = sectionsOf(bytes);
    Names names;
    const Values before = valuesOf(ini, sections, &names);
    for (auto it = before.begin(); it != before.end(); ++it) {
        FUZZ_CHECK(!it.value().contains(QLatin1Char('\r')) && !it.value().contains(QLatin1Char('\n')), it.value());
        (void)ini.readBool(it.key().first, it.key().second);
    }

    const location::Location here = location::defaultLocation(ini);
    FUZZ_CHECK(location::isValid(here), QString());
    for (const location::WaterLocation& w : location::waterLocations(ini))
        FUZZ_CHECK(location::isValid(w.where) && !w.water.isEmpty(), w.water);

    // Writing one key changes that value only.
    if (!before.isEmpty()) {
        const auto target = std::next(before.begin(), qsizetype(size % size_t(before.size())));
        const QString section = names.value(target.key()).first;
        const QString key = names.value(target.key()).second;
        try {
            ini.writeString(section, key, QStringLiteral("Neuer Wert"));
        } catch (const FkError& e) {
            fuzz::fail("a key of a readable file can be written", __FILE__, __LINE__, e.message());
        }
        Values after = valuesOf(ini, sections);
        FUZZ_CHECK(after.value(target.key()) == QStringLiteral("Neuer Wert"), section + QLatin1Char('/') + key);
        after[target.key()] = target.value();
        FUZZ_CHECK(after == before, section + QLatin1Char('/') + key);
    }

    // A new key in a new section leaves the rest alone too.
    fuzz::writeScratch(QStringLiteral("Fischkladde.ini"), bytes);
    ini.writeString(QStringLiteral("FuzzNeu"), QStringLiteral("Schluessel"), QStringLiteral("C:\\Daten\\see.fdb"));
    Values after = valuesOf(ini, sections);
    FUZZ_CHECK(ini.readString(QStringLiteral("FuzzNeu"), QStringLiteral("Schluessel")) == QStringLiteral("C:\\Daten\\see.fdb"),
               QString());
    if (!sections.contains(QStringLiteral("FuzzNeu"), Qt::CaseInsensitive))
        FUZZ_CHECK(after == before, QString());

    // Replacing a section keeps the other sections' values.
    fuzz::writeScratch(QStringLiteral("Fischkladde.ini"), bytes);
    location::setDefaultLocation({47.5, 9.25}, ini);
    FUZZ_CHECK(location::defaultLocation(ini) == (location::Location{47.5, 9.25}), QString());
    after = valuesOf(ini, sections);
    for (auto it = before.begin(); it != before.end(); ++it)
        if (it.key().first != QStringLiteral("standort"))
            FUZZ_CHECK(after.value(it.key()) == it.value(), it.key().first + QLatin1Char('/') + it.key().second);
    return 0;
}
