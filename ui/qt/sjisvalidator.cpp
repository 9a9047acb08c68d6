// The validator that keeps every typed text inside the Shift-JIS code page.
#include "ui/qt/sjisvalidator.h"

#include "common/sjis.h"

SjisValidator::SjisValidator(QObject* parent) : QValidator(parent) {}

QValidator::State SjisValidator::validate(QString& input, int& /*pos*/) const {
  const bool oneLine = !input.contains(QLatin1Char('\n')) && !input.contains(QLatin1Char('\r'));
  return oneLine && SjisCanEncode(input.toStdString()) ? Acceptable : Invalid;
}
