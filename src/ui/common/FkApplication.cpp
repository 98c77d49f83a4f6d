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

namespace {
// Depth of event handling, and the messages shown since the outermost event began.
int g_depth = 0;
QStringList g_shown;
std::function<QString(const QString&)> g_place;

struct EventScope {
    EventScope()
    {
        if (g_depth++ == 0)
            g_shown.clear();
    }
    ~EventScope()
    {
        if (--g_depth == 0)
            g_shown.clear();
    }
};
} // namespace

void FkApplication::handleError(const QString& m)
{
    if (trace::enabled())
        Trace(m);
    if (g_depth > 0) {
        if (g_shown.contains(m))
            return;
        g_shown.append(m);
    }
    userInteraction().error(nullptr, m, QStringLiteral("Fehler"));
}

void FkApplication::handleError(const FkError& e)
{
    if (g_place && dynamic_cast<const EConvertError*>(&e))
        handleError(g_place(e.message()));
    else
        handleError(e.message());
}

void FkApplication::setConversionPlace(std::function<QString(const QString&)> place)
{
    g_place = std::move(place);
}

bool FkApplication::notify(QObject* receiver, QEvent* event)
{
    EventScope scope;
    try {
        return QApplication::notify(receiver, event);
    } catch (const FkError& e) {
        handleError(e);
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
