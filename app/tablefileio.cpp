// The Shift-JIS of a kept path, by the codec of the core.
#include "app/tablefileio.h"

#include "common/sjis.h"

std::string PathToSjis(const QString& path) {
  const std::string utf8 = path.toStdString();
  return SjisCanEncode(utf8) ? SjisFromUtf8(utf8) : std::string();
}
