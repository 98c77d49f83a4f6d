#include "data/ProgramFolder.h"
#include "base/FkError.h"
#include "base/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

QString path()
{
    const QString home = qEnvironmentVariable("FISCHKLADDE_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    if (QCoreApplication::instance() && installedDataFolder().isEmpty()) {
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

QString installedDataFolder()
{
    if (!QCoreApplication::instance())
        return QString();
    const QString dir = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/fischkladde"));
    return QFileInfo(dir).isDir() ? dir : QString();
}

QStringList sharedFolders()
{
    QStringList folders;
    const QString installed = installedDataFolder();
    if (!installed.isEmpty())
        folders << installed;
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath();
    return folders;
}

namespace {

bool copyFile(const QString& from, const QString& to, QStringList* written)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    QFile existing(to);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    if (!QDir().mkpath(QFileInfo(to).absolutePath()) || !safefile::write(to, bytes))
        return false;
    written->append(to);
    return true;
}

} // namespace

QStringList provideSharedFiles(const QString& target, const QStringList& sources)
{
    QStringList written;
    const QString manual = QStringLiteral("Anleitung.pdf");
    for (const QString& source : sources) {
        if (QFileInfo(source + QLatin1Char('/') + manual).isFile()) {
            copyFile(source + QLatin1Char('/') + manual, target + QLatin1Char('/') + manual, &written);
            break;
        }
    }
    for (const QString& source : sources) {
        const QDir templates(source + QStringLiteral("/templates"));
        const QStringList names = templates.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
        if (names.isEmpty())
            continue;
        const QString dest = target + QLatin1Char('/') + QLatin1String(kTemplatesFolder) + QLatin1Char('/');
        for (const QString& name : names)
            if (!QFileInfo::exists(dest + name))
                copyFile(templates.filePath(name), dest + name, &written);
        break;
    }
    return written;
}

} // namespace ProgramFolder
