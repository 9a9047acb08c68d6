// Reads the size out of an image reference's text and draws its hatched box.
#include "text/imageref.h"

#include "common/myfunc.h"
#include "preview/draw.h"
#include "preview/previewcoords.h"

namespace {

// The number up to the next comma, or in all of the rest.
double NumberBeforeComma(std::string_view t) {
  return TextToReal(t.substr(0, t.find(',')));
}

}  // namespace

bool IsImageRef(std::string_view text) {
  return text.starts_with("^@BM") && text.find(',') != std::string_view::npos;
}

bool ParseImageRef(std::string_view text, double& w, double& h) {
  if (!IsImageRef(text)) return false;
  const std::string_view rest = text.substr(text.find(',') + 1);
  const size_t second = rest.find(',');
  w = NumberBeforeComma(rest);
  h = second == std::string_view::npos ? w : NumberBeforeComma(rest.substr(second + 1));
  return true;
}

void DrawImageRef(Canvas& canvas, const TJwwEntText& record, int32_t colorOverride) {
  double w = 0.0;
  double h = 0.0;
  if (!ParseImageRef(record.Text, w, h)) return;
  const double s = PreviewDivisor(record.Head);
  const double x1 = record.X / s;
  const double y1 = record.Y / s;
  const int32_t flatLayer = FlatLayer(record.Head);
  SetEntityPen(canvas, flatLayer, record.Head.Color, 1);
  SetEntityBrush(canvas, flatLayer, record.Head.Color, 5);
  if (colorOverride >= 0) {
    SetPenColor(canvas, static_cast<TColor>(colorOverride));
    SetBrushColor(canvas, static_cast<TColor>(colorOverride));
  }
  WorldBox(canvas, x1, y1, x1 + w, y1 + h);
}
