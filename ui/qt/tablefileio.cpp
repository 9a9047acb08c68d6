// The settings and table files read whole and written through QSaveFile.
#include "ui/qt/tablefileio.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <string_view>

#include "common/sjis.h"

std::optional<TTableFile> ReadTableFile(const QString& path) {
  QFile file(path);
  if (!file.exists() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  return ParseTableFile(std::string_view(bytes.constData(), bytes.size()));
}

bool WriteTableFile(const QString& path, const TTableFile& table) {
  const std::string bytes = FormatTableFile(table);
  // Written beside the old file and renamed over it only when complete. The
  // explicit flush matters: commit() does not notice an error while it
  // writes out the buffer (a full disk), and would rename a cut file over
  // the good one.
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
             static_cast<qint64>(bytes.size()) &&
         file.flush() && file.commit();
}

std::string PathToSjis(const QString& path) {
  const std::string utf8 = path.toStdString();
  return SjisCanEncode(utf8) ? SjisFromUtf8(utf8) : std::string();
}
