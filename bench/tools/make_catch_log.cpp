// Writes a program folder with a generated catch log of N catches for start-up measurements:
//   make_catch_log N FOLDER
#include "../CatchLogGenerator.h"
#include "base/FkError.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    const int catches = args.size() == 3 ? args[1].toInt(&ok) : 0;
    if (!ok || catches < 0) {
        std::fprintf(stderr, "Aufruf: make_catch_log ANZAHL ORDNER\n");
        return 2;
    }
    try {
        benchdata::writeProgramFolder(args[2], catches);
    } catch (const FkError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
