// The distance table's rows as a Qt table model: row labels, Shift-JIS
// cells shown and edited as QStrings.
#include "ui/qt/distancemodel.h"

#include <QBrush>
#include <QColor>
#include <algorithm>
#include <array>

#include "ui/qt/sjistext.h"
#include "common/sjis.h"

namespace {

const std::array<const char*, DistanceModel::kColumns> kHeaders = {"点番号",  "相手点1", "距離",
                                                                   "相手点2", "距離",    "向き"};

// Row r fixes point r + 2, so model row i (grid row i + 1) is point i + 3.
constexpr int kFirstLabel = 3;

// The label column looks like the fixed cells of a grid: button face, black.
const QColor kFixedCellColor(240, 240, 240);

bool IsTextColumn(const QModelIndex& index) {
  return index.column() >= 1;
}

}  // namespace

DistanceModel::DistanceModel(QObject* parent) : QAbstractTableModel(parent), rows_(kTableRows) {}

int DistanceModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kTableRows;
}

int DistanceModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant DistanceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (!IsTextColumn(index)) {
    switch (role) {
      case Qt::DisplayRole:
        return QString::number(index.row() + kFirstLabel);
      case Qt::BackgroundRole:
        return QBrush(kFixedCellColor);
      case Qt::ForegroundRole:
        return QBrush(Qt::black);
      default:
        return {};
    }
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return QStringFromSjis(rows_[index.row()][index.column() - 1]);
}

bool DistanceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || !IsTextColumn(index) || role != Qt::EditRole) {
    return false;
  }
  const std::string utf8 = value.toString().toStdString();
  if (!SjisCanEncode(utf8)) return false;
  rows_[index.row()][index.column() - 1] = SjisFromUtf8(utf8);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags DistanceModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // The label column takes no cursor: the grid's keys and Tab skip it.
  if (!IsTextColumn(index)) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant DistanceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= kColumns) return {};
    return QString::fromUtf8(kHeaders[section]);
  }
  if (section < 0 || section >= kTableRows) return {};
  return QString::number(section + kFirstLabel);
}

const std::string& DistanceModel::Cell(int col, int row) const {
  return rows_[row - 1][col - 1];
}

void DistanceModel::SetCell(int col, int row, const std::string& text) {
  rows_[row - 1][col - 1] = text;
  const QModelIndex at = index(row - 1, col);
  emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
}

void DistanceModel::SetRows(const std::vector<TTableRow>& rows) {
  const size_t taken = std::min(rows.size(), rows_.size());
  std::copy_n(rows.begin(), taken, rows_.begin());
  std::fill(rows_.begin() + static_cast<std::ptrdiff_t>(taken), rows_.end(), TTableRow{});
  emit dataChanged(index(0, 1), index(kTableRows - 1, kColumns - 1),
                   {Qt::DisplayRole, Qt::EditRole});
}
