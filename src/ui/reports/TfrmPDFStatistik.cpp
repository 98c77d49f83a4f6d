#include "ui/reports/TfrmPDFStatistik.h"

#include "data/LookupLists.h"
#include "data/Session.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "ui/reports/ReportRun.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmPDFStatistik::TfrmPDFStatistik(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmPDFStatistik"));
    setWindowTitle(QStringLiteral("Statistik auswerten"));
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
    boxes->addWidget(new QLabel(QStringLiteral("Fänger:"), this));
    boxes->addWidget(cb_faenger);
    boxes->addSpacing(12);
    boxes->addWidget(new QLabel(QStringLiteral("Jahr:"), this));
    boxes->addWidget(cb_jahr);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(pb_fortschritt);
    layout->addLayout(buttons);

    connect(cb_faenger, &QComboBox::currentIndexChanged, this,
            [this] { FkApplication::guarded([this] { cb_faengerChange(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { FkApplication::guarded([this] { BitBtn2Click(); }); });
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPDFStatistik::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FkApplication::guarded([this] {
        const QSignalBlocker block(cb_faenger);
        cb_faenger->clear();
        cb_faenger->addItem(statistik::kAlle);
        // Without an angler list only "-Alle-" can be chosen.
        const QString file = lookup::listPath(QStringLiteral("Faenger"));
        if (QFileInfo::exists(file))
            for (const QString& angler : lookup::readList(file))
                if (!angler.trimmed().isEmpty())
                    cb_faenger->addItem(angler);
        cb_faenger->setCurrentIndex(0);
        cb_faengerChange();
    });
}

void TfrmPDFStatistik::cb_faengerChange()
{
    const QString angler = cb_faenger->currentIndex() <= 0 ? QString() : cb_faenger->currentText();
    cb_jahr->clear();
    cb_jahr->addItems(statistik::loadjahrcb(m_session.DB, angler));
    cb_jahr->setCurrentIndex(0);
}

void TfrmPDFStatistik::BitBtn2Click()
{
    const QString angler = cb_faenger->currentIndex() <= 0 ? QString() : cb_faenger->currentText();
    const int year = statistik::yearOf(cb_jahr->currentText());
    // Nothing to report is said before a file is asked for.
    if (statistik::cbload(m_session.DB, angler, year).size() <= 1) {
        userInteraction().information(this, reports::kKeineDaten);
        return;
    }
    const QString path =
        userInteraction().getSaveFileName(this, QString::fromLatin1(reportui::kPdfFilter), QStringLiteral("pdf"));
    if (!path.isEmpty()) {
        const statistik::Lists lists = statistik::readLists();
        reportui::runReport(pb_fortschritt, [&](const reports::Progress& progress) {
            reports::writeStatistikReport(m_session.DB, lists, angler, year, path, progress);
        });
    }
    accept();
}
