#include "data/ValuePlace.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
#include "base/FkError.h"
#include "base/Win1252.h"

#include <functional>
#include <vector>

namespace catchrec {

QString withPlace(const TTextTable& catches, const QString& message)
{
    static const QString kTail = QStringLiteral("' is not a valid ");
    const qsizetype tail = message.lastIndexOf(kTail);
    if (!message.startsWith(QLatin1Char('\'')) || tail < 1)
        return message;
    const QString quoted = message.mid(1, tail - 1);
    const QString kind = message.mid(tail + kTail.size());

    // Which fields hold values of the message's kind, and how such a value converts.
    std::vector<Form> forms;
    std::function<void(const QByteArray&)> convert;
    if (kind == QLatin1String("date")) {
        forms = {Form::Date};
        convert = [](const QByteArray& v) { german::parseDate(v); };
    } else if (kind == QLatin1String("time")) {
        forms = {Form::Time};
        convert = [](const QByteArray& v) { german::parseTime(v); };
    } else if (kind == QLatin1String("integer value")) {
        forms = {Form::WholeNumber, Form::Text};
        convert = [](const QByteArray& v) { german::parseInt(v); };
    } else if (kind == QLatin1String("floating point value")) {
        forms = {Form::WholeNumber, Form::Text};
        convert = [](const QByteArray& v) { german::parseFloat(v); };
    } else if (kind == QLatin1String("boolean value")) {
        forms = {Form::Flag};
        convert = [](const QByteArray& v) { german::parseInt(v); };
    } else {
        return message;
    }
    // Empty numbers are allowed, so an empty one cannot be placed.
    if (quoted.isEmpty() && (forms.front() == Form::WholeNumber || forms.front() == Form::Flag))
        return message;
    const QByteArray stored = win1252::encodeLossy(quoted);
    try {
        convert(stored);
        return message; // the quoted text converts: it is not what failed
    } catch (const EConvertError&) {
    }
    for (Form form : forms) {
        std::vector<std::pair<int, const char*>> columns;
        for (const Field& f : kFields)
            if (f.form == form && catches.FieldIndex(f.name) != 0)
                columns.emplace_back(catches.FieldIndex(f.name), f.name);
        for (int row = 1; row <= catches.RowCount(); ++row)
            for (const auto& [column, name] : columns)
                if (catches.view(row, column) == stored)
                    return QStringLiteral("Zeile %1, Feld %2: %3").arg(row).arg(QLatin1String(name), message);
    }
    return message;
}

} // namespace catchrec
