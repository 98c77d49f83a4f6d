#pragma once
// The main catch list as a model: hidden "ID" column and the five visible fields, showing
// the stored texts unchanged. It keeps only row numbers of DB; a cell is read from the table
// and decoded when the view asks for it.
#include "data/CatchListView.h"

#include <QAbstractTableModel>

class TTextTable;

class CatchListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows the given row numbers of `db`, which must outlive the rows (the session's table).
    // `days` may hold each row's Fangdatum day (from catchlist::catches) for the date sort.
    void setRows(const TTextTable& db, std::vector<int> rows, std::vector<qint64> days = {});
    void clear();
    // Sorts in place; returns the number of comparisons.
    qint64 sort(int column, catchlist::SortMode mode, bool reverse);

    // The DB row numbers in list order.
    const std::vector<int>& rows() const { return m_rows; }
    // Row number in DB of a list row, 0 when out of range.
    int idAt(int listRow) const;
    // List row showing the given DB row number, -1 when not shown.
    int listRowOf(int id) const;

private:
    const TTextTable* m_db = nullptr;
    catchlist::Columns m_columns;
    std::vector<int> m_rows;
    std::vector<qint64> m_days; // empty or one per row
};
