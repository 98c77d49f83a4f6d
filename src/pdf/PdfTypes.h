#pragma once
// The PDF object model: every value of a PDF file is a TPdfObject. An object is either
// direct (written in place, owned by its container) or indirect (registered in the
// document's cross-reference table, owned by it, written in place as "n 0 R").
#include "base/FkError.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Misuse of the PDF writer; the text names the operation and the reason.
class EPdfError : public FkError {
public:
    using FkError::FkError;
};

namespace pdf {

// Appends bytes; cheaper than QByteArray::append for the many short pieces of a content
// stream (growth stays geometric).
inline void put(QByteArray& out, const char* bytes, qsizetype n)
{
    const qsizetype old = out.size();
    if (out.capacity() - old < n)
        out.reserve(std::max(old + n, old * 2 + 64));
    out.resize(old + n);
    std::memcpy(out.data() + old, bytes, size_t(n));
}

template <size_t N> inline void put(QByteArray& out, const char (&literal)[N])
{
    put(out, literal, qsizetype(N - 1));
}

// Numbers in content streams and dictionaries: two decimals, half up (away from zero),
// shortest form, "." as separator: 12, 12.5, 0.33, -1.25.
void appendNumber(QByteArray& out, double value);
void appendInteger(QByteArray& out, qint64 value);
// The same into a buffer; return the end. A number takes at most kMaxNumberLength bytes.
constexpr int kMaxNumberLength = 24;
char* formatNumber(char* p, double value);
char* formatInteger(char* p, qint64 value);
QByteArray number(double value);

// A literal string "(...)" with the escapes of the file format.
void appendLiteral(QByteArray& out, const QByteArray& bytes);
// "/" + name with "#xx" for bytes outside "!".."~" and for delimiters.
void appendName(QByteArray& out, const QByteArray& name);

} // namespace pdf

class TPdfObject {
public:
    virtual ~TPdfObject();
    TPdfObject(const TPdfObject&) = delete;
    TPdfObject& operator=(const TPdfObject&) = delete;

    // Writes the object where it is used: the value, or the reference when indirect.
    void writeTo(QByteArray& out) const;
    // Writes the value itself (used for the "obj ... endobj" body).
    virtual void writeValue(QByteArray& out) const = 0;

    bool isIndirect() const { return m_objectNumber > 0; }
    int objectNumber() const { return m_objectNumber; }
    int generationNumber() const { return 0; }

protected:
    TPdfObject() = default;

private:
    friend class TPdfXref;
    friend class TPdfHeld;
    int m_objectNumber = 0;
    bool m_owned = false; // held by a container as a direct object
};

// A slot in an array or dictionary: owns direct objects, refers to indirect ones.
class TPdfHeld {
public:
    explicit TPdfHeld(TPdfObject* object);
    ~TPdfHeld();
    TPdfHeld(TPdfHeld&& other) noexcept
        : m_object(std::exchange(other.m_object, nullptr)), m_owned(std::exchange(other.m_owned, false)) {}
    TPdfHeld& operator=(TPdfHeld&& other) noexcept;
    TPdfObject* get() const { return m_object; }

private:
    TPdfObject* m_object;
    bool m_owned; // decided when added: an indirect object may already be gone at the end
};

class TPdfNull : public TPdfObject {
public:
    void writeValue(QByteArray& out) const override;
};

class TPdfBoolean : public TPdfObject {
public:
    explicit TPdfBoolean(bool value) : Value(value) {}
    void writeValue(QByteArray& out) const override;
    bool Value;
};

class TPdfNumber : public TPdfObject {
public:
    explicit TPdfNumber(qint64 value) : Value(value) {}
    void writeValue(QByteArray& out) const override;
    qint64 Value;
};

class TPdfReal : public TPdfObject {
public:
    explicit TPdfReal(double value) : Value(value) {}
    void writeValue(QByteArray& out) const override;
    double Value;
};

// A text string (Windows-1252 bytes). Written as a literal when its bytes mean the same in
// the viewers' text encoding; otherwise (e.g. "€", which WinAnsi and PDFDocEncoding place
// differently) as a UTF-16 hexadecimal string with byte-order mark, so titles show right.
class TPdfText : public TPdfObject {
public:
    explicit TPdfText(QByteArray value) : Value(std::move(value)) {}
    void writeValue(QByteArray& out) const override;
    QByteArray Value;
};

