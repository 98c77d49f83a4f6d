#include "cli/Cli.h"
#include "base/Win1252.h"
#include "data/IniFile.h"
#include "base/FkError.h"

#include <QDir>

namespace cli {

QString databasePath(QStringList& args, bool costs)
{
    QString path;
    if (takeOption(args, QStringLiteral("--db"), &path))
        return path;
    path = IniFile::settings().readString(costs ? QStringLiteral("AKDB") : QStringLiteral("DB"), QStringLiteral("File"));
    if (path.isEmpty())
        throw UsageError{QStringLiteral("Keine Datenbank angegeben (--db DATEI) und keine in Fischkladde.ini eingetragen.")};
    return path;
}

TTextTable loadTable(const QString& path)
{
    TTextTable table;
    if (!table.LoadFromFile(path))
        throw EFileError(QStringLiteral("Die Datenbank \"%1\" konnte nicht geöffnet werden.").arg(QDir::toNativeSeparators(path)));
    return table;
}

void expectNoMoreArgs(const QStringList& args)
{
    if (!args.isEmpty())
        throw UsageError{QStringLiteral("Unerwartetes Argument: %1").arg(args.first())};
}

namespace {

// One pass over the value, each character written once: escapes cost no extra copies.
template <class Char, class Decode> void appendEscapedChars(QString& out, const Char* p, qsizetype n, Decode decode)
{
    const qsizetype old = out.size();
    out.resize(old + 2 * n); // at most two characters per character
    QChar* const first = out.data();
    QChar* w = first + old;
    for (const Char* end = p + n; p < end; ++p) {
        const char16_t c = decode(*p);
        switch (c) {
        case u'\\': *w++ = u'\\'; *w++ = u'\\'; break;
        case u'\t': *w++ = u'\\'; *w++ = u't'; break;
        case u'\r': *w++ = u'\\'; *w++ = u'r'; break;
        case u'\n': *w++ = u'\\'; *w++ = u'n'; break;
        default: *w++ = QChar(c);
        }
    }
    out.resize(w - first);
}

} // namespace

void appendEscaped(QString& out, QByteArrayView win1252Value)
{
    appendEscapedChars(out, win1252Value.data(), win1252Value.size(),
                       [](char b) {
                           const auto u = static_cast<unsigned char>(b);
                           return u < 0x80 ? char16_t(u) : win1252::decodeByte(u).unicode();
                       });
}

QString escaped(QString s)
{
    QString out;
    appendEscapedChars(out, s.constData(), s.size(), [](QChar c) { return c.unicode(); });
    return out;
}

QString escaped(const QByteArray& win1252Value)
{
    QString out;
    appendEscaped(out, win1252Value);
    return out;
}

} // namespace cli
