// The "Hilfe" menu and the step trace switch of "Einstellungen".
#include "data/ProgramFolder.h"
#include "data/Trace.h"
#include "data/TraceFile.h"
#include "base/FkError.h"
#include "ui/common/UserInteraction.h"
#include "ui/common/WindowHost.h"
#include "ui/info/TfrmAbout.h"
#include "ui/info/TfrmSpenden.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace {

// The user switches the trace on to hand in the log: say so when it cannot be written
// (a full disk, a read-only folder) instead of collecting nothing unseen.
void traceOrWarn(QWidget* parent, const QString& text)
{
    try {
        trace::append(text);
    } catch (const FkError& e) {
        userInteraction().warning(parent, e.message(), QStringLiteral("Fehlerverfolgung"));
    }
}

void switchTrace(QWidget* parent, bool on)
{
    if (on) {
        userInteraction().information(
            parent, QStringLiteral("Die Fehlerverfolgung ist jetzt angeschaltet.\n"
                                   "Das bedeutet jeder Schritt den sie mit dem Programm ausführen wird protokoliert.\n"
                                   "Sie sollten diese Funktion nur aktivieren wenn ein Fehler aufgetreten ist.\n"
                                   "Das hilft mir den Fehler leichter ausfindig zu machen"),
            QStringLiteral("Fehlerverfolgung"));
        traceOrWarn(parent, QStringLiteral("---- begin ----"));
        trace::setEnabled(true);
    } else {
        userInteraction().information(parent, QStringLiteral("Die Fehlerverfolgung ist jetzt ausgeschaltet"),
                                      QStringLiteral("Fehlerverfolgung"));
        trace::setEnabled(false);
        traceOrWarn(parent, QStringLiteral("---- end ----"));
    }
}

void openManual(QWidget* parent)
{
    trace::step(QStringLiteral("Main: Anleitung"));
    const QString path = ProgramFolder::file(QStringLiteral("Anleitung.pdf"));
    if (!QFileInfo(path).isFile()) {
        userInteraction().information(parent, QStringLiteral("Hilfe Datei nicht gefunden!"), QStringLiteral("Hilfe"));
        return;
    }
    if (!userInteraction().openDocument(path))
        userInteraction().warning(parent,
                                  QStringLiteral("Die Hilfe Datei \"%1\" konnte nicht geöffnet werden. Bitte öffnen "
                                                 "Sie sie mit einem PDF-Programm.")
                                      .arg(QDir::toNativeSeparators(path)),
                                  QStringLiteral("Hilfe"));
}

void install(WindowHost& host)
{
    QWidget* parent = host.window();
    auto* about = new TfrmAbout(parent);
    auto* donate = new TfrmSpenden(parent);
    QAction* traceSwitch = host.menuAction(QStringLiteral("aFehlerverfolgung"));
    host.wireAction(traceSwitch, [parent, traceSwitch] { switchTrace(parent, traceSwitch->isChecked()); });
    host.wireAction(host.menuAction(QStringLiteral("aSpenden")), [donate] {
        trace::step(QStringLiteral("Main: Spenden"));
        donate->exec();
    });
    host.wireAction(host.menuAction(QStringLiteral("aHilfe")), [parent] { openManual(parent); });
    host.wireAction(host.menuAction(QStringLiteral("aAbout")), [about] {
        trace::step(QStringLiteral("Main: About"));
        about->exec();
    });
}

const host::FamilyRegistrar registrar("info", 90, install);

} // namespace