class TPdfName : public TPdfObject {
public:
    explicit TPdfName(QByteArray value) : Value(std::move(value)) {}
    void writeValue(QByteArray& out) const override;
    QByteArray Value;
};

class TPdfArray : public TPdfObject {
public:
    TPdfArray() = default;
    void writeValue(QByteArray& out) const override;
    // Takes ownership of a direct object; an indirect one is referred to.
    TPdfObject* add(TPdfObject* item);
    void addNumber(qint64 value) { add(new TPdfNumber(value)); }
    void addReal(double value) { add(new TPdfReal(value)); }
    void addName(const QByteArray& name) { add(new TPdfName(name)); }
    int count() const { return int(m_items.size()); }
    TPdfObject* item(int index) const { return m_items.at(size_t(index)).get(); }

private:
    std::vector<TPdfHeld> m_items;
};

class TPdfDictionary : public TPdfObject {
public:
    TPdfDictionary() = default;
    void writeValue(QByteArray& out) const override;
    // The "/Key value" CR LF lines without the brackets.
    void writeEntries(QByteArray& out) const;
    // Adds or replaces the entry; takes ownership of a direct object.
    TPdfObject* add(const QByteArray& key, TPdfObject* value);
    void addName(const QByteArray& key, const QByteArray& name) { add(key, new TPdfName(name)); }
    void addNumber(const QByteArray& key, qint64 value) { add(key, new TPdfNumber(value)); }
    void addReal(const QByteArray& key, double value) { add(key, new TPdfReal(value)); }
    void addText(const QByteArray& key, const QByteArray& text) { add(key, new TPdfText(text)); }
    TPdfObject* value(const QByteArray& key) const;
    template <class T> T* valueAs(const QByteArray& key) const { return dynamic_cast<T*>(value(key)); }
    bool remove(const QByteArray& key);
    int count() const { return int(m_entries.size()); }

private:
    std::vector<std::pair<QByteArray, TPdfHeld>> m_entries;
};

// Dictionary, then CR LF "stream" CR LF, the bytes, LF "endstream"; Length is set on writing.
class TPdfStream : public TPdfObject {
public:
    TPdfStream() = default;
    void writeValue(QByteArray& out) const override;
    // writeValue() in three parts, so the data can go to the file without a copy.
    void writeHead(QByteArray& out) const;
    static constexpr char kTail[] = "\nendstream";
    TPdfDictionary& attributes() { return m_attributes; }
    const TPdfDictionary& attributes() const { return m_attributes; }
    QByteArray& data() { return m_data; }
    const QByteArray& data() const { return m_data; }

private:
    TPdfDictionary m_attributes;
    QByteArray m_data;
};

class TPdfBinary : public TPdfObject {
public:
    explicit TPdfBinary(QByteArray bytes = {}) : Bytes(std::move(bytes)) {}
    void writeValue(QByteArray& out) const override;
    QByteArray Bytes;
};

// A stream that a page draws by name ("/Name Do").
class TPdfXObject : public TPdfStream {};
class TPdfImage : public TPdfXObject {
public:
    int width() const { return m_width; }
    int height() const { return m_height; }

protected:
    int m_width = 0;
    int m_height = 0;
};

// The object table: entry 0 is the head of the free list, every registered object gets
// the next number. Owns the registered objects.
class TPdfXref {
public:
    TPdfXref();
    ~TPdfXref();
    // Registers a new object (not yet held by a container) and takes ownership.
    template <class T> T* add(T* object)
    {
        addObject(object);
        return object;
    }
    int count() const { return int(m_objects.size()) + 1; } // entries including entry 0
    // Hands the objects to `put` in pieces (stream data as it is, the rest through one
    // reused buffer), `offsets` gets each object's position counted from `position`, which
    // ends after the last. Returns false as soon as `put` does.
    bool writeObjects(const std::function<bool(const char*, qsizetype)>& put, qint64& position,
                      std::vector<qint64>& offsets) const;

private:
    void addObject(TPdfObject* object);
    std::vector<std::unique_ptr<TPdfObject>> m_objects;
};
