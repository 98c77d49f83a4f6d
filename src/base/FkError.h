#pragma once
// Errors travel as exceptions up to the one global handler, which shows message() in the
// "Fehler" box. what() holds the same text in UTF-8.
#include <QString>
#include <stdexcept>

class FkError : public std::runtime_error {
public:
    explicit FkError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A date, time or number text that cannot be parsed; the message is the platform's
// ("'%s' is not a valid date" ...).
class EConvertError : public FkError {
public:
    using FkError::FkError;
};

// A file that cannot be read or written; the message names the file and the reason.
class EFileError : public FkError {
public:
    using FkError::FkError;
};
