#pragma once
// "Angelkosten suchen": purchases whose shop or article holds the search text.
#include <QDialog>

struct Session;
class CostLineModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class TfrmAKSuchen : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAKSuchen(Session& session, QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QPushButton* BitBtn1; // "Suche starten"
    QLabel* Label1;       // "Ergebnisse:"
    QTableView* ListView1;
    CostLineModel* listModel;
    QPushButton* BitBtn2; // "Schließen"

public slots:
    void BitBtn1Click();

private:
    Session& m_session;
};
