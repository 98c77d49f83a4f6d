// "-Alle Fänge-" in the real main window (offscreen), as the user meets it: the view selector
// goes from the overview to all catches and the list is painted. Compared in the same run with
// one plain pass over every cell of the same table. Logs of 10,000, 100,000 and 1,000,000
// catches shaped like real ones (bench/support/RealisticLog.h).
#include "support/RealisticLog.h"
#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "ui/common/FkApplication.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/main/TfrmMain.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// A program folder with the generated log and its lists, and the main window started on it.
struct WindowOnLog {
    QTemporaryDir home;
    ScriptedInteraction user;
    std::unique_ptr<TfrmMain> window;
    int catches = 0;
    int outings = 0;
    qint64 fileBytes = 0;

    explicit WindowOnLog(int n)
    {
        qputenv("FISCHKLADDE_HOME", home.path().toLocal8Bit());
        const benchlog::Generated log = benchlog::generate(n);
        catches = log.catches;
        outings = log.outings;
        fileBytes = log.bytes.size();
        writeFile(home.filePath("fang.fdb"), log.bytes);
        TTextTable costs = catchdb::emptyTable(catchdb::Kind::Costs);
        for (int i = 0; i < 500; ++i) {
            costs.AddRow();
            costs.SetData(costrec::Kaufdatum, "03.04.2015");
            costs.SetData(costrec::Geschaeft, "Angelladen");
            costs.SetData(costrec::Artikel, "Haken Gr. 8");
            costs.SetData(costrec::Menge, "2");
            costs.SetData(costrec::Einzelpreis, "1,95");
            costs.SetData(costrec::Gesamtpreis, "3,90");
            costs.SetData(costrec::GesamtpreisVersand, QByteArray::number(4 + i % 7) + ",90");
        }
        costs.saveOrThrow(home.filePath("kosten.akdb"));
        writeFile(home.filePath("DATs/Faenger.dat"), benchlog::listFile(benchlog::anglers()));
        writeFile(home.filePath("DATs/Fischarten.dat"), benchlog::listFile(benchlog::species()));
        writeFile(home.filePath("DATs/Gewaesser.dat"), benchlog::listFile(benchlog::waters()));
        writeFile(home.filePath("DATs/Fangmethode.dat"), benchlog::listFile(benchlog::methods()));
        writeFile(home.filePath("DATs/Koeder.dat"), benchlog::listFile(benchlog::baits()));
        writeFile(home.filePath("DATs/Wetter.dat"), benchlog::listFile(benchlog::weathers()));
        IniFile::settings().writeString("DB", "File", home.filePath("fang.fdb"));
        IniFile::settings().writeString("AKDB", "File", home.filePath("kosten.akdb"));

        window = std::make_unique<TfrmMain>();
        window->show();
        // The start-up work runs from the event loop once the window is shown.
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        const QString shown = window->findChild<QLabel*>("lb_anzahlfische")->text();
        if (shown != QString::number(n) || !user.messages.isEmpty()) {
            std::fprintf(stderr, "the window did not start on the log (%s, %d messages)\n", qPrintable(shown),
                         int(user.messages.size()));
            std::exit(1);
        }
    }
    QComboBox* selector() const { return window->findChild<QComboBox*>("cb_gehezu"); }
    QTableView* list() const { return window->findChild<QTableView*>("ListView1"); }
};

// One window at a time: a 1,000,000-catch log takes most of a gigabyte. Closed in main(),
// while the application object still lives.
std::unique_ptr<WindowOnLog> current;

WindowOnLog& windowOn(int n)
{
    if (!current || current->catches != n) {
        current.reset();
        current = std::make_unique<WindowOnLog>(n);
    }
    return *current;
}

void BM_SwitchToAllCatches(benchmark::State& state)
{
    WindowOnLog& w = windowOn(int(state.range(0)));
    QComboBox* selector = w.selector();
    QTableView* list = w.list();
    const int overview = selector->findText(QStringLiteral("--Übersicht--"));
    const int all = selector->findText(QStringLiteral("-Alle Fänge-"));
    for (auto _ : state) {
        state.PauseTiming();
        selector->setCurrentIndex(overview);
        QCoreApplication::processEvents();
        state.ResumeTiming();

        selector->setCurrentIndex(all);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(list->viewport()->grab());
    }
    if (list->model()->rowCount() != w.catches) {
        state.SkipWithError("the list does not show every catch");
        return;
    }
    state.SetLabel(QStringLiteral("%1 catches, %2 outings, %3 MB")
                       .arg(w.catches)
                       .arg(w.outings)
                       .arg(double(w.fileBytes) / 1e6, 0, 'f', 1)
                       .toStdString());
}

// What the switch cannot beat: touching every cell of the table once.
void BM_PlainPassOverTable(benchmark::State& state)
{
    const benchlog::Generated log = benchlog::generate(int(state.range(0)));
    const TTextTable db = benchlog::table(log);
    for (auto _ : state)
        benchmark::DoNotOptimize(benchlog::touchEveryCell(db));
}
BENCHMARK(BM_SwitchToAllCatches)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassOverTable)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchToAllCatches)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassOverTable)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchToAllCatches)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PlainPassOverTable)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    FkApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    current.reset();
    return 0;
}
