#pragma once
// "Angelkosten": the purchases filtered by year and shop, newest first, with the sums of the
// unit prices and of the totals; delete and edit through the context menu.
#include "costs/Costs.h"

#include <QDialog>
#include <functional>

struct Session;
class CostLineModel;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class TfrmAngelkostenEdit;

class TfrmAngelkosten : public QDialog {
    Q_OBJECT
public:
    TfrmAngelkosten(Session& session, TfrmAngelkostenEdit& editDialog, QWidget* parent = nullptr);

    // Called after a row was deleted or edited (the table is written by then).
    std::function<void()> onChanged;

    // Refills the list for the filter texts as the boxes show them ("-Alle-": no filter).
    void anzeigen(const QString& year, const QString& shop);
    // Refills the filter boxes and selects "-Alle-" in both.
    void cboxload();

    QComboBox* cb_jahr;
    QComboBox* cb_geschaeft;
    QTableView* ListView1;
    CostLineModel* listModel;
    QLabel* lb_einzelpreis;
    QLabel* lb_gesamtpreis;
    QPushButton* BitBtn2; // "Schließen"
    QMenu* PopupMenu1;
    QAction* Eintraglschen1;     // "Eintrag löschen"
    QAction* Eintragbearbeiten1; // "Eintrag bearbeiten"
    QAction* N1;                 // hidden separator
    QAction* Drucken1;           // "Exportieren", hidden

    const costs::CostListSorter& sorter() const { return m_sorter; }

public slots:
    void Eintraglschen1Click();
    void Eintragbearbeiten1Click();
    void ListView1ColumnClick(int column);

protected:
    void showEvent(QShowEvent* event) override;

private:
    int selectedRow() const;
    void refillFromBoxes();

    Session& m_session;
    TfrmAngelkostenEdit& m_edit;
    costs::CostListSorter m_sorter;
};
