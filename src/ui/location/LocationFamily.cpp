// Installs "Einstellungen → Standort…" (mnemonic o: S belongs to "Stelle").
#include "ui/common/WindowHost.h"
#include "ui/location/TfrmStandort.h"

#include <QAction>
#include <QMenu>

namespace {

void install(WindowHost& host)
{
    QMenu* menu = host.menu(QStringLiteral("mnuEinstellungen"));
    if (!menu)
        return;
    auto* action = new QAction(QStringLiteral("Stand&ort…"), menu);
    action->setObjectName(QStringLiteral("aStandort"));
    // With the lists, before the separator that leads to the error tracing.
    QAction* before = nullptr;
    for (QAction* a : menu->actions())
        if (a->isSeparator()) {
            before = a;
            break;
        }
    menu->insertAction(before, action);
    host.wireAction(action, [&host] {
        TfrmStandort dialog(IniFile::settings(), host.window());
        if (dialog.exec() == QDialog::Accepted)
            host.notifyChanged(host::Change::Settings);
    });
}

const host::FamilyRegistrar registrar("location", 50, install);

} // namespace
