// PaintBox1, the preview area left of the table. It owns the canvas the
// window's behaviour draws on and shows it; its mouse events go to the
// handlers given, in paint-box pixels. A paint the system asks for (an
// expose, a new size) first lets the window repaint the canvas; a repaint
// the window asks for shows the canvas as it stands.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "ui/qt/qtcanvas.h"

class PreviewBox : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewBox(QWidget* parent = nullptr);
  ~PreviewBox() override;

  // The canvas, made anew (white) when the box has changed its size.
  QtCanvas& Surface();
  // The picture shown now.
  const QImage& Picture();
  // Shows the canvas now, without asking the window for a picture.
  void ShowSurface();

  std::function<void()> Paint;
  // buttons: the bits of the buttons held now (left 1, right 2, middle 4).
  std::function<void(uint8_t buttons, int x, int y)> MouseDown;
  std::function<void(int x, int y)> MouseMove;
  std::function<void(int x, int y)> MouseUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::unique_ptr<QtCanvas> canvas_;
  bool showingSurface_ = false;
};
