#include "ui/reports/TfrmPDF.h"

#include "data/Clock.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "ui/reports/ReportRun.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmPDF::TfrmPDF(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmPDF"));
    setWindowTitle(QStringLiteral("Als PDF auswerten"));
    lb_faenger = new QLabel(QStringLiteral("Fänger:"), this);
    cb_faenger = new QComboBox(this);
    cb_faenger->setObjectName(QStringLiteral("cb_faenger"));
    cb_faenger->setMinimumWidth(160);
    cb_jahr = new QComboBox(this);
    cb_jahr->setObjectName(QStringLiteral("cb_jahr"));
    cb_jahr->setMinimumWidth(90);
    BitBtn2 = new QPushButton(QStringLiteral("Speichern"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    pb_fortschritt = new QProgressBar(this);
    pb_fortschritt->setObjectName(QStringLiteral("pb_fortschritt"));
    pb_fortschritt->hide();

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(lb_faenger);
    boxes->addWidget(cb_faenger);
    boxes->addSpacing(12);
    boxes->addWidget(new QLabel(QStringLiteral("Jahr:"), this));
    boxes->addWidget(cb_jahr);
    boxes->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(pb_fortschritt);
    layout->addLayout(buttons);

    connect(cb_faenger, &QComboBox::currentIndexChanged, this,
            [this] { FkApplication::guarded([this] { loadjahrcb(cb_faenger->currentText()); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { FkApplication::guarded([this] { BitBtn2Click(); }); });
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPDF::setMode(reports::PdfMode mode)
{
    m_mode = mode;
    const bool catches = mode == reports::PdfMode::Catches;
    lb_faenger->setVisible(catches);
    cb_faenger->setVisible(catches);
}

void TfrmPDF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FkApplication::guarded([this] { loadcb(); });
}

void TfrmPDF::loadcb()
{
    trace::step(QStringLiteral("PDF: loadcb"));
    if (m_mode != reports::PdfMode::Catches) {
        cb_jahr->clear();
        cb_jahr->addItems(costs::filterBoxes(m_session.AKDB, appClock().now().date()).years);
        cb_jahr->setCurrentIndex(0);
        return;
    }
    {
        const QSignalBlocker block(cb_faenger);
        const QString file = lookup::listPath(QStringLiteral("Faenger"));
        if (QFileInfo::exists(file)) {
            cb_faenger->clear();
            cb_faenger->addItem(costs::kAlle);
            for (const QString& angler : lookup::readList(file))
                if (!angler.trimmed().isEmpty())
                    cb_faenger->addItem(angler);
        } else if (cb_faenger->count() == 0) {
            cb_faenger->addItem(costs::kAlle);
        }
        cb_faenger->setCurrentIndex(0);
    }
    loadjahrcb(costs::kAlle);
}

void TfrmPDF::loadjahrcb(const QString& catcher)
{
    trace::step(QStringLiteral("PDF: loadjahrcb(%1)").arg(catcher));
    cb_jahr->clear();
    cb_jahr->addItems(statistik::loadjahrcb(m_session.DB, catcher == costs::kAlle ? QString() : catcher));
    cb_jahr->setCurrentIndex(0);
}

void TfrmPDF::BitBtn2Click()
{
    trace::step(QStringLiteral("PDF: speichern"));
    const int year = cb_jahr->currentText() == costs::kAlle ? 0 : cb_jahr->currentText().toInt();
    const QString catcher = cb_faenger->currentText() == costs::kAlle ? QString() : cb_faenger->currentText();
    // What would be printed is checked (and a date that does not convert is reported) before
    // a file is asked for.
    bool empty = false;
    switch (m_mode) {
    case reports::PdfMode::Catches: empty = reports::selectCatches(m_session.DB, catcher, year).isEmpty(); break;
    case reports::PdfMode::CostList: empty = costs::rowsOfYear(m_session.AKDB, year).isEmpty(); break;
    case reports::PdfMode::YearOverview:
        empty = costs::yearOverview(m_session.AKDB, appClock().now().date().year()).isEmpty();
        break;
    }
    if (empty) {
        userInteraction().information(this, reports::kKeineDaten);
        return;
    }
    const QString path =
        userInteraction().getSaveFileName(this, QString::fromLatin1(reportui::kPdfFilter), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    reportui::runReport(isVisible() ? pb_fortschritt : nullptr, [&](const reports::Progress& progress) {
        switch (m_mode) {
        case reports::PdfMode::Catches:
            reports::writeCatchReport(m_session.DB, catcher, year, ProgramFolder::file(QStringLiteral("img")), path,
                                      progress);
            break;
        case reports::PdfMode::CostList: reports::writeCostListReport(m_session.AKDB, year, path, progress); break;
        case reports::PdfMode::YearOverview:
            reports::writeYearOverviewReport(m_session.AKDB, appClock().now().date().year(), path, progress);
            break;
        }
    });
    if (isVisible())
        accept();
}
