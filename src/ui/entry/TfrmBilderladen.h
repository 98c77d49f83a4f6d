#pragma once
// "Bilder hinzufügen": edits the picture list of the catch being entered. New files are
// converted into "img" on "Speichern"; the result is the new comma text for ed_bild.
#include <QDialog>

#include <optional>

class QAction;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

class TfrmBilderladen : public QDialog {
    Q_OBJECT
public:
    // The filter of the file dialog for new pictures.
    static const QString PictureFilter;

    explicit TfrmBilderladen(QWidget* parent = nullptr);

    // The entry dialog's picture button: the list is filled from the comma text, the dialog
    // shown modally. Returns the new comma text after "Speichern", nothing after cancelling.
    std::optional<QString> editPictures(const QString& commaText);

    // Clears the list and splits the comma text into it (an empty text gives an empty list).
    void setPictureText(const QString& commaText);
    QStringList items() const;
    // The comma text written by the last successful save.
    QString savedText() const { return m_savedText; }

    QLabel* Label1;
    QListWidget* ListBox1;
    QAction* Entfernen1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QProgressBar* ProgressBar1;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void Entfernen1Click();
    void ListBox1DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setBusy(bool busy);

    int m_hintIndex = -1;
    QString m_savedText;
};
