#include "ui/entry/CatchCommands.h"
#include "data/CatchOperations.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "base/FkError.h"
#include "ui/common/UserInteraction.h"
#include "ui/entry/TfrmAdd.h"

#include <QCheckBox>

namespace catchcommands {

const QString kNoDatabase = QStringLiteral(
    "Es ist keine Fischkladde Datenbank geöffnet.\n\nBitte erstellen oder öffnen Sie zuerst eine unter "
    "\"Datei\" > \"Fischkladde Datenbank auswählen\". Danach können Sie Fänge eintragen.");

void newCatch(TfrmAdd& dialog, const std::function<void()>& openAnglerEditor)
{
    trace::step(QStringLiteral("Main: Neuer Fang klick"));
    // Told before anything is typed: without a database nothing could be kept.
    if (dialog.session().dbPath.isEmpty()) {
        userInteraction().information(dialog.parentWidget(), kNoDatabase, QStringLiteral("Keine Datenbank"));
        return;
    }
    dialog.prepareNew();
    if (dialog.hasAnglers()) {
        dialog.exec();
        return;
    }
    userInteraction().warning(dialog.parentWidget(), QStringLiteral("Sie haben keinen Fänger eingefügt!"),
                              QStringLiteral("Warnung"));
    if (openAnglerEditor)
        openAnglerEditor();
}

void editCatch(TfrmAdd& dialog, int row)
{
    dialog.cb_zurueckgesetzt->setChecked(false);
    if (row <= 0)
        return;
    trace::step(QStringLiteral("Main: Bearbeiten"));
    dialog.prepareEdit(row);
    dialog.exec();
}

bool duplicateCatch(Session& session, int row)
{
    if (row <= 0)
        return false;
    trace::step(QStringLiteral("Main: Duplizieren"));
    return catchops::duplicateCatch(session, row) > 0;
}

bool deleteCatch(Session& session, int row, QWidget* parent)
{
    if (row <= 0)
        return false;
    if (!userInteraction().confirm(parent, QStringLiteral("Wollen Sie den Eintrag wirklich löschen?"),
                                   QStringLiteral("Eintrag löschen")))
        return false;
    trace::step(QStringLiteral("Main: Löschen"));
    return catchops::deleteCatch(session, row);
}

} // namespace catchcommands
