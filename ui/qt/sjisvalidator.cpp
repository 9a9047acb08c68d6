// The validator that keeps every typed text inside the Shift-JIS code page.
#include "ui/qt/sjisvalidator.h"

#include <algorithm>

#include "app/formcontrols.h"

SjisValidator::SjisValidator(QObject* parent) : QValidator(parent) {}

QValidator::State SjisValidator::validate(QString& input, int& pos) const {
  // Each numeral made half-width stays one character: pos stays valid.
  const std::string typed = input.toStdString();
  const std::string half = HalfWidthNumerals(typed);
  if (half != typed) input = QString::fromStdString(half);
  // A single value copied from a spreadsheet comes with a line break after
  // it: the value is what was meant.
  const qsizetype lf = input.count(QLatin1Char('\n'));
  const qsizetype crlf = input.count(QStringLiteral("\r\n"));
  const qsizetype cr = input.count(QLatin1Char('\r'));
  if (lf + cr - crlf == 1) {
    const qsizetype at =
        std::max(input.indexOf(QLatin1Char('\r')), input.indexOf(QLatin1Char('\n')));
    const qsizetype first = crlf == 1 ? at - 1 : at;
    const qsizetype length = crlf == 1 ? 2 : 1;
    input.remove(first, length);
    if (pos > first) pos = static_cast<int>(std::max<qsizetype>(first, pos - length));
  }
  const bool oneLine = !input.contains(QLatin1Char('\n')) && !input.contains(QLatin1Char('\r'));
  return oneLine && ControlTakesText(input.toStdString()) ? Acceptable : Invalid;
}
