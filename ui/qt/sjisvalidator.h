// Turns full-width digits, point and minus into half-width ones as they are
// typed or pasted, and refuses any text that the Shift-JIS code page cannot hold:
// every text the window keeps goes to files and to the host as Shift-JIS,
// and a character that would turn into "?" there must never get in. Each
// text is one line of the settings file: a single line break (a value
// copied from a spreadsheet brings one) is dropped, more are refused.
#pragma once

#include <QValidator>

class SjisValidator : public QValidator {
  Q_OBJECT

 public:
  explicit SjisValidator(QObject* parent = nullptr);

  State validate(QString& input, int& pos) const override;
};
