#pragma once
// A Windows initialisation file ("Fischkladde.ini"): Windows-1252, CR LF, [section] lines
// followed by key=value lines. Sections and keys compare case-insensitively; writing one key
// keeps every other line and the order. Every call reads the file anew, so several windows
// may use it without stale copies.
#include <QString>
#include <QStringList>

#include <utility>

class IniFile {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}
    // The program's settings file in the program folder.
    static IniFile settings();

    const QString& path() const { return m_path; }

    // Missing file, section or key read as `fallback`.
    QString readString(const QString& section, const QString& key, const QString& fallback = {}) const;
    // "1" (any non-zero integer) is true; missing or not a number is `fallback`.
    bool readBool(const QString& section, const QString& key, bool fallback = false) const;
    // Keys of a section in file order.
    QStringList keys(const QString& section) const;

    // True when the text holds CR or LF: as a section, key or value it would end its line and
    // the rest would be read as lines of their own.
    static bool hasLineBreak(const QString& text);

    // Raise EFileError when the file cannot be written, the text has no Windows-1252 form or a
    // section, key or value holds a line break (the file is then left as it was).
    void writeString(const QString& section, const QString& key, const QString& value) const;
    void writeBool(const QString& section, const QString& key, bool value) const;
    void deleteKey(const QString& section, const QString& key) const;
    // Replaces all keys of a section by `entries` (key, value) in one write; an empty list
    // removes the section.
    void replaceSection(const QString& section, const QList<std::pair<QString, QString>>& entries) const;

private:
    QStringList readLines() const;
    void writeLines(const QStringList& lines) const;
    QString m_path;
};
