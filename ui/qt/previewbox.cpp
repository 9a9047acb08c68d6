// PaintBox1: the canvas on screen and the mouse handed on.
#include "ui/qt/previewbox.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

uint8_t ButtonBits(Qt::MouseButtons buttons) {
  uint8_t bits = 0;
  if (buttons & Qt::LeftButton) bits |= 1;
  if (buttons & Qt::RightButton) bits |= 2;
  if (buttons & Qt::MiddleButton) bits |= 4;
  return bits;
}

}  // namespace

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The right button belongs to the zoom band, not to a context menu.
  setContextMenuPolicy(Qt::PreventContextMenu);
}

PreviewBox::~PreviewBox() = default;

QtCanvas& PreviewBox::Surface() {
  const int w = std::max(width(), 1);
  const int h = std::max(height(), 1);
  if (!canvas_) {
    canvas_ = std::make_unique<QtCanvas>(w, h);
  } else if (canvas_->Image().size() != QSize(w, h)) {
    canvas_->Resize(w, h);
  }
  return *canvas_;
}

const QImage& PreviewBox::Picture() {
  return Surface().Image();
}

void PreviewBox::ShowSurface() {
  showingSurface_ = true;
  repaint();
  showingSurface_ = false;
}

void PreviewBox::paintEvent(QPaintEvent* /*event*/) {
  if (!showingSurface_ && Paint) Paint();
  QPainter p(this);
  p.drawImage(0, 0, Surface().Image());
}

void PreviewBox::mousePressEvent(QMouseEvent* event) {
  if (MouseDown) MouseDown(ButtonBits(event->buttons()), event->pos().x(), event->pos().y());
}

void PreviewBox::mouseMoveEvent(QMouseEvent* event) {
  if (MouseMove) MouseMove(event->pos().x(), event->pos().y());
}

void PreviewBox::mouseReleaseEvent(QMouseEvent* event) {
  if (MouseUp) MouseUp(event->pos().x(), event->pos().y());
}
