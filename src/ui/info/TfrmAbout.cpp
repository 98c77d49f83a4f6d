#include "ui/info/TfrmAbout.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Über Fischkladde"));
    setModal(true);

    lb_programm = new QLabel(QStringLiteral("Fischkladde") + QStringLiteral("  v. ") + fileVersion(), this);
    lb_programm->setObjectName(QStringLiteral("lb_programm"));
    QFont big = lb_programm->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lb_programm->setFont(big);

    auto* text = new QLabel(QStringLiteral("Das Fangbuch für Angler.\nFragen, Wünsche und Fehlermeldungen gerne an den Autor:"), this);
    lb_kontakt = new QLabel(this);
    lb_kontakt->setObjectName(QStringLiteral("lb_kontakt"));
    // Placeholder addresses of the maker (example domain).
    lb_kontakt->setText(QStringLiteral("E-Mail: autor@fischkladde.example\nInternet: www.fischkladde.example"));
    lb_kontakt->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* close = new QPushButton(QStringLiteral("&OK"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lb_programm);
    layout->addWidget(text);
    layout->addWidget(lb_kontakt);
    layout->addSpacing(8);
    layout->addWidget(close, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfrmAbout::fileVersion()
{
    QStringList parts = QStringLiteral(FK_VERSION).split(QLatin1Char('.'));
    while (parts.size() < 4)
        parts.append(QStringLiteral("0"));
    return parts.mid(0, 4).join(QLatin1Char('.'));
}
