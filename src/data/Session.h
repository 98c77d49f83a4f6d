#pragma once
// The open databases: the catch table DB, the cost table AKDB and the paths they are saved to.
// Owned by the main window; every window receives it by reference.
#include "storage/TTextTable.h"

#include <QString>

struct Session {
    TTextTable DB;
    TTextTable AKDB;
    QString dbPath;   // held catch database path, empty when none is known
    QString akdbPath; // held cost database path

    // Save the whole table to its held path; raise EFileError on failure (old file intact).
    void saveDB() { DB.saveOrThrow(dbPath); }
    void saveAKDB() { AKDB.saveOrThrow(akdbPath); }
};
