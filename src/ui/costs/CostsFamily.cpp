// The cost windows join the main window: "Angelkosten" > "Hinzufügen", "Jahresübersicht",
// "Übersicht" and "Suchen".
#include "ui/common/WindowHost.h"
#include "ui/costs/TfrmAKSuchen.h"
#include "ui/costs/TfrmAKjahr.h"
#include "ui/costs/TfrmAngelkosten.h"
#include "ui/costs/TfrmAngelkostenAdd.h"
#include "ui/costs/TfrmAngelkostenEdit.h"
#include "data/Trace.h"

#include <QAction>

namespace {

void install(WindowHost& host)
{
    Session& session = host.session();
    QWidget* parent = host.window();
    auto* add = new TfrmAngelkostenAdd(session, parent);
    auto* edit = new TfrmAngelkostenEdit(session, parent);
    auto* list = new TfrmAngelkosten(session, *edit, parent);
    auto* years = new TfrmAKjahr(session, parent);
    auto* search = new TfrmAKSuchen(session, parent);

    // The main window shows the cost total: tell it about every change.
    add->onSaved = [&host] { host.notifyChanged(host::Change::Costs); };
    list->onChanged = [&host] { host.notifyChanged(host::Change::Costs); };

    if (QAction* a = host.menuAction(QStringLiteral("aAKHinzufuegen")))
        host.wireAction(a, [add] {
            trace::step(QStringLiteral("Main: AK hinzufügen"));
            add->exec();
        });
    if (QAction* a = host.menuAction(QStringLiteral("aAKJahresuebersicht")))
        host.wireAction(a, [years] { years->exec(); });
    if (QAction* a = host.menuAction(QStringLiteral("aAKUebersicht")))
        host.wireAction(a, [list] { list->exec(); });
    if (QAction* a = host.menuAction(QStringLiteral("aAKSuchen")))
        host.wireAction(a, [search] { search->exec(); });
}

const host::FamilyRegistrar registrar("costs", 50, install);

} // namespace
