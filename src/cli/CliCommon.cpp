#include "cli/Cli.h"
#include "base/Win1252.h"
#include "data/SettingsPaths.h"
#include "data/IniFile.h"
#include "base/FkError.h"

#include <QDir>
#include <array>

namespace cli {

QString databasePath(QStringList& args, bool costs)
{
    QString path;
    if (takeOption(args, QStringLiteral("--db"), &path))
        return path;
    const QString section = costs ? QStringLiteral("AKDB") : QStringLiteral("DB");
    path = IniFile::settings().readString(section, QStringLiteral("File"));
    if (path.contains(QChar(0)))
        throw EFileError(catchdb::nulInPath(section));
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

constexpr char16_t kEscaped = 0xFFFF; // no byte decodes to it

// What each stored byte shows as: its character, or kEscaped for the four escaped ones.
const std::array<char16_t, 256>& byteChars()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = win1252::decodeByte(static_cast<unsigned char>(b)).unicode();
        for (char b : {'\\', '\t', '\r', '\n'})
            t[size_t(static_cast<unsigned char>(b))] = kEscaped;
        return t;
    }();
    return table;
}

QChar* writeEscape(QChar* w, char16_t c)
{
    *w++ = u'\\';
    *w++ = c == u'\t' ? u't' : c == u'\r' ? u'r' : c == u'\n' ? u'n' : u'\\';
    return w;
}

} // namespace

QChar* writeEscaped(QChar* out, QByteArrayView win1252Value)
{
    const std::array<char16_t, 256>& chars = byteChars();
    for (const char b : win1252Value) {
        const char16_t c = chars[static_cast<unsigned char>(b)];
        if (c != kEscaped)
            *out++ = QChar(c);
        else
            out = writeEscape(out, char16_t(static_cast<unsigned char>(b)));
    }
    return out;
}

QString escaped(QString s)
{
    QString out(2 * s.size(), Qt::Uninitialized);
    QChar* w = out.data();
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'\t' || u == u'\r' || u == u'\n')
            w = writeEscape(w, u);
        else
            *w++ = c;
    }
    out.truncate(w - out.constData());
    return out;
}

QString escaped(const QByteArray& win1252Value)
{
    QString out(2 * win1252Value.size(), Qt::Uninitialized);
    out.truncate(writeEscaped(out.data(), win1252Value) - out.constData());
    return out;
}

} // namespace cli
