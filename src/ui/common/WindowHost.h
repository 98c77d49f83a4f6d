#pragma once
// The main window as every other window sees it: the session, the menu actions, the selected
// catch, and one notification of what changed. Window families plug in here; none needs the
// main window's own file.
#include "data/LookupLists.h"

#include <QFlags>
#include <QString>
#include <functional>

struct Session;
class QAction;
class QMenu;
class QWidget;

namespace host {

// What a window changed; the main window refreshes what shows it, then tells the listeners.
enum class Change {
    Catches = 0x01,   // rows of DB added, edited or deleted
    Costs = 0x02,     // rows of AKDB
    Lists = 0x04,     // a lookup list file in DATs
    Databases = 0x08, // another database was opened, created or restored
    Settings = 0x10,  // a value in Fischkladde.ini
};
Q_DECLARE_FLAGS(Changes, Change)

// The modes the "Statistik" menu opens the statistics window in.
enum class StatistikMode { Gesamt = 0, Faenger = 1, Empfehlung = 2, Auswerten = 3 };

} // namespace host
Q_DECLARE_OPERATORS_FOR_FLAGS(host::Changes)

class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual Session& session() = 0;
    // Parent for dialogs.
    virtual QWidget* window() = 0;

    // A menu action or menu of the main window by its object name ("aAKHinzufuegen",
    // "mnuKarte"); nullptr when there is none.
    virtual QAction* menuAction(const QString& objectName) const = 0;
    virtual QMenu* menu(const QString& objectName) const = 0;
    // Connects the handler (an FkError shows the "Fehler" box) and makes the action usable.
    // Actions of the selected catch (Details, Bearbeiten, Löschen, Duplizieren) are enabled
    // only while a catch is selected. Items never wired stay disabled.
    virtual void wireAction(QAction* action, const std::function<void()>& handler) = 0;

    // DB row number of the selected catch, 0 when none.
    virtual int selectedRow() const = 0;
    // The details window for a DB row (row <= 0: nothing).
    virtual void openDetails(int row) = 0;
    // The list editor on one list; returns after it was closed.
    virtual void openListEditor(lookup::ListKind kind) = 0;

    // The menus the main window builds at run time: the "Statistik" items (angler empty for
    // Gesamt and Empfehlung) and the "Karte" entries (the water's name). Items are disabled
    // while no handler is set.
    virtual void setStatistikHandler(std::function<void(host::StatistikMode, const QString& angler)> handler) = 0;
    virtual void setKarteHandler(std::function<void(const QString& water)> handler) = 0;

    // Called on the first showing of the main window when the catch or the cost database is
    // not known (first run), instead of the plain database dialog.
    virtual void setFirstRunHandler(std::function<void()> handler) = 0;

    // Something changed: the main window refreshes its list, selectors and figures as needed,
    // then every listener is called with the same flags.
    virtual void notifyChanged(host::Changes what) = 0;
    virtual void subscribe(std::function<void(host::Changes)> listener) = 0;
};

// A window family installs itself (creates its windows, wires its menu items, subscribes)
// when the main window is built. Register with a static WindowFamilyRegistrar in the
// family's folder; `order` decides the installation order (lower first).
namespace host {
void registerFamily(const char* name, int order, std::function<void(WindowHost&)> install);
void installFamilies(WindowHost& host);
struct FamilyRegistrar {
    FamilyRegistrar(const char* name, int order, std::function<void(WindowHost&)> install)
    {
        registerFamily(name, order, std::move(install));
    }
};
} // namespace host
