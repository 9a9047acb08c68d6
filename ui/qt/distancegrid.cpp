// StringGrid1's look and editing set-up, the fixed point-number column, and
// the move report that follows the commit of the open editor.
#include "ui/qt/distancegrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "app/tablecells.h"
#include "ui/qt/distancedelegate.h"
#include "ui/qt/sjistext.h"

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
  // No edit on a click of the current cell: its delayed start would open an
  // editor in the middle of typing and throw away what was typed before.
  setEditTriggers(AnyKeyPressed | EditKeyPressed | DoubleClicked);
  setTabKeyNavigation(true);
  setShowGrid(true);
  setWordWrap(false);
  // Cells are narrow; like the grid this stands for, clip rather than elide.
  setTextElideMode(Qt::ElideNone);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
  verticalHeader()->setMinimumWidth(kDefaultColumnWidth);
  verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  verticalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setTextElideMode(Qt::ElideNone);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // The corner above the point numbers carries their header.
  if (auto* corner = findChild<QAbstractButton*>()) {
    corner->setObjectName(QStringLiteral("StringGrid1Corner"));
    corner->installEventFilter(this);
  }
}

bool DistanceGrid::eventFilter(QObject* watched, QEvent* event) {
  auto* corner = qobject_cast<QAbstractButton*>(watched);
  if (corner == nullptr || event->type() != QEvent::Paint) {
    return QTableView::eventFilter(watched, event);
  }
  QStyleOptionHeader opt;
  opt.initFrom(corner);
  opt.rect = corner->rect();
  opt.position = QStyleOptionHeader::OnlyOneSection;
  opt.text = QStringFromSjis(GridHeader(0));
  opt.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  QPainter painter(corner);
  corner->style()->drawControl(QStyle::CE_Header, &opt, &painter, corner);
  return true;
}

void DistanceGrid::CommitEditor() {
  if (state() != EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) commitData(editor);
}

void DistanceGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  // The base class commits and closes the editor of the previous cell.
  QTableView::currentChanged(current, previous);
  if (current.isValid() && previous.isValid()) {
    emit cellSelected(current.column() + 1, current.row() + 1, previous.row() + 1);
  }
}

void DistanceGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    emit copyRequested();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    emit pasteRequested();
    return;
  }
  QTableView::keyPressEvent(event);
}
