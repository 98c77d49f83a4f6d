#pragma once
// The "Fangempfehlung" dialog: twelve month rows of the catch recommendation.
#include "stats/Fangempfehlung.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

class TfrmFangempfehlung : public QDialog {
public:
    TfrmFangempfehlung(const std::array<statistik::EmpfehlungRow, 12>& rows, QWidget* parent);

    QTableWidget* ListView1;
    QPushButton* BitBtn1;
};
