#pragma once
// "Angelkosten Jahresübersicht": the total per year with the change against the year before;
// a line is red when more was spent than the year before, green when less.
#include <QDialog>

struct Session;
class QPushButton;
class QTreeWidget;

class TfrmAKjahr : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAKjahr(Session& session, QWidget* parent = nullptr);

    // Refills the list from the cost table.
    void anzeigen();

    QTreeWidget* ListView1;
    QPushButton* BitBtn2; // "Schließen"

protected:
    void showEvent(QShowEvent* event) override;

private:
    Session& m_session;
};
