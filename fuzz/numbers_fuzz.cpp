// Feeds arbitrary bytes to the number parsers, the Shift-JIS text helpers and
// the codec, and checks what must hold for any input.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/numbers.h"
#include "common/realformat.h"
#include "common/sjis.h"
#include "common/sjischars.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool EndsInLoneLead(std::string_view t) {
  size_t i = 0;
  size_t last = 0;
  while (i < t.size()) {
    last = i;
    i += LeadByte(static_cast<unsigned char>(t[i])) ? 2 : 1;
  }
  return !t.empty() && i > t.size() && last == t.size() - 1;
}

void CheckNumbers(std::string_view t) {
  const int32_t i = TextToInt(t);
  Check(TextToInt(std::to_string(i)) == i);

  const double v = TextToReal(t);
  Check(std::isfinite(v));
  // The padding is the text's own bytes again: digits and points that the
  // padded reader must not take for part of the number.
  const std::string padded = std::string(t) + std::string(t) + std::string(kRealPadding, '7');
  Check(std::bit_cast<uint64_t>(TextToRealPadded(std::string_view(padded).substr(0, t.size()))) ==
        std::bit_cast<uint64_t>(v));
  // Subnormals carry fewer than 15 digits, so only normal values must keep them.
  if (v != 0 && std::fabs(v) < 1e-300) return;
  const std::string text = FormatReal(v);
  const double back = TextToReal(text);
  Check(FormatReal(back) == text);
  Check(std::fabs(back - v) <= 5.2e-15 * std::fabs(v));
}

void CheckText(std::string_view t, int start, int n) {
  const std::string stripped = StripBlanks(t);
  Check(stripped.size() <= t.size());
  Check(StripBlanks(stripped) == stripped);

  int taken = -1;
  const std::string bytes = CopyBytes(t, start, n, taken);
  Check(taken == static_cast<int>(bytes.size()));
  Check(bytes.empty() || t.substr(start - 1, n).find(bytes) != std::string_view::npos);

  const int count = CharCount(t);
  Check(count >= 0 && static_cast<size_t>(count) <= t.size());
  Check(CopyChars(t, 1, count) == t);
  const std::string chars = CopyChars(t, start, n);
  Check(t.find(chars) != std::string_view::npos);
  Check(!EndsInLoneLead(chars) || (EndsInLoneLead(t) && t.ends_with(chars)));

  const double span = TextSpan(t, 2, 1);
  Check(span >= 0 && span <= 3.0 * count);
}

void CheckCodec(std::string_view t) {
  // Decoded text is canonical: it encodes without loss and decodes the same,
  // unless it carries a replacement for broken bytes.
  const std::string utf8 = Utf8FromSjis(t);
  if (utf8.find("\xEF\xBF\xBD") == std::string::npos) {
    Check(SjisCanEncode(utf8));
    Check(Utf8FromSjis(SjisFromUtf8(utf8)) == utf8);
  }
  if (SjisCanEncode(t)) {
    const std::string sjis = SjisFromUtf8(t);
    Check(Utf8FromSjis(sjis).find("\xEF\xBF\xBD") == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the range for the substring helpers.
  const int start = static_cast<int8_t>(data[0]);
  const int n = static_cast<int8_t>(data[1]);
  const std::string_view t(reinterpret_cast<const char*>(data) + 2, size - 2);
  CheckNumbers(t);
  CheckText(t, start, n);
  CheckCodec(t);
  return 0;
}
