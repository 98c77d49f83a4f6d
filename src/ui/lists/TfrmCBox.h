#pragma once
// The list editor: one lookup list of "DATs", chosen by the tag (1 waters ... 7 species).
#include <QDialog>

class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

class TfrmCBox : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCBox(QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // The list's file base name for an editor number, empty for an unknown number.
    static QString listName(int tag);

    QListWidget* ListBox1;
    QLineEdit* Edit1;
    QToolButton* SpeedButton1; // "Hinzufügen"
    QPushButton* BitBtn1;      // "Speichern"
    QPushButton* BitBtn2;      // "Abbrechen"
    QMenu* PopupMenu1;
    QAction* Lschen1;          // "Löschen"

    // The items in their order.
    QStringList items() const;

public slots:
    void SpeedButton1Click();
    void Lschen1Click();
    void BitBtn1Click();

signals:
    // The list of the given number was written.
    void listSaved(int tag);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void insertSorted(const QString& value);
    int m_tag = 0;
};
