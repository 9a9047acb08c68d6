// A temporary program folder for window tests: the host's JWC_TEMP.TXT and
// the settings file beside a program path that is never run, and helpers to
// write and read the Shift-JIS CR LF files there.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "tests/app/hostfolder.h"

class ProgramFolder {
 public:
  ProgramFolder();

  // The program file MainWindow is given; its folder is the temporary one.
  QString ProgramPath() const;
  QString SettingsPath() const;
  QString JwcTempPath() const;
  QString FilePath(const QString& name) const;

  // Writes UTF-8 lines as Shift-JIS with CR LF after each.
  void WriteLines(const QString& path, const std::vector<std::string>& utf8Lines) const;
  // JWC_TEMP.TXT as HostFile makes it.
  void WriteHostFile(bool drawingSize = false) const;
  // The whole file as Shift-JIS bytes; empty when it is missing.
  static std::string ReadBytes(const QString& path);

 private:
  QTemporaryDir dir_;
};
