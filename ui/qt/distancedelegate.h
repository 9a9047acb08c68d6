// Edits a cell of the distance table in a frameless Shift-JIS line edit, so
// a character the code page cannot hold is refused as it is typed.
#pragma once

#include <QStyledItemDelegate>

class DistanceDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit DistanceDelegate(QObject* parent = nullptr);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
};
