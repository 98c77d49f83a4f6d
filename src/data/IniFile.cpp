#include "data/IniFile.h"
#include "data/ProgramFolder.h"
#include "base/Win1252.h"
#include "base/FkError.h"
#include "base/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool isSection(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool isKey(const QString& line, QString* key, QString* value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    *key = t.left(eq).trimmed();
    if (value) {
        QString v = t.mid(eq + 1).trimmed();
        if (v.size() >= 2 && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
                              || (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\'')))))
            v = v.mid(1, v.size() - 2);
        *value = v;
    }
    return true;
}

bool same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool IniFile::hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

namespace {

void refuseLineBreaks(const QString& path, const QStringList& texts)
{
    for (const QString& t : texts)
        if (IniFile::hasLineBreak(t))
            throw EFileError(QStringLiteral("Die Einstellungsdatei \"%1\" kann \"%2\" nicht speichern: "
                                            "der Text enthält einen Zeilenumbruch.")
                                 .arg(QDir::toNativeSeparators(path), QString(t).replace(QLatin1Char('\r'), QLatin1Char(' '))
                                                                          .replace(QLatin1Char('\n'), QLatin1Char(' '))));
}

} // namespace

IniFile IniFile::settings()
{
    return IniFile(ProgramFolder::file(QStringLiteral("Fischkladde.ini")));
}

QStringList IniFile::readLines() const
{
    if (!QFileInfo::exists(m_path))
        return {};
    // A settings file that exists but cannot be read must not pass for an empty one: the
    // next write would replace it with that single key.
    const QString text = win1252::decode(safefile::readOrThrow(m_path));
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(breaks);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void IniFile::writeLines(const QStringList& lines) const
{
    QString text;
    for (const QString& l : lines)
        text += l + QLatin1String("\r\n");
    QByteArray bytes;
    if (!win1252::encode(text, &bytes))
        throw EFileError(QStringLiteral("Die Einstellungsdatei \"%1\" kann den Text nicht speichern: "
                                        "er enthält Zeichen außerhalb von Windows-1252.")
                             .arg(QDir::toNativeSeparators(m_path)));
    safefile::writeOrThrow(m_path, bytes);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const
{
    bool inSection = false;
    for (const QString& line : readLines()) {
        QString name, k, v;
        if (isSection(line, &name)) {
            inSection = same(name, section);
        } else if (inSection && isKey(line, &k, &v) && same(k, key)) {
            return v;
        }
    }
    return fallback;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const
{
    bool ok = false;
    const int v = readString(section, key).toInt(&ok);
    return ok ? v != 0 : fallback;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList result;
    bool inSection = false;
    for (const QString& line : readLines()) {
        QString name, k;
        if (isSection(line, &name))
            inSection = same(name, section);
        else if (inSection && isKey(line, &k, nullptr)
                 && !std::any_of(result.begin(), result.end(), [&](const QString& r) { return same(r, k); }))
            result.append(k);
    }
    return result;
}

namespace {

// Sets one key in the lines: replaced where it is, else added at the end of its section
// (or in a new section at the end).
void setIn(QStringList& lines, const QString& section, const QString& key, const QString& value)
{
    const QString entry = key + QLatin1Char('=') + value;
    bool inSection = false;
    qsizetype sectionEnd = -1; // index after the last non-blank line of the section
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name, k;
        if (isSection(lines[i], &name)) {
            if (inSection)
                break;
            inSection = same(name, section);
            if (inSection)
                sectionEnd = i + 1;
        } else if (inSection) {
            if (isKey(lines[i], &k, nullptr) && same(k, key)) {
                lines[i] = entry;
                return;
            }
            if (!lines[i].trimmed().isEmpty())
                sectionEnd = i + 1;
        }
    }
    if (sectionEnd >= 0) {
        lines.insert(sectionEnd, entry);
    } else {
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(entry);
    }
}

} // namespace

void IniFile::writeString(const QString& section, const QString& key, const QString& value) const
{
    refuseLineBreaks(m_path, {section, key, value});
    QStringList lines = readLines();
    setIn(lines, section, key, value);
    writeLines(lines);
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) const
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::deleteKey(const QString& section, const QString& key) const
{
    QStringList lines = readLines();
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name, k;
        if (isSection(lines[i], &name)) {
            inSection = same(name, section);
        } else if (inSection && isKey(lines[i], &k, nullptr) && same(k, key)) {
            lines.removeAt(i);
            writeLines(lines);
            return;
        }
    }
}

void IniFile::replaceSection(const QString& section, const QList<std::pair<QString, QString>>& entries) const
{
    refuseLineBreaks(m_path, {section});
    for (const auto& [key, value] : entries)
        refuseLineBreaks(m_path, {key, value});
    const QStringList lines = readLines();
    QStringList out;
    bool inSection = false;
    bool written = false;
    const auto writeEntries = [&] {
        if (written || entries.isEmpty())
            return;
        out.append(QLatin1Char('[') + section + QLatin1Char(']'));
        for (const auto& [key, value] : entries)
            out.append(key + QLatin1Char('=') + value);
        written = true;
    };
    for (const QString& line : lines) {
        QString name;
        if (isSection(line, &name)) {
            inSection = same(name, section);
            if (inSection) {
                writeEntries(); // in place of the first such section; later copies are dropped
                continue;
            }
        }
        if (!inSection)
            out.append(line);
    }
    writeEntries();
    writeLines(out);
}
