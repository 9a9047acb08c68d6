// PaintBox1: blits the last picture, or asks for the first one.
#include "ui/qt/previewbox.h"

#include <QPainter>

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewBox::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PreviewBox::paintEvent(QPaintEvent* /*event*/) {
  if (picture_.isNull() && PictureWanted) PictureWanted();
  // A repaint never renders again: the frame of the current size, then the
  // last picture over it (a grown box shows white beyond the picture).
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(QPen(QColor(0, 0, 255), 0));
  p.drawRect(0, 0, width() - 1, height() - 1);
  if (!picture_.isNull()) p.drawImage(0, 0, picture_);
}
