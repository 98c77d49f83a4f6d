#include "data/ProgramFolder.h"
#include "ui/common/FkApplication.h"
#include "ui/main/TfrmMain.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QTimer>
#include <cstdio>

namespace {

// For start-up measurements (bench/startup.sh) only, switched on by an environment variable:
// prints the milliseconds from the start of main() until the main window has been painted
// for the first time, then ends the program.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(const QElapsedTimer& clock) : m_clock(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint pass, so the children are painted too.
            QTimer::singleShot(0, qApp, [this] {
                std::fprintf(stderr, "startup_ms=%lld\n", static_cast<long long>(m_clock.elapsed()));
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& m_clock;
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
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
    FirstPaintProbe probe(clock);
    if (qEnvironmentVariableIsSet("FISCHKLADDE_STARTUP_PROBE"))
        window.installEventFilter(&probe);
    window.show();
    return app.exec();
}
