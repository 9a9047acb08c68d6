// The distance table's cells shown and edited as QStrings.
#include "ui/qt/distancemodel.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "app/formcontrols.h"
#include "common/sjis.h"
#include "ui/qt/sjistext.h"

DistanceModel::DistanceModel(TTableCells& cells, QObject* parent)
    : QAbstractTableModel(parent), cells_(cells) {}

int DistanceModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kTableRows;
}

int DistanceModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant DistanceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole:
      return QStringFromSjis(cells_.Shown(col, row));
    case Qt::EditRole:
      return QStringFromSjis(cells_.Cell(col, row));
    case Qt::ForegroundRole:
      if (!cells_.Warning(col, row).empty()) return QBrush(Qt::red);
      return {};
    case Qt::ToolTipRole:
      if (!cells_.Warning(col, row).empty()) return QStringFromSjis(cells_.Warning(col, row));
      return {};
    default:
      return {};
  }
}

bool DistanceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const std::string utf8 = value.toString().toStdString();
  if (!ControlTakesText(utf8)) return false;
  cells_.SetCell(index.column() + 1, index.row() + 1, SjisFromUtf8(utf8));
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit cellEdited();
  return true;
}

Qt::ItemFlags DistanceModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant DistanceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::ForegroundRole && orientation == Qt::Vertical && leftOut_ &&
      leftOut_(section + 1)) {
    return QBrush(Qt::gray);
  }
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= kColumns) return {};
    return QStringFromSjis(GridHeader(section + 1));
  }
  if (section < 0 || section >= kTableRows) return {};
  return QString::fromStdString(GridRowLabel(section + 1));
}

void DistanceModel::RowsChanged(int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, kTableRows);
  if (first > last) return;
  emit dataChanged(index(first - 1, 0), index(last - 1, kColumns - 1),
                   {Qt::DisplayRole, Qt::EditRole, Qt::ForegroundRole, Qt::ToolTipRole});
  emit headerDataChanged(Qt::Vertical, first - 1, last - 1);
}
