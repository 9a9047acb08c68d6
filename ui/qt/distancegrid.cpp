// StringGrid1's look and editing set-up, the fixed point-number column, and
// the move report that follows the commit of the open editor.
#include "ui/qt/distancegrid.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <array>

#include "app/formcontrols.h"
#include "app/tablecells.h"
#include "ui/qt/distancedelegate.h"
#include "ui/qt/sjistext.h"

namespace {
constexpr int kLeastColumnWidth = 8;
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
  // No editor is open (it has the keys while it is): the selection goes.
  if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
      !(event->modifiers() & ~Qt::KeypadModifier)) {
    emit clearRequested();
    return;
  }
  // The cell editor has committed and closed on Enter by now; the key goes
  // on to the view.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    MoveAfterEnter();
    return;
  }
  QTableView::keyPressEvent(event);
}

void DistanceGrid::MoveAfterEnter() {
  const QModelIndex at = currentIndex();
  if (!at.isValid()) return;
  const bool shift = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
  const TCellPos next = CellAfterEnter({at.column() + 1, at.row() + 1}, shift);
  setCurrentIndex(model()->index(next.Row - 1, next.Col - 1));
}
