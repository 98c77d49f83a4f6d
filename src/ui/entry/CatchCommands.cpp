#include "ui/entry/CatchCommands.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "base/FkError.h"
#include "ui/common/UserInteraction.h"
#include "ui/entry/TfrmAdd.h"

#include <QCheckBox>

namespace catchcommands {

void newCatch(TfrmAdd& dialog, const std::function<void()>& openAnglerEditor)
{
    trace::step(QStringLiteral("Main: Neuer Fang klick"));
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

void duplicateCatch(Session& session, int row, const std::function<void()>& refresh)
{
    if (row <= 0)
        return;
    trace::step(QStringLiteral("Main: Duplizieren"));
    TTextTable& db = session.DB;
    if (!db.GoToRow(row))
        return;
    db.CopyRowToBuffer();
    db.AddRow();
    db.PasteRowFromBuffer();
    // Written at once like save and delete, so the copy is not lost at exit.
    try {
        session.saveDB();
    } catch (...) {
        db.DeleteRow();
        throw;
    }
    if (refresh)
        refresh();
}

void deleteCatch(Session& session, int row, QWidget* parent, const std::function<void()>& showLastEntries)
{
    if (row <= 0)
        return;
    if (!userInteraction().confirm(parent, QStringLiteral("Wollen Sie den Eintrag wirklich löschen?"),
                                   QStringLiteral("Eintrag löschen")))
        return;
    trace::step(QStringLiteral("Main: Löschen"));
    TTextTable& db = session.DB;
    if (!db.GoToRow(row))
        return;
    // A failed write puts the row back: the list's row numbers must stay those of the table.
    const TTextTable before = db;
    db.DeleteRow();
    try {
        session.saveDB();
    } catch (...) {
        db = before;
        throw;
    }
    // Written before the list is rebuilt, so a failing rebuild cannot keep it from the file.
    if (showLastEntries)
        showLastEntries();
}

} // namespace catchcommands
