#pragma once
// A small, fast XML reader for the exchange files: checks that the whole document is
// well-formed and reports elements and their character data in document order. Large logs
// make files of a hundred megabytes, which a general-purpose reader takes seconds for.
//
// Supported: the XML declaration, comments, processing instructions, CDATA sections,
// attributes (checked, not reported), the five predefined entities and character references,
// a document type declaration (skipped; entities declared in it are not expanded and count
// as unknown). Line ends in character data are normalised as XML prescribes. Names are
// checked for their ASCII characters only, and namespace prefixes are taken as part of the
// name, as a reader without namespaces does.
#include "base/FkError.h"

#include <QByteArray>
#include <string_view>

namespace xmlreader {

class Handler {
public:
    virtual ~Handler() = default;
    virtual void startElement(std::string_view name) = 0;
    virtual void endElement() = 0;
    // Character data in UTF-8, in one or more pieces per run of text.
    virtual void characters(std::string_view utf8) = 0;
};

// A document that is not well-formed; message() is the German reason with line and column.
class SyntaxError : public FkError {
public:
    using FkError::FkError;
};

// Converts the file's bytes to UTF-8: byte-order marks and the declared encoding are
// honoured; a file without declared encoding that is not valid UTF-8 is read as
// Windows-1252, as older versions wrote it. Raises SyntaxError for an unknown encoding.
QByteArray toUtf8(const QByteArray& file);

// Parses UTF-8 text (as toUtf8 returns it), calling the handler; raises SyntaxError at the
// first fault. Handler calls made before the fault are not undone.
void parse(const QByteArray& utf8, Handler& handler);

} // namespace xmlreader
