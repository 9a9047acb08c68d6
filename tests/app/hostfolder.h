// A temporary program folder for the window's tests: the host's
// JWC_TEMP.TXT and the settings file beside a program path that is never
// run, and the Shift-JIS CR LF files written there.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "exchange/tablefile.h"

class HostFolder {
 public:
  HostFolder();
  ~HostFolder();
  HostFolder(const HostFolder&) = delete;
  HostFolder& operator=(const HostFolder&) = delete;

  std::filesystem::path ProgramPath() const { return dir_ / "horune"; }
  std::filesystem::path SettingsPath() const { return dir_ / "horune.dat"; }
  std::filesystem::path JwcTempPath() const { return dir_ / "JWC_TEMP.TXT"; }
  std::filesystem::path Path(const std::string& utf8Name) const;

  // JWC_TEMP.TXT as HostFile makes it.
  void WriteHostFile(bool drawingSize = false) const;

 private:
  std::filesystem::path dir_;
};

// Writes UTF-8 lines as Shift-JIS with CR LF after each.
void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& utf8Lines);
// The whole file; empty when it is missing.
std::string ReadBytes(const std::filesystem::path& path);

// UTF-8 lines as Shift-JIS bytes, each followed by CR LF.
std::string SjisLines(const std::vector<std::string>& utf8Lines);

// A small host file: header lines, the host's current attributes (layer
// group 1, layer 3, colour 2, line type 1, width 0, text kind 3, a font),
// one line and one text; with "bz" when drawingSize is set.
std::vector<std::string> HostFile(bool drawingSize);

// HostFile with `lines` more lines after it, a redraw of many slices.
std::vector<std::string> LongHostFile(int lines);

// Shift-JIS rows from UTF-8 ones.
std::vector<TTableRow> SjisRows(const std::vector<TTableRow>& utf8Rows);
