// PaintBox1, the preview area left of the table: white inside a one-pixel
// blue frame. The drawing itself is rendered elsewhere and asked for through
// TForm1::RedrawView.
#pragma once

#include <QWidget>

class PreviewBox : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewBox(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
