// One-pixel lines drawn straight into a 32-bit pixel buffer with the GDI
// rules: the first pixel is drawn and the last left out, a line exactly
// between two pixels takes the one GDI takes, a line of no length draws
// nothing, a styled line goes on from the dash position it is given (an
// outline carries it from line to line), and the xor mix toggles every
// pixel exactly once. Coordinates may lie anywhere in the 32-bit range;
// only the part on the buffer is walked.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

struct PixelBuffer {
  uint32_t* Bits = nullptr;  // 0xAARRGGBB, rows from the top
  int64_t Stride = 0;        // pixels from one row to the next
  int32_t Width = 0;
  int32_t Height = 0;
};

// Which pixels of a repeating dash pattern are drawn; empty means solid.
struct LineStyleMask {
  std::vector<uint8_t> On;  // 1 drawn, 0 skipped
};
inline const LineStyleMask kSolidLine;

// The mask of alternating on and off runs, in pixels, starting with on.
LineStyleMask MakeLineStyleMask(std::initializer_list<int> runs);

// Draws from (x1, y1) up to but not including (x2, y2). phase is the dash
// position, in pixels drawn or skipped since the pen was chosen; it is
// advanced by the line's length.
void DrawThinLine(const PixelBuffer& buffer, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  uint32_t argb, bool xorMix, const LineStyleMask& style, int64_t& phase);
