#include "data/ProgramFolder.h"
#include "ui/common/FkApplication.h"
#include "ui/main/TfrmMain.h"

#include <QIcon>

int main(int argc, char** argv)
{
    FkApplication app(argc, argv);
    app.installGermanTranslations();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/fischkladde.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
    // Lets the desktop match the windows to the launcher (and its icon).
    app.setDesktopFileName(QStringLiteral("de.fischkladde.Fischkladde"));
    // An installed program keeps the manual and the example templates in its share folder;
    // the program folder gets its own copies, where the help menu and the evaluation look.
    ProgramFolder::provideSharedFiles(ProgramFolder::path());
    TfrmMain window;
    window.show();
    return app.exec();
}
