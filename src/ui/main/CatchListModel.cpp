#include "ui/main/CatchListModel.h"
#include "base/Win1252.h"
#include "storage/TTextTable.h"

#include <algorithm>

int CatchListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CatchListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : catchlist::kColumnCount;
}

QVariant CatchListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    if (role != Qt::DisplayRole || !m_db)
        return {};
    const int row = m_rows[size_t(index.row())];
    if (index.column() == catchlist::ColId)
        return QString::number(row);
    // A row the table no longer has (until the list is filled again) shows empty cells.
    const QByteArrayView cell = m_columns.view(*m_db, row, index.column());
    return win1252::decode(QByteArray::fromRawData(cell.data(), cell.size()));
}

QVariant CatchListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const titles[] = {"ID", "Fangdatum:", "Fischart:", "Fänger:", "Länge (cm):", "Gewicht (g):"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < catchlist::kColumnCount)
        return QString::fromUtf8(titles[section]);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags CatchListModel::flags(const QModelIndex& index) const
{
    // Read-only: captions cannot be edited in place.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CatchListModel::setRows(const TTextTable& db, std::vector<int> rows, std::vector<qint64> days)
{
    beginResetModel();
    m_db = &db;
    m_columns = catchlist::Columns(db);
    m_rows = std::move(rows);
    m_days = days.size() == m_rows.size() ? std::move(days) : std::vector<qint64>();
    endResetModel();
}

void CatchListModel::clear()
{
    beginResetModel();
    m_db = nullptr;
    m_rows.clear();
    m_days.clear();
    endResetModel();
}

qint64 CatchListModel::sort(int column, catchlist::SortMode mode, bool reverse)
{
    if (!m_db)
        return 0;
    beginResetModel();
    const qint64 comparisons = catchlist::sortRows(*m_db, m_rows, column, mode, reverse, &m_days);
    endResetModel();
    return comparisons;
}

int CatchListModel::idAt(int listRow) const
{
    return listRow >= 0 && listRow < int(m_rows.size()) ? m_rows[size_t(listRow)] : 0;
}

int CatchListModel::listRowOf(int id) const
{
    const auto it = std::find(m_rows.begin(), m_rows.end(), id);
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}
