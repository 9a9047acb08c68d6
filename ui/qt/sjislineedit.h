// A line edit whose text is Shift-JIS at its boundary. Typing is held to what
// Shift-JIS can encode, and text set from a file comes back byte for byte as
// long as nobody changed it, even where those bytes are not valid Shift-JIS.
#pragma once

#include <QLineEdit>
#include <string>

class SjisLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit SjisLineEdit(QWidget* parent = nullptr);

  // Shows the text of the Shift-JIS bytes.
  void SetSjis(const std::string& bytes);

  // The shown text as Shift-JIS: the bytes set last if it is still their text.
  std::string Sjis() const;

 private:
  std::string bytes_;
  QString shown_;
};
