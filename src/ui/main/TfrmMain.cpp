#include "ui/main/TfrmMain.h"

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Norvak Fischkladde"));
    setFixedSize(778, 474);
}
