#pragma once
// "Datenbank": create or open the catch database or the cost database.
#include "data/CatchDatabase.h"

#include <QDialog>

struct Session;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmDBSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDBSelect(Session& session, QWidget* parent = nullptr);

    // 0: catch database, 1: cost database; set by the caller before showing.
    catchdb::Kind kind() const { return m_kind; }
    void setKind(catchdb::Kind kind) { m_kind = kind; }

    QLabel* Label1;
    QLineEdit* ed_dbname;
    QPushButton* BitBtn1; // "DB Öffnen"
    QPushButton* BitBtn2; // "Neue DB"
    QPushButton* BitBtn3; // "Abbrechen"

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

signals:
    // A catch database was opened or created: the main list and selectors need a refresh.
    void catchDatabaseChanged();
    // The cost table changed: the cost figure needs a refresh.
    void costDatabaseChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Session& m_session;
    catchdb::Kind m_kind = catchdb::Kind::Catches;
};
