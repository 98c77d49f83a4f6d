#pragma once
// "Über Fischkladde": program name, version and the maker's contact links.
#include <QDialog>

class QLabel;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    // The file version as four numbers joined by points ("1.0.0.0").
    static QString fileVersion();

    QLabel* lb_programm;
    QLabel* lb_kontakt;
};
