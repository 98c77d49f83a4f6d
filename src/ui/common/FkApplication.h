#pragma once
// The application object: every error that no handler caught ends here, is written to the
// step trace when tracing is on, and shown in the "Fehler" box; the program goes on. One
// fault met by several steps of the same user action is shown once.
#include "base/FkError.h"

#include <QApplication>

#include <functional>

class FkApplication : public QApplication {
public:
    FkApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Trace line (when tracing is on) and the "Fehler" box for message m, unless the same
    // message was shown already while handling the current event.
    static void handleError(const QString& m);
    static void handleError(const FkError& e);
    // Gives conversion messages the place of the stored value (row and field); the main
    // window sets it for its catch table, and clears it with an empty function.
    static void setConversionPlace(std::function<QString(const QString&)> place);
    // Runs a handler; an FkError is shown in the "Fehler" box and the action abandoned.
    template <typename F>
    static void guarded(F&& f)
    {
        try {
            f();
        } catch (const FkError& e) {
            handleError(e);
        }
    }
    // Loads Qt's German texts ("Ja", "Nein", "Abbrechen", file dialogs).
    void installGermanTranslations();
};
