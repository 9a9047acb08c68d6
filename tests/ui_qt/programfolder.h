// A temporary program folder for window tests: the host's JWC_TEMP.TXT and
// the settings file beside a program path that is never run, and helpers to
// write and read the Shift-JIS CR LF files there.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

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

// UTF-8 lines as Shift-JIS bytes, each followed by CR LF.
std::string SjisLines(const std::vector<std::string>& utf8Lines);

// A small host file: header lines, the host's current attributes (layer
// group 1, layer 3, colour 2, line type 1, width 0, text kind 3, a font),
// one line and one text; with "bz" when drawingSize is set.
std::vector<std::string> HostFile(bool drawingSize);
