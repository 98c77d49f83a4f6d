#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "data/Trace.h"
#include "base/FkError.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

FkApplication::FkApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Fischkladde"));
    setApplicationDisplayName(QStringLiteral("Fischkladde"));
    setApplicationVersion(QStringLiteral(FK_VERSION));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void FkApplication::handleError(const QString& m)
{
    if (trace::enabled())
        Trace(m);
    userInteraction().error(nullptr, m, QStringLiteral("Fehler"));
}

bool FkApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const FkError& e) {
        handleError(e.message());
    } catch (const std::exception& e) {
        handleError(QString::fromUtf8(e.what()));
    }
    return false;
}

void FkApplication::installGermanTranslations()
{
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    else
        delete translator;
}
