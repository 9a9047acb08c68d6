// The temporary program folder and its Shift-JIS CR LF files.
#include "programfolder.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "common/sjis.h"

ProgramFolder::ProgramFolder() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
}

QString ProgramFolder::ProgramPath() const {
  return dir_.filePath(QStringLiteral("horune"));
}

QString ProgramFolder::SettingsPath() const {
  return dir_.filePath(QStringLiteral("horune.dat"));
}

QString ProgramFolder::JwcTempPath() const {
  return dir_.filePath(QStringLiteral("JWC_TEMP.TXT"));
}

QString ProgramFolder::FilePath(const QString& name) const {
  return dir_.filePath(name);
}

void ProgramFolder::WriteLines(const QString& path,
                               const std::vector<std::string>& utf8Lines) const {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write a fixture");
  const std::string bytes = SjisLines(utf8Lines);
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ProgramFolder::ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

void ProgramFolder::WriteHostFile(bool drawingSize) const {
  WriteLines(JwcTempPath(), HostFile(drawingSize));
}
