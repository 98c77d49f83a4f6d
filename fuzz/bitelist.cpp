// The bite list: any bytes are read as notes or refused with EFileError; the notes read are
// written and read back unchanged (a lone CR comes back as CR LF, as the table format has it).
#include "FuzzSupport.h"
#include "entry/BiteList.h"

#include <QRegularExpression>

namespace {

QString normalised(QString text)
{
    static const QRegularExpression loneCr(QStringLiteral("\r(?!\n)"));
    return text.replace(loneCr, QStringLiteral("\r\n"));
}

bool same(const QList<bitelist::Note>& a, const QList<bitelist::Note>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const bitelist::Note& x = a[i];
        const bitelist::Note& y = b[i];
        if (normalised(x.datum) != y.datum || normalised(x.zeit) != y.zeit || normalised(x.stelle) != y.stelle
            || normalised(x.koeder) != y.koeder || normalised(x.fischart) != y.fischart
            || normalised(x.laenge) != y.laenge)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::writeScratch(QStringLiteral("Bissliste.dat"), fuzz::bytesOf(data, size));
    QList<bitelist::Note> notes;
    try {
        notes = bitelist::read(path);
    } catch (const EFileError& e) {
        FUZZ_CHECK(!e.message().isEmpty(), QString());
        FUZZ_CHECK(fuzz::readFile(path) == fuzz::bytesOf(data, size), QStringLiteral("a refused list was changed"));
        return 0;
    }
    const QString copy = fuzz::scratch() + QStringLiteral("/Bissliste-kopie.dat");
    try {
        bitelist::write(copy, notes);
    } catch (const FkError& e) {
        fuzz::fail("notes read can be written", __FILE__, __LINE__, e.message());
    }
    QList<bitelist::Note> again;
    try {
        again = bitelist::read(copy);
    } catch (const FkError& e) {
        fuzz::fail("a written list reads", __FILE__, __LINE__, e.message());
    }
    FUZZ_CHECK(same(notes, again), QString::fromLatin1(fuzz::readFile(copy).toHex(' ')));
    return 0;
}
