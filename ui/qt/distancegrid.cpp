// StringGrid1's look and editing set-up, and the move report that follows
// the commit of the open editor.
#include "ui/qt/distancegrid.h"

#include <QHeaderView>

#include "ui/qt/distancedelegate.h"

namespace {
constexpr int kDefaultColumnWidth = 36;
constexpr int kDefaultRowHeight = 24;
constexpr int kFontPixels = 12;
}  // namespace

DistanceGrid::DistanceGrid(QWidget* parent) : QTableView(parent) {
  QFont f = font();
  f.setPixelSize(kFontPixels);
  setFont(f);
  setItemDelegate(new DistanceDelegate(this));
  setSelectionMode(ContiguousSelection);
  setSelectionBehavior(SelectItems);
  setEditTriggers(AnyKeyPressed | EditKeyPressed | DoubleClicked | SelectedClicked);
  setTabKeyNavigation(true);
  setShowGrid(true);
  setWordWrap(false);
  // Cells are narrow; like the grid this stands for, clip rather than elide.
  setTextElideMode(Qt::ElideNone);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setTextElideMode(Qt::ElideNone);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void DistanceGrid::CommitEditor() {
  if (state() != EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) commitData(editor);
}

void DistanceGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  // The base class commits and closes the editor of the previous cell.
  QTableView::currentChanged(current, previous);
  if (current.isValid() && previous.isValid()) {
    emit cellSelected(current.column(), current.row() + 1, previous.row() + 1);
  }
}
