#pragma once
// "Fang suchen": free-text search over the catches; a double-click shows the catch's details.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class WindowHost;

class TfrmSuchen : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSuchen(WindowHost& host);

    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QLabel* Label1;
    QTreeWidget* ListView1;
    QPushButton* BitBtn2;

    void BitBtn1Click();
    void ListView1DblClick();
    // After the catches changed: row numbers may have moved, so the last search runs again.
    void catchesChanged();

private:
    void runSearch(const QString& text);
    WindowHost& m_host;
    QString m_searched; // the text of the results shown
    bool m_hasResults = false;
};
