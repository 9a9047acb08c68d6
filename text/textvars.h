// Text variables: a text whose whole text is a variable's name is drawn
// with its value instead, the date and time now or of the drawing file,
// parts of the file name, the title, memos, the scale, or an entry of the
// replacement table. The stored text never changes; only what is drawn.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/clock.h"

struct TStr2List {
  std::string Key;
  std::string Value;
};

// What the variables know of the drawing document. Nothing in this program
// assigns it yet, so it keeps these start values for the whole run.
struct TDocContext {
  std::string DocFileName;  // full path, Shift-JIS
  TDateTime DocFileTime = 0.0;
  std::string DocTitle;
  std::string DocMemo1;
  std::string DocMemo2;
  double DocScale = 0.0;
  double DocScaleDivisor = 0.0;
  std::vector<TStr2List> ReplaceTable;
};

// The one instance of the run.
extern TDocContext DocContext;

// True when the whole text, compared byte for byte, names a variable or
// begins with "%%" (the replacement table); value then holds what to draw,
// as one plain run. False leaves value untouched.
//
// An unknown scale (DocScale or DocScaleDivisor 0, or not a number) is
// taken as 1, so the scale texts read 1/1 rather than dividing by zero.
bool ExpandTextVariable(std::string_view text, std::string& value);

// MostValueBytes of a value that may be of any length.
inline constexpr size_t kAnyValueBytes = std::numeric_limits<size_t>::max();

// The most bytes ExpandTextVariable can give for the text, whatever the
// clock says, known without asking it, so a text's box can hold its value;
// none for a text that names no variable. kAnyValueBytes where the
// document context gives the value (the title, the memos, the file's name
// and path, the replacement table): the context may change between two
// redraws while the store does not.
std::optional<size_t> MostValueBytes(std::string_view text);
