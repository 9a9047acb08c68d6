// Reads the size out of an image reference's text.
#include "exchange/imagereftext.h"

#include "common/numbers.h"

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
