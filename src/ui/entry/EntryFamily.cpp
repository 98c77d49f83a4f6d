// The catch entry windows in the main window: "Hinzufügen", "Bearbeiten", "Duplizieren" and
// "Löschen" of the Fang menu and the list's context menu.
#include "ui/common/WindowHost.h"
#include "ui/entry/CatchCommands.h"
#include "ui/entry/TfrmAdd.h"
#include "ui/entry/TfrmWetter.h"

#include <QAction>
#include <QWidget>

namespace {

void install(WindowHost& host)
{
    auto* wetter = new TfrmWetter(host.window());
    auto* add = new TfrmAdd(host.session(), *wetter, host.window());
    QObject::connect(add, &TfrmAdd::catchSaved, add, [&host] { host.notifyChanged(host::Change::Catches); });
    host.wireAction(host.menuAction(QStringLiteral("aHinzufuegen")), [&host, add] {
        catchcommands::newCatch(*add, [&host] { host.openListEditor(lookup::ListKind::Faenger); });
    });
    host.wireAction(host.menuAction(QStringLiteral("aBearbeiten")),
                    [&host, add] { catchcommands::editCatch(*add, host.selectedRow()); });
    host.wireAction(host.menuAction(QStringLiteral("aDuplizieren")), [&host] {
        if (catchcommands::duplicateCatch(host.session(), host.selectedRow()))
            host.notifyChanged(host::Change::Catches);
    });
    host.wireAction(host.menuAction(QStringLiteral("aLoeschen")), [&host] {
        if (catchcommands::deleteCatch(host.session(), host.selectedRow(), host.window()))
            host.notifyChanged(host::Change::Catches);
    });
}

const host::FamilyRegistrar registrar("entry", 10, install);

} // namespace
