#pragma once
// fischkladde-cli: each subcommand lives in its own file and registers itself here.
#include "storage/TTextTable.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

class QTextStream;

namespace cli {

struct Command {
    QString name;
    QString usage;   // one line for --help, e.g. "catches [--db FILE]"
    QString summary; // what it does, in a few words
    // Returns the exit status; out/err print UTF-8.
    std::function<int(const QStringList& args, QTextStream& out, QTextStream& err)> run;
};

// Adds a command to the registry; used through a static Registrar in each command file.
void registerCommand(Command command);

struct Registrar {
    explicit Registrar(Command command) { registerCommand(std::move(command)); }
};

// Takes "--name VALUE" out of args; returns false when absent. Raises UsageError when the
// value is missing.
bool takeOption(QStringList& args, const QString& name, QString* value);

struct UsageError {
    QString message;
};

// The table file named by --db, else the settings' DB/File (AKDB/File for costs); raises
// UsageError when neither names one.
QString databasePath(QStringList& args, bool costs = false);

// Loads a table file; raises EFileError naming the file when it cannot be opened or read.
TTextTable loadTable(const QString& path);

// A value for one TAB-separated output column: "\\", TAB, CR and LF escaped as "\\\\", "\\t",
// "\\r", "\\n". The bytes are Windows-1252 as stored.
QString escaped(QString value);
QString escaped(const QByteArray& win1252Value);
// The same written at `out`, which has room for two characters per byte; returns the end.
QChar* writeEscaped(QChar* out, QByteArrayView win1252Value);

// Refuses arguments left over after the options were taken.
void expectNoMoreArgs(const QStringList& args);

} // namespace cli
