#pragma once
// The lines of a cost list (costs window, search results) for a list view: column 0 is the
// hidden row number "ID", then date, shop, article, quantity, unit price and total.
#include "costs/Costs.h"

#include <QAbstractTableModel>

class CostLineModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Seven column titles; `centred` columns show their texts centred.
    CostLineModel(const QStringList& titles, QList<int> centred, QObject* parent = nullptr);

    void setLines(QList<costs::CostLine> lines);
    QList<costs::CostLine>& lines() { return m_lines; }
    const QList<costs::CostLine>& lines() const { return m_lines; }
    // Call after the lines were reordered in place.
    void linesReordered();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_titles;
    QList<int> m_centred;
    QList<costs::CostLine> m_lines;
};

class QTableView;
// A report-style list: whole rows selected, grid lines, no in-place editing, the ID column
// hidden.
void setUpCostListView(QTableView* view, CostLineModel* model);
