// Formats each canvas call as its line and keeps its numbers beside it.
#include "tests/preview/recording_canvas.h"

#include <array>
#include <initializer_list>
#include <utility>

#include "common/sjis.h"

namespace {

constexpr std::array<const char*, 6> kPenStyleNames = {"solid",   "dash",       "dot",
                                                       "dashdot", "dashdotdot", "null"};
constexpr std::array<const char*, 2> kMixNames = {"copy", "xor"};
constexpr std::array<const char*, 8> kBrushStyleNames = {
    "hollow", "solid", "horizontal", "vertical", "fdiagonal", "bdiagonal", "cross", "diagcross"};

std::string PointsText(std::span<const ScreenPoint> points, std::vector<int64_t>& ints) {
  std::string text;
  for (const ScreenPoint& p : points) {
    if (!text.empty()) text += ", ";
    text += std::to_string(p.x) + " " + std::to_string(p.y);
    ints.push_back(p.x);
    ints.push_back(p.y);
  }
  return text;
}

// The numbers separated by blanks.
std::string Joined(std::initializer_list<int64_t> values) {
  std::string text;
  for (int64_t v : values) {
    if (!text.empty()) text += " ";
    text += std::to_string(v);
  }
  return text;
}

std::string Quoted(const std::string& sjis) {
  std::string text = Utf8FromSjis(sjis);
  text.insert(text.begin(), '"');
  text += '"';
  return text;
}

}  // namespace

std::string ColorText(TColor color) {
  return "rgb(" + std::to_string(color & 0xFF) + "," + std::to_string((color >> 8) & 0xFF) + "," +
         std::to_string((color >> 16) & 0xFF) + ")";
}

RecordingCanvas::RecordingCanvas(int32_t width, int32_t height) : width_(width), height_(height) {}

std::vector<std::string> RecordingCanvas::LinesStartingWith(std::string_view prefix) const {
  std::vector<std::string> out;
  for (const std::string& line : lines_) {
    if (line.starts_with(prefix)) out.push_back(line);
  }
  return out;
}

std::string RecordingCanvas::Dump() const {
  std::string out;
  for (const std::string& line : lines_) out += line + "\n";
  return out;
}

void RecordingCanvas::Clear() {
  lines_.clear();
  calls_.clear();
}

void RecordingCanvas::Append(const RecordingCanvas& other) {
  lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
  calls_.insert(calls_.end(), other.calls_.begin(), other.calls_.end());
  if (other.lines_.empty()) return;
  pen_ = other.pen_;
  brush_ = other.brush_;
}

void RecordingCanvas::Record(std::string line, std::vector<int64_t> ints, std::string text) {
  std::string name = line.substr(0, line.find(' '));
  lines_.push_back(std::move(line));
  calls_.push_back({std::move(name), std::move(ints), std::move(text)});
}

void RecordingCanvas::SetPen(const Pen& pen) {
  pen_ = pen;
  Record("SetPen " + ColorText(pen.Color) + " w" + std::to_string(pen.Width) + " " +
             kPenStyleNames[static_cast<size_t>(pen.Style)] + " " +
             kMixNames[static_cast<size_t>(pen.Mix)],
         {pen.Color, pen.Width, static_cast<int64_t>(pen.Style), static_cast<int64_t>(pen.Mix)});
}

void RecordingCanvas::SetBrush(const Brush& brush) {
  brush_ = brush;
  Record("SetBrush " + ColorText(brush.Color) + " " +
             kBrushStyleNames[static_cast<size_t>(brush.Style)],
         {brush.Color, static_cast<int64_t>(brush.Style)});
}

void RecordingCanvas::MoveTo(int32_t x, int32_t y) {
  Record("MoveTo " + Joined({x, y}), {x, y});
}

void RecordingCanvas::LineTo(int32_t x, int32_t y) {
  Record("LineTo " + Joined({x, y}), {x, y});
}

void RecordingCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  Record("SetPixel " + Joined({x, y}) + " " + ColorText(color), {x, y, color});
}

void RecordingCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Record("Rectangle " + Joined({x1, y1, x2, y2}), {x1, y1, x2, y2});
}

void RecordingCanvas::Polyline(std::span<const ScreenPoint> points) {
  RecordPoints("Polyline ", points);
}

void RecordingCanvas::Polygon(std::span<const ScreenPoint> points) {
  RecordPoints("Polygon ", points);
}

void RecordingCanvas::RecordPoints(const std::string& prefix, std::span<const ScreenPoint> points) {
  std::vector<int64_t> ints;
  std::string text = PointsText(points, ints);
  Record(prefix + text, std::move(ints));
}

void RecordingCanvas::SetFont(const LogFont& font) {
  std::string flags = std::string(font.Italic ? "I" : "i") + (font.Underline ? "U" : "u") +
                      (font.StrikeOut ? "S" : "s");
  Record("SetFont h" + std::to_string(font.Height) + " w" + std::to_string(font.Width) + " e" +
             std::to_string(font.Escapement) + " o" + std::to_string(font.Orientation) + " wt" +
             std::to_string(font.Weight) + " cs" + std::to_string(font.CharSet) + " " + flags +
             " " + Quoted(font.FaceName),
         {font.Height, font.Width, font.Escapement, font.Orientation, font.Weight, font.Italic,
          font.Underline, font.StrikeOut, font.CharSet},
         font.FaceName);
}

void RecordingCanvas::SetTextColor(TColor color) {
  Record("SetTextColor " + ColorText(color), {color});
}

void RecordingCanvas::TextOut(int32_t x, int32_t y, const std::string& glyph) {
  Record("TextOut " + Joined({x, y}) + " " + Quoted(glyph), {x, y}, glyph);
}

Bitmap RecordingCanvas::CopyToBitmap() {
  Record("CopyToBitmap", {});
  return {width_, height_, std::vector<TColor>(static_cast<size_t>(width_) * height_)};
}

void RecordingCanvas::DrawBitmap(int32_t x, int32_t y, const Bitmap& bitmap) {
  Record("DrawBitmap " + Joined({x, y}) + " " + std::to_string(bitmap.Width) + "x" +
             std::to_string(bitmap.Height),
         {x, y, bitmap.Width, bitmap.Height});
}
