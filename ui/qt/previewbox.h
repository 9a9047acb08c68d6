// PaintBox1, the preview area left of the table. It shows the picture the
// window last rendered; when it has none yet, it asks the window for one
// first (the first paint fits the view and draws).
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class PreviewBox : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewBox(QWidget* parent = nullptr);

  // The rendered preview, shown as it is from the top-left corner.
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }

  // Called by a paint that finds no picture; expected to call SetPicture.
  std::function<void()> PictureWanted;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};
