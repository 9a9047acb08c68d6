// The table's cell editor: a frameless Shift-JIS edit.
#include "ui/qt/distancedelegate.h"

#include "ui/qt/sjislineedit.h"

DistanceDelegate::DistanceDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* DistanceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& /*index*/) const {
  auto* editor = new SjisLineEdit(parent);
  editor->setFrame(false);
  // Numbers only, as in the point-2 edits.
  editor->setAttribute(Qt::WA_InputMethodEnabled, false);
  return editor;
}
