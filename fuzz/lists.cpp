// The lookup lists: any bytes give one value per line (CR LF, lone CR or lone LF) with blank
// lines left out, no value holds a line break, and writing the values and reading them again
// gives the same list.
#include "FuzzSupport.h"
#include "base/Win1252.h"
#include "data/LookupLists.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::writeScratch(QStringLiteral("Koeder.dat"), bytes);
    const QStringList values = lookup::readList(path);

    // The same split done the plain way.
    QStringList expected = win1252::decode(bytes).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    expected.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    FUZZ_CHECK(values == expected, QString::fromLatin1(bytes.toHex(' ')));

    const QString copy = fuzz::scratch() + QStringLiteral("/Koeder-kopie.dat");
    try {
        lookup::writeList(copy, values);
    } catch (const FkError& e) {
        fuzz::fail("every value read can be written", __FILE__, __LINE__, e.message());
    }
    FUZZ_CHECK(lookup::readList(copy) == values, QString());

    // The sorted list of the rebuild: ordered and without a value twice in any letter case.
    lookup::SortedUniqueList sorted;
    for (const QString& v : values)
        sorted.add(v);
    const QStringList& s = sorted.values();
    for (qsizetype i = 1; i < s.size(); ++i)
        FUZZ_CHECK(lookup::compareText(s[i - 1], s[i]) < 0, s[i - 1] + QStringLiteral(" | ") + s[i]);
    for (const QString& v : values)
        FUZZ_CHECK(std::any_of(s.begin(), s.end(), [&](const QString& x) { return lookup::compareText(x, v) == 0; }), v);
    return 0;
}
