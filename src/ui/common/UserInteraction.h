#pragma once
// Every file dialog, message box, confirmation, colour choice and shell "open" of the windows
// goes through this interface, so tests can script the user's answers.
#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // Filters in the form "Fischkladde Datenbank|*.fdb" (pairs of description and patterns
    // joined by "|"). An empty result means the user cancelled.
    virtual QString getOpenFileName(QWidget* parent, const QString& filter, const QString& title = {}) = 0;
    virtual QStringList getOpenFileNames(QWidget* parent, const QString& filter, const QString& title = {}) = 0;
    // defaultSuffix without the dot ("fdb"); appended when the user typed no extension.
    virtual QString getSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                    const QString& suggestedName = {}, const QString& title = {}) = 0;
    virtual QString getExistingDirectory(QWidget* parent, const QString& title = {}) = 0;

    virtual void information(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    virtual void warning(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // The error box: error icon, one OK button.
    virtual void error(QWidget* parent, const QString& text, const QString& title = QStringLiteral("Fehler")) = 0;
    // Yes/No question; true for "Ja".
    virtual bool confirm(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // Invalid colour when cancelled.
    virtual QColor chooseColor(QWidget* parent, const QColor& initial) = 0;
    // The shell's "open" verb on a file (help document, pictures); false when it failed.
    virtual bool openDocument(const QString& path) = 0;
};

// The interaction the windows use; tests install a ScriptedInteraction.
UserInteraction& userInteraction();
void setUserInteraction(UserInteraction* interaction); // nullptr restores the Qt one

// Turns "A|*.x|B|*.y;*.z" into Qt's "A (*.x);;B (*.y *.z)".
QString toQtFilter(const QString& filter);
