#pragma once
// Windows-1252, the single-byte code page of every file the program writes. The five bytes
// the code page leaves undefined map to the C1 controls of the same number, so any byte
// string survives a round trip through QString.
#include <QByteArray>
#include <QString>

namespace win1252 {

QString decode(const QByteArray& bytes);
QChar decodeByte(unsigned char byte);

// Encodes; returns false (and leaves *out unspecified) when a character has no byte.
bool encode(const QString& text, QByteArray* out);
// Encodes; a character without a byte becomes "?". For texts known to be representable.
QByteArray encodeLossy(const QString& text);
// True when every character of the text has a byte in the code page.
bool canEncode(const QString& text);
// The first character that cannot be encoded, whole (both halves of a surrogate pair, so an
// emoji shows as itself), or an empty text.
QString firstUnencodable(const QString& text);

} // namespace win1252
