#pragma once
// "Den Autor unterstützen": a request for support and the maker's account details.
#include <QDialog>

class QLabel;

class TfrmSpenden : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSpenden(QWidget* parent = nullptr);

    QLabel* lb_text;
    QLabel* lb_konto;
};
