#pragma once
// The folder holding "DATs", "img", "error.log", "Fischkladde.ini" and "Anleitung.pdf":
// FISCHKLADDE_HOME when set; else the executable's folder when writable (portable use);
// else the per-user application data folder.
#include <QString>

namespace ProgramFolder {

QString path();
// path() + "/" + relative ("DATs/Faenger.dat").
QString file(const QString& relative);
// Creates "DATs" and "img" where missing; raises EFileError when that fails.
void ensureFolders();

} // namespace ProgramFolder
