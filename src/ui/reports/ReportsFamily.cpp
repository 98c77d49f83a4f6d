// The report dialogs join the main window: "Statistik" > "Auswerten" > "Als PDF", "Fang" >
// "Fischkladde auswerten" > "Als PDF", "Angelkosten" > "Auswerten" (both items), and the
// costs window's "Exportieren" (the HTML list per year).
#include "base/SafeFile.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "reports/PdfReports.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "ui/common/WindowHost.h"
#include "ui/costs/CostLineModel.h"
#include "ui/costs/TfrmAngelkosten.h"
#include "ui/reports/TfrmPDF.h"
#include "ui/reports/TfrmPDFStatistik.h"

#include <QAction>
#include <QComboBox>

namespace {

// The HTML list of what the costs window shows, one table per entry of its year box.
void exportCostYears(TfrmAngelkosten* window)
{
    QStringList years;
    for (int i = 1; i < window->cb_jahr->count(); ++i)
        years << window->cb_jahr->itemText(i);
    const QByteArray html = reports::costYearsHtml(window->listModel->lines(), years);
    const QString path = userInteraction().getSaveFileName(window, QStringLiteral("HTML|*.html"), QStringLiteral("html"));
    if (!path.isEmpty())
        safefile::writeOrThrow(path, html);
}

void install(WindowHost& host)
{
    Session& session = host.session();
    QWidget* parent = host.window();
    auto* statistik = new TfrmPDFStatistik(session, parent);
    auto* pdf = new TfrmPDF(session, parent);

    const auto open = [&host, pdf](const QString& step, reports::PdfMode mode, bool costs) {
        trace::step(step);
        const TTextTable& table = costs ? host.session().AKDB : host.session().DB;
        if (table.RowCount() == 0) {
            userInteraction().information(host.window(), reports::kKeineDaten);
            return;
        }
        pdf->setMode(mode);
        if (mode == reports::PdfMode::YearOverview) {
            pdf->loadcb();
            pdf->BitBtn2Click();
        } else {
            pdf->exec();
        }
    };
    if (QAction* a = host.menuAction(QStringLiteral("aStatistikPDF")))
        host.wireAction(a, [statistik] {
            trace::step(QStringLiteral("Main: Statistik als PDF"));
            statistik->exec();
        });
    if (QAction* a = host.menuAction(QStringLiteral("aAuswertenPDF")))
        host.wireAction(a, [open] { open(QStringLiteral("Main: PDF (0)"), reports::PdfMode::Catches, false); });
    if (QAction* a = host.menuAction(QStringLiteral("aAKAlsPDF")))
        host.wireAction(a, [open] { open(QStringLiteral("Main: AK als PDF"), reports::PdfMode::CostList, true); });
    if (QAction* a = host.menuAction(QStringLiteral("aAKJahrPDF")))
        host.wireAction(a, [open] { open(QStringLiteral("Main: AK Jahr PDF"), reports::PdfMode::YearOverview, true); });

    // The costs window keeps its "Exportieren" item hidden until this family offers it.
    if (auto* costsWindow = parent->findChild<TfrmAngelkosten*>()) {
        costsWindow->N1->setVisible(true);
        costsWindow->Drucken1->setText(QStringLiteral("&Exportieren"));
        costsWindow->Drucken1->setVisible(true);
        costsWindow->Drucken1->setEnabled(true);
        QObject::connect(costsWindow->Drucken1, &QAction::triggered, costsWindow,
                         [costsWindow] { FkApplication::guarded([costsWindow] { exportCostYears(costsWindow); }); });
    }
}

// After the cost windows, whose list window it extends.
const host::FamilyRegistrar registrar("reports", 60, install);

} // namespace
