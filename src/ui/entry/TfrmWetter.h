#pragma once
// "Wetter auswählen": the weather and water readings of the catch being entered. The entry
// dialog hands readings in and takes them back as one value.
#include <QDialog>
#include <QString>
#include <QStringList>

// The readings as the controls show them.
struct WeatherReadings {
    QString wetter;
    QString lufttemp;
    QString wassertemp;
    QString luftdruck;
    QString windrichtung;
    QString windstaerke;
    QString wassertruebung;
    QString wasserstand;
};

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

class TfrmWetter : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWetter(QWidget* parent = nullptr);

    QComboBox* cb_wetter;
    QLineEdit* ed_lufttemp;
    QLineEdit* ed_wassertemp;
    QLineEdit* ed_luftdruck;
    QComboBox* cb_windrichtung;
    QComboBox* cb_windstaerke;
    QComboBox* cb_wassertruebung;
    QComboBox* cb_wasserstand;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QToolButton* SpeedButton1;

    // The new-catch reset: texts emptied, the fixed lists without selection.
    void clearReadings();
    WeatherReadings readings() const;
    // Fills the controls; a value not in a fixed list leaves that list without selection.
    void setReadings(const WeatherReadings& r);
    // The weather list's items (sorted), and one more added to them.
    void setWeatherItems(const QStringList& items);
    void addWeatherItem(const QString& item);
    bool hasWeatherItem(const QString& item) const;
    QStringList weatherItems() const;

    // The wind-force table, one line per Beaufort force.
    static QString windForceTable();

    void BitBtn2Click();
    void BitBtn3Click();
    void SpeedButton1Click();
};
