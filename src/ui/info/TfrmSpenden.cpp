#include "ui/info/TfrmSpenden.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSpenden::TfrmSpenden(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSpenden"));
    setWindowTitle(QStringLiteral("Den Autor unterstützen"));
    setModal(true);

    lb_text = new QLabel(QStringLiteral(
        "Fischkladde ist kostenlos und wird in der Freizeit weiterentwickelt.\n"
        "Wenn Ihnen das Programm gefällt und Sie die weitere Arbeit daran unterstützen\n"
        "möchten, freue ich mich über eine kleine Spende auf das folgende Konto.\n"
        "Vielen Dank und Petri Heil!"), this);
    lb_text->setObjectName(QStringLiteral("lb_text"));

    // Placeholder account of the maker; replace before a release.
    lb_konto = new QLabel(QStringLiteral("Kontoinhaber:\tMax Mustermann\n"
                                         "Bank:\t\tBeispielbank\n"
                                         "IBAN:\t\tDE00 0000 0000 0000 0000 00\n"
                                         "BIC:\t\tXXXXDEXXXXX\n"
                                         "Verwendungszweck:\tFischkladde"), this);
    lb_konto->setObjectName(QStringLiteral("lb_konto"));
    lb_konto->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lb_text);
    layout->addSpacing(8);
    layout->addWidget(lb_konto);
    layout->addSpacing(8);
    layout->addWidget(close, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
