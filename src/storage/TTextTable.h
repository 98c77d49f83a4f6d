#pragma once
// In-memory table of named text columns with a row cursor. Values are Windows-1252 byte
// strings; the semicolon file format is read and written by LoadFromFile/SaveToFile.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class TTextTable {
public:
    TTextTable() = default;

    // Fields
    bool AddField(const QByteArray& name);
    bool AddField(const char* name) { return AddField(QByteArray(name)); }
    bool AddField(const QString& name);
    int FieldCount() const { return int(m_fields.size()); }
    QByteArray GetFieldName(int column) const;
    int FieldIndex(const QByteArray& name) const;
    int FieldIndex(const char* name) const { return FieldIndex(QByteArray(name)); }
    int FieldIndex(const QString& name) const;
    const QList<QByteArray>& fieldNames() const { return m_fields; }

    // Rows and cursor
    int RowCount() const { return int(m_rows.size()); }
    int CurrentRow() const { return m_cursor; }
    bool AddRow();
    bool DeleteRow();
    bool GoFirst();
    bool GoLast();
    bool GoNext();
    bool GoPrior();
    bool GoToRow(int row);
    bool BeginningOfFile() const { return m_bof; }
    bool EndOfFile() const { return m_eof; }
    void ClearRows();

    // Values of the current row, reached by field name (case-insensitive)
    QByteArray GetData(const QByteArray& field) const;
    QByteArray GetData(const char* field) const { return GetData(QByteArray(field)); }
    QByteArray GetData(const QString& field) const;
    bool SetData(const QByteArray& field, const QByteArray& value);
    bool SetData(const char* field, const QByteArray& value) { return SetData(QByteArray(field), value); }
    bool SetData(const QString& field, const QByteArray& value);

    // Direct access by 1-based row and column, for computations over whole tables.
    QByteArray value(int row, int column) const;
    // The same without a copy; valid until the table changes.
    QByteArrayView view(int row, int column) const;
    bool setValue(int row, int column, const QByteArray& value);

    bool CopyRowToBuffer();
    bool PasteRowFromBuffer();

    // Files. LoadFromFile returns false (last error code 3) when the file cannot be opened
    // and raises EFileError, naming file and line, for a malformed or unreadable file; in
    // every failure the table stays exactly as it was.
    bool LoadFromFile(const QString& path);
    // Writes through a temporary file; false (last error code 3) when that fails, the old
    // file is then untouched.
    bool SaveToFile(const QString& path);
    // As SaveToFile, but raises EFileError with the reason.
    void saveOrThrow(const QString& path);
    // Parses the bytes of a table file into this table (all or nothing); `origin` names the
    // source in error messages.
    void loadFromBytes(QByteArray bytes, const QString& origin);
    QByteArray toBytes() const;
    // The bytes toBytes() returns, handed to `put` in pieces and in order: runs of rows
    // unchanged since the load come straight from the loaded bytes, the rest through one
    // small reused buffer. Stops and returns false as soon as `put` does.
    bool writeBytes(const std::function<bool(const char* data, qsizetype size)>& put) const;
    // True while saving would write exactly the bytes of the last load: the file was in the
    // form the save writes (CR LF after every line, no blank lines, no short rows, escapes
    // as written) and nothing has changed since. A table never loaded answers false.
    bool matchesLoadedBytes() const { return m_pristine; }

    int lastErrorCode() const { return m_lastErrorCode; }
    QString lastErrorText() const { return m_lastErrorText; }
    QString tableName() const { return m_tableName; }
    bool Distinct() const { return m_distinct; }
    void setDistinct(bool d) { m_distinct = d; }
    QString CSVSeparator() const { return QStringLiteral(";"); }
    QString QuoteSeparator() const { return QStringLiteral("\""); }

private:
    // One row keeps its values in one buffer, one gap byte between neighbours (so a line
    // without escapes is stored as read). The end offsets of the values live in one array
    // for the whole table, FieldCount() per row: no allocation per row, and a large log
    // stays at about twice the size of its file in memory.
    struct Row {
        QByteArray data;
        bool plain = true; // no value holds a byte that needs escaping
        bool verbatim = false; // as loaded: `data` is followed by CR LF in the loaded bytes
    };
    uint32_t* endsOf(size_t row) { return m_ends.data() + row * size_t(m_fields.size()); }
    const uint32_t* endsOf(size_t row) const { return m_ends.data() + row * size_t(m_fields.size()); }
    QByteArray cell(size_t row, int index) const;
    void setCell(size_t row, int index, const QByteArray& value);

    int findField(const QString& folded) const;
    void clearAll();
    void setFlags(bool bof, bool eof) { m_bof = bof; m_eof = eof; }

    QList<QByteArray> m_fields;
    QList<QString> m_foldedFields;
    std::vector<bool> m_asciiFields;
    std::vector<Row> m_rows;
    std::vector<uint32_t> m_ends; // value ends of every row, row after row
    QList<QByteArray> m_buffer;
    int m_cursor = 0;
    bool m_bof = true;
    bool m_eof = true;
    bool m_distinct = false;
    bool m_pristine = false;
    int m_lastErrorCode = 0;
    QString m_lastErrorText;
    QString m_tableName;
    QString m_saveReason;
    QByteArray m_source; // the bytes of the last load, shared by unchanged rows
};

