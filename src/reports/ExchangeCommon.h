#pragma once
// What the XML and the CSV exchange share: the import that changes nothing on failure, and
// the messages for values that cannot be stored.
#include "storage/TTextTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace exchange {

// Runs `append` on a copy of the table, saves the copy to `tablePath` and only then replaces
// the table with it; returns what `append` returned. Raises FkError when no database is open
// (no file known, or a table without fields), and passes on every error of `append` and of
// the save with the table unchanged.
int appendAndSave(TTextTable& table, const QString& tablePath, const std::function<int(TTextTable&)>& append);

// Raises FkError "<where>, Feld <field>: ..." naming the first character of the value that
// Windows-1252 cannot hold.
[[noreturn]] void throwUnencodable(const QString& value, const QString& where, const QString& field);

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);

} // namespace exchange
