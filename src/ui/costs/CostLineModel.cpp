#include "ui/costs/CostLineModel.h"

#include <QHeaderView>
#include <QTableView>

CostLineModel::CostLineModel(const QStringList& titles, QList<int> centred, QObject* parent)
    : QAbstractTableModel(parent), m_titles(titles), m_centred(std::move(centred))
{
}

void CostLineModel::setLines(QList<costs::CostLine> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void CostLineModel::linesReordered()
{
    beginResetModel();
    endResetModel();
}

int CostLineModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int CostLineModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : costs::ColumnCount;
}

QVariant CostLineModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    const costs::CostLine& line = m_lines[index.row()];
    if (role == Qt::DisplayRole)
        return index.column() == costs::ColId ? QString::number(line.row) : costs::columnText(line, index.column());
    if (role == Qt::TextAlignmentRole && m_centred.contains(index.column()))
        return int(Qt::AlignCenter);
    return {};
}

QVariant CostLineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_titles.value(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(m_centred.contains(section) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void setUpCostListView(QTableView* view, CostLineModel* model)
{
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setColumnHidden(costs::ColId, true);
    const int widths[] = {0, 80, 130, 200, 60, 80, 95};
    for (int c = 1; c < costs::ColumnCount; ++c)
        view->setColumnWidth(c, widths[c]);
}
