#pragma once
// A temporary program folder for one test: sets FISCHKLADDE_HOME and removes it afterwards.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempHome {
public:
    TempHome();
    ~TempHome();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

// Runs fischkladde-cli with the given arguments (FISCHKLADDE_HOME as set in this process).
struct CliResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};
CliResult runCli(const QStringList& args);
