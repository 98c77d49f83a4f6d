#include "ui/common/FkApplication.h"
#include "ui/main/TfrmMain.h"

int main(int argc, char** argv)
{
    FkApplication app(argc, argv);
    app.installGermanTranslations();
    TfrmMain window;
    window.show();
    return app.exec();
}
