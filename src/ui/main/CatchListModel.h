#pragma once
// The main catch list as a model: hidden "ID" column and the five visible fields, showing
// the stored texts unchanged. Rows are decoded only when the view asks for them.
#include "data/CatchListView.h"

#include <QAbstractTableModel>

class CatchListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setRows(std::vector<catchlist::Row> rows);
    void clear() { setRows({}); }
    // Sorts in place; returns the number of comparisons.
    qint64 sort(int column, catchlist::SortMode mode, bool reverse);

    const std::vector<catchlist::Row>& rows() const { return m_rows; }
    // Row number in DB of a list row, 0 when out of range.
    int idAt(int listRow) const;
    // List row showing the given DB row number, -1 when not shown.
    int listRowOf(int id) const;

private:
    std::vector<catchlist::Row> m_rows;
};
