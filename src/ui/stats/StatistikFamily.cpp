// Plugs the statistics window into the main window's "Statistik" menu.
#include "ui/common/WindowHost.h"
#include "ui/stats/TfrmStatistik.h"

namespace {

const host::FamilyRegistrar registrar("stats", 50, [](WindowHost& host) {
    // Created once with the main window and reused, like every window of the program.
    auto* window = new TfrmStatistik(host, host.window());
    host.setStatistikHandler(
        [window](host::StatistikMode mode, const QString& angler) { window->open(mode, angler); });
});

} // namespace
