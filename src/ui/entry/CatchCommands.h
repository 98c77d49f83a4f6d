#pragma once
// The main window's commands on catches: new (through the entry dialog), edit, duplicate
// and delete. `row` is the DB row (1-based) of the selected catch, 0 when none is selected.
#include <functional>

struct Session;
class QWidget;
class TfrmAdd;

namespace catchcommands {

// "Hinzufügen": prepares the entry dialog and shows it; without any angler a warning and
// then `openAnglerEditor` instead.
void newCatch(TfrmAdd& dialog, const std::function<void()>& openAnglerEditor);

// "Bearbeiten": fills the entry dialog from the row and shows it. A date or time that
// cannot be read raises the conversion error before anything is shown.
void editCatch(TfrmAdd& dialog, int row);

// "Duplizieren": appends an exact copy of the row and writes the catch database at once.
// True when a copy was written.
bool duplicateCatch(Session& session, int row);

// "Löschen": asks "Eintrag löschen"; on Yes removes the row and writes the catch database.
// True when a row was deleted.
bool deleteCatch(Session& session, int row, QWidget* parent);

} // namespace catchcommands
