#pragma once
// The folder holding "DATs", "img", "error.log", "Fischkladde.ini" and "Anleitung.pdf":
// FISCHKLADDE_HOME when set; else the executable's folder when writable (portable use);
// else the per-user application data folder. An installed program (one with
// "<exe>/../share/fischkladde" beside it) always uses the per-user folder, also when run by
// root, so nothing is ever written into a system "bin" folder.
#include <QString>
#include <QStringList>

namespace ProgramFolder {

QString path();
// path() + "/" + relative ("DATs/Faenger.dat").
QString file(const QString& relative);
// Creates "DATs" and "img" where missing; raises EFileError when that fails.
void ensureFolders();

// "<exe folder>/../share/fischkladde" when the program is installed there, else empty.
QString installedDataFolder();

// The folders that hold the files shipped with the program ("Anleitung.pdf", the example
// templates in "templates"): the installed data folder, then the executable's own folder
// (a build tree or a portable copy). Only folders that exist.
QStringList sharedFolders();

// Where the program folder keeps the HTML templates: "<program folder>/Auswertung/Templates".
inline const char kTemplatesFolder[] = "Auswertung/Templates";

// Gives the program folder `target` the shipped files from the first shared folder that has
// them: "Anleitung.pdf" when missing or different from the shipped one (it is ours, not the
// user's), each "templates/*.html" as "Auswertung/Templates/<name>" only when missing (the
// user may have edited it). Never raises: a file that cannot be copied is left out. Returns
// the paths written.
QStringList provideSharedFiles(const QString& target, const QStringList& sources = sharedFolders());

} // namespace ProgramFolder
