// A line edit that keeps the Shift-JIS bytes it was given until the user
// changes its text, so bytes that do not survive the round trip stay as
// they were.
#include "ui/qt/sjislineedit.h"

#include "common/sjis.h"
#include "ui/qt/sjistext.h"
#include "ui/qt/sjisvalidator.h"

SjisLineEdit::SjisLineEdit(QWidget* parent) : QLineEdit(parent) {
  setValidator(new SjisValidator(this));
}

void SjisLineEdit::SetSjis(const std::string& bytes) {
  shown_ = QStringFromSjis(bytes);
  bytes_ = bytes;
  setText(shown_);
}

std::string SjisLineEdit::Sjis() const {
  const QString now = text();
  return now == shown_ ? bytes_ : SjisFromUtf8(now.toStdString());
}
