#pragma once
// The setup assistant of the first run: the two databases on the first page, then (only on the
// first completion) seven pages filling the lookup lists.
#include <QDialog>

class WindowHost;
class QLabel;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

class TfrmWizard : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWizard(WindowHost& host, QWidget* parent = nullptr);

    int page() const { return m_page; }

    // First page
    QWidget* Panel1;
    QLabel* Label2;
    QLabel* Label4;
    QToolButton* SpeedButton1; // "Hilfe"
    QGroupBox* GroupBox1;
    QLabel* db;
    QPushButton* BitBtn1; // "Neu erstellen" (catches)
    QPushButton* BitBtn2; // "Vorhandene Datenbank laden" (catches)
    QGroupBox* GroupBox2;
    QLabel* akdb;
    QPushButton* BitBtn3; // "Vorhandene Datenbank laden" (costs)
    QPushButton* BitBtn4; // "Neu erstellen" (costs)
    QPushButton* BitBtn5; // "Weiter" / "Fertigstellen"
    QPushButton* BitBtn6; // "Abbrechen"
    QPushButton* BitBtn7; // "Backup laden"

    // List pages
    QWidget* Panel2;
    QLabel* Label1;
    QLabel* Label3;
    QListWidget* ListBox1;
    QLineEdit* Edit1;
    QPushButton* BitBtn10; // "Hinzufügen"
    QPushButton* bt_zurueck;
    QPushButton* bt_weiter;
    QPushButton* BitBtn9; // "Abbrechen"

    QStringList items() const;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn7Click();
    void BitBtn10Click();
    void SpeedButton1Click();
    void bt_weiterClick();
    void bt_zurueckClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setFinishCaption(QPushButton* button, bool finish);
    void showPage(int page);
    WindowHost& m_host;
    int m_page = 0;
};
