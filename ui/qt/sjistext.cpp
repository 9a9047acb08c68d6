// Shift-JIS to QString through the common codec.
#include "ui/qt/sjistext.h"

#include "common/sjis.h"

QString QStringFromSjis(std::string_view sjis) {
  return QString::fromStdString(Utf8FromSjis(sjis));
}
