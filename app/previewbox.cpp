#include "app/previewbox.h"

#include <QPainter>

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(QPen(QColor(0, 0, 255), 0));
  p.drawRect(0, 0, width() - 1, height() - 1);
}
