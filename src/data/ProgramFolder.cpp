#include "data/ProgramFolder.h"
#include "base/FkError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

QString path()
{
    const QString home = qEnvironmentVariable("FISCHKLADDE_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        if (QFileInfo(exeDir).isWritable())
            return exeDir;
    }
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        data = QDir::homePath();
    const QString dir = data + QStringLiteral("/Fischkladde");
    QDir().mkpath(dir);
    return dir;
}

QString file(const QString& relative)
{
    return path() + QLatin1Char('/') + relative;
}

void ensureFolders()
{
    for (const char* name : {"DATs", "img"}) {
        const QString dir = file(QString::fromLatin1(name));
        if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir))
            throw EFileError(QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.")
                                 .arg(QDir::toNativeSeparators(dir)));
    }
}

} // namespace ProgramFolder
