#pragma once
// The application object: every error that no handler caught ends here, is written to the
// step trace when tracing is on, and shown in the "Fehler" box; the program goes on.
#include "base/FkError.h"

#include <QApplication>

class FkApplication : public QApplication {
public:
    FkApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Trace line (when tracing is on) and the "Fehler" box for message m.
    static void handleError(const QString& m);
    // Runs a handler; an FkError is shown in the "Fehler" box and the action abandoned.
    template <typename F>
    static void guarded(F&& f)
    {
        try {
            f();
        } catch (const FkError& e) {
            handleError(e.message());
        }
    }
    // Loads Qt's German texts ("Ja", "Nein", "Abbrechen", file dialogs).
    void installGermanTranslations();
};
