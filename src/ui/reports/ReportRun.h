#pragma once
// What every report dialog does around writing a report: the hourglass cursor for the whole
// run (restored also after an error) and a progress bar once a report has more than a few pages.
#include "reports/PdfReports.h"

#include <QApplication>
#include <QProgressBar>

namespace reportui {

inline constexpr char kPdfFilter[] = "PDF Files|*.pdf|All Files|*.*";

template <typename Work> void runReport(QProgressBar* bar, Work&& work)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    struct Restore {
        QProgressBar* bar;
        ~Restore()
        {
            if (bar)
                bar->hide();
            QApplication::restoreOverrideCursor();
        }
    } restore{bar};
    const reports::Progress progress = [bar](int page, int pages) {
        if (bar && pages > 3) {
            bar->setRange(0, pages);
            bar->setValue(page);
            bar->show();
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    work(progress);
}

} // namespace reportui
