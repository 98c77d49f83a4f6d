#include "TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

TempHome::TempHome()
{
    m_hadPrevious = qEnvironmentVariableIsSet("FISCHKLADDE_HOME");
    m_previous = qgetenv("FISCHKLADDE_HOME");
    qputenv("FISCHKLADDE_HOME", m_dir.path().toLocal8Bit());
}

TempHome::~TempHome()
{
    if (m_hadPrevious)
        qputenv("FISCHKLADDE_HOME", m_previous);
    else
        qunsetenv("FISCHKLADDE_HOME");
}

void TempHome::write(const QString& relative, const QByteArray& bytes) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile f(target);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TempHome::read(const QString& relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

CliResult runCli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(FK_CLI_PATH), args);
    p.waitForFinished(120000);
    CliResult r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}
