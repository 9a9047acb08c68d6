// StringGrid1's look and editing set-up, the fixed point-number column, and
// the move report that follows the commit of the open editor.
#include "ui/qt/distancegrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <array>
#include <optional>

#include "app/formcontrols.h"
#include "app/gridkeys.h"
#include "app/tablecells.h"
#include "ui/qt/distancedelegate.h"
#include "ui/qt/sjistext.h"

namespace {

constexpr int kLeastColumnWidth = 8;

std::optional<TGridKey> GridKeyOf(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return TGridKey::Enter;
    case Qt::Key_Delete:
      return TGridKey::Delete;
    case Qt::Key_Backspace:
      return TGridKey::Backspace;
    default:
      return std::nullopt;
  }
}

}  // namespace

DistanceGrid::DistanceGrid(QWidget* parent) : QTableView(parent) {
  QFont f = font();
  f.setPixelSize(kGridFontHeight);
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
  // A number cut at the grid line would read as another number.
  setTextElideMode(Qt::ElideRight);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kGridRowHeight);
  verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  verticalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(kLeastColumnWidth);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setTextElideMode(Qt::ElideRight);
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

void DistanceGrid::SetDefaultColumnWidths() {
  const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  const std::array<int32_t, 6> chars = GridColumnChars();
  verticalHeader()->setMinimumWidth(GridColumnWidth(chars[0] * digit, 1.0));
  for (int col = 1; col < kGridColumns; ++col) {
    setColumnWidth(col - 1, GridColumnWidth(chars[static_cast<size_t>(col)] * digit, 1.0));
  }
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
  // The view walks the cells itself; Enter and Delete it would leave to an
  // editor, so they go as the table's keys have them. An open editor has
  // the keys, and its Enter comes on to here once it has committed.
  const QModelIndex at = currentIndex();
  const std::optional<TGridKey> key = GridKeyOf(event->key());
  if (key && at.isValid()) {
    const Qt::KeyboardModifiers held = event->modifiers();
    const TCellPos cell{at.column() + 1, at.row() + 1};
    const TGridKeyResult r = GridKeyAction(
        *key, held & Qt::ShiftModifier,
        held & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier), {cell, cell});
    if (r.Action == TGridAction::Move) {
      setCurrentIndex(model()->index(r.Cursor.Row - 1, r.Cursor.Col - 1));
      return;
    }
    if (r.Action == TGridAction::Clear) {
      emit clearRequested();
      return;
    }
  }
  QTableView::keyPressEvent(event);
}
