// Feeds arbitrary texts and text records to the text chain: marks at the
// end, variables at any clock value, control codes, image references and
// marker codes, all drawn through the recording canvas. Every glyph must be
// one whole character at a pixel the canvas can hold, and every font sane.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/sjischars.h"
#include "exchange/store.h"
#include "preview/gval.h"
#include "tests/preview/recording_canvas.h"
#include "text/clock.h"
#include "text/imageref.h"
#include "text/pointmarker.h"
#include "text/textdraw.h"
#include "text/textvars.h"

namespace {

constexpr size_t kHeader = 16;
constexpr size_t kMaxText = 4096;

void Check(bool ok) {
  if (!ok) std::abort();
}

// A small signed value in quarter units from one byte.
double Quarter(uint8_t b) {
  return static_cast<int8_t>(b) / 4.0;
}

void CheckCalls(const RecordingCanvas& canvas, size_t textBytes) {
  size_t glyphs = 0;
  for (const RecordedCall& c : canvas.Calls()) {
    if (c.Name == "SetFont") {
      Check(c.Ints[0] >= 0 && c.Ints[1] >= 0);  // height and width
      Check(c.Text.size() <= 31);
    } else if (c.Name == "TextOut") {
      ++glyphs;
      Check(c.Text.size() == 1 || c.Text.size() == 2);
      Check((c.Text.size() == 2) == LeadByte(static_cast<unsigned char>(c.Text[0])));
      for (size_t i = 0; i < 2; ++i) {
        Check(std::llabs(c.Ints[i]) <= int64_t{kScreenLimit} + Gval.ViewHeight);
      }
    }
  }
  // A variable's value is short; anything else draws at most its bytes.
  Check(glyphs <= textBytes + 64);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeader || size > kHeader + kMaxText) return 0;
  const std::string text(reinterpret_cast<const char*>(data + kHeader), size - kHeader);

  InitStore();
  CreateGraAttribute();
  Gval.ViewWidth = 200;
  Gval.ViewHeight = 100;
  Gval.ViewScale = std::ldexp(1.0, (data[0] % 64) - 32);
  Gval.ViewMinX = Gval.ViewMinY = -100 / Gval.ViewScale;
  Gval.ViewMaxX = Gval.ViewMinX + 200 / Gval.ViewScale;
  Gval.ViewMaxY = Gval.ViewMinY + 100 / Gval.ViewScale;

  double now = 0.0;
  std::memcpy(&now, data + 8, sizeof now);
  SetClock([now] { return now; });
  DocContext = {};
  DocContext.DocFileName = text;
  DocContext.DocFileTime = now;
  DocContext.DocScale = Quarter(data[1]);
  DocContext.DocScaleDivisor = Quarter(data[2]);

  TJwwEntText t{};
  t.Head = {data[3] % 16, 0, data[3] / 16, 1, 0, 0};
  t.TextAnchor = data[4] % 12;
  t.TextCmd = data[5] % 2;
  t.Width = Quarter(data[5]);
  t.Height = Quarter(data[6]);
  t.Spacing = Quarter(data[7]);
  t.DX = Quarter(data[1]);
  t.DY = Quarter(data[2]);
  t.FontName = (data[4] & 0x10) != 0 ? "@@F" : "F";
  t.Text = text;

  RecordingCanvas canvas(200, 100);
  DrawImageRef(canvas, t, -1);
  DrawTextEntity(canvas, t, (data[4] & 0x20) != 0 ? 0x123456 : -1);
  CheckCalls(canvas, text.size());
  std::string value;
  ExpandTextVariable(text, value);
  DrawPointMarker(canvas, static_cast<int8_t>(data[3]), t.Width, t.Height, t.Spacing,
                  Quarter(data[7]), 0, data[6] % 12, -1, data[7]);
  SetClock({});
  return 0;
}
