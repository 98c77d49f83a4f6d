#include "ui/main/CatchListModel.h"
#include "base/Win1252.h"

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
    if (role == Qt::DisplayRole)
        return win1252::decode(m_rows[size_t(index.row())].cell(index.column()));
    return {};
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

void CatchListModel::setRows(std::vector<catchlist::Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

qint64 CatchListModel::sort(int column, catchlist::SortMode mode, bool reverse)
{
    beginResetModel();
    const qint64 comparisons = catchlist::sortRows(m_rows, column, mode, reverse);
    endResetModel();
    return comparisons;
}

int CatchListModel::idAt(int listRow) const
{
    return listRow >= 0 && listRow < int(m_rows.size()) ? m_rows[size_t(listRow)].id : 0;
}

int CatchListModel::listRowOf(int id) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == id)
            return int(i);
    return -1;
}
