#include "app/sjisvalidator.h"

#include "common/sjis.h"

SjisValidator::SjisValidator(QObject* parent) : QValidator(parent) {}

QValidator::State SjisValidator::validate(QString& input, int& /*pos*/) const {
  return SjisCanEncode(input.toStdString()) ? Acceptable : Invalid;
}
