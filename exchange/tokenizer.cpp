// The tokeniser of JWC_TEMP.TXT's lines: plain lines cut where they stand, 64
// bytes at a time, and the full rules byte by byte for any other line.
#include "exchange/tokenizer.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "common/simd.h"
#include "common/sjischars.h"

namespace {

// What the tokeniser does with one byte.
enum class ByteAction : uint8_t { Append, Separate, Quote, Equals, Pair, Drop };

using ByteActions = std::array<ByteAction, 256>;

// The actions while splitting is on (splitting) or after a quote or "=" has
// switched it off for the rest of the line.
constexpr ByteActions MakeByteActions(bool splitting) {
  ByteActions a{};
  for (int b = 0; b < 256; ++b) {
    if (LeadByte(static_cast<unsigned char>(b))) {
      a[b] = ByteAction::Pair;
    } else if (splitting && (b == ' ' || b == '\t')) {
      a[b] = ByteAction::Separate;
    } else if (splitting && b == '"') {
      a[b] = ByteAction::Quote;
    } else if (splitting && b == '=') {
      a[b] = ByteAction::Equals;
    } else if (b >= 0x20 && b <= 0xFD) {
      a[b] = ByteAction::Append;
    } else {
      a[b] = ByteAction::Drop;
    }
  }
  return a;
}

constexpr ByteActions kSplitting = MakeByteActions(true);
constexpr ByteActions kJoined = MakeByteActions(false);

// The full rules, for lines with quotes, "=", Shift-JIS or control bytes:
// the token bytes are gathered in buffer, without the dropped ones, and
// padded as a line is.
void TokenizeGathering(std::string_view line, std::string& buffer, TJwcTokens& tokens) {
  if (buffer.size() < line.size() + kJwcLinePadding) buffer.resize(line.size() + kJwcLinePadding);
  char* const out = buffer.data();
  const auto* in = reinterpret_cast<const unsigned char*>(line.data());
  const size_t len = line.size();
  const ByteActions* actions = &kSplitting;
  size_t w = 0;
  size_t start = 0;
  int n = 0;
  for (size_t i = 0; i < len; ++i) {
    const unsigned char b = in[i];
    switch ((*actions)[b]) {
      case ByteAction::Append:
        out[w++] = static_cast<char>(b);
        break;
      case ByteAction::Pair:
        // A lead byte in the last position has no character to form.
        if (i + 1 == len) break;
        out[w++] = static_cast<char>(b);
        out[w++] = static_cast<char>(in[++i]);
        break;
      case ByteAction::Quote:
        actions = &kJoined;
        break;
      case ByteAction::Equals:
        out[w++] = '=';
        actions = &kJoined;
        break;
      case ByteAction::Separate:
        if (w == start) break;
        tokens.T[n++] = std::string_view(out + start, w - start);
        start = w;
        if (n == kMaxJwcTokens) {
          tokens.N = n;
          return;
        }
        break;
      case ByteAction::Drop:
        break;
    }
  }
  tokens.T[n] = std::string_view(out + start, w - start);
  tokens.N = n + 1;
}

// The bytes of a window, one bit each, the first byte in the lowest bit. A
// plain byte is printable ASCII without the blank, the quote and "=", a
// separator a blank or a tab.
struct TWindowMasks {
  uint64_t Plain;
  uint64_t Separator;
};

constexpr size_t kWindow = 64;

// Which of the 64 bytes at p are plain bytes and which separators, sixteen
// a step where SSE2 is at hand (every x86-64 processor).
TWindowMasks ClassifyWindow(const unsigned char* p) {
  TWindowMasks m{0, 0};
#if HORUNE_SSE2
  const __m128i space = _mm_set1_epi8(' ');
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i del = _mm_set1_epi8(0x7F);
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i equals = _mm_set1_epi8('=');
  for (size_t i = 0; i < kWindow; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    // Signed: bytes from 0x80 up are below the space.
    const __m128i printable = _mm_and_si128(_mm_cmpgt_epi8(x, space), _mm_cmplt_epi8(x, del));
    const __m128i special = _mm_or_si128(_mm_cmpeq_epi8(x, quote), _mm_cmpeq_epi8(x, equals));
    const __m128i separator = _mm_or_si128(_mm_cmpeq_epi8(x, space), _mm_cmpeq_epi8(x, tab));
    m.Plain |=
        uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_andnot_si128(special, printable)))}
        << i;
    m.Separator |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(separator))} << i;
  }
#else
  for (size_t i = 0; i < kWindow; ++i) {
    const unsigned char b = p[i];
    m.Plain |= uint64_t{b > 0x20 && b < 0x7F && b != '"' && b != '='} << i;
    m.Separator |= uint64_t{b == ' ' || b == '\t'} << i;
  }
#endif
  return m;
}

}  // namespace

// The bytes are looked at 64 at a time: a token begins and ends where the
// plain bits change, so the work goes by tokens, not by bytes. The last
// window of bytes is copied out first, with zeros after it that end it.
size_t CutPlainJwcTokens(std::string_view bytes, TJwcTokens& tokens) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t len = bytes.size();
  const auto token = [&bytes](size_t from, size_t to) {
    return std::string_view(bytes.data() + from, to - from);
  };
  int n = 0;
  bool inToken = false;
  size_t start = 0;
  std::array<unsigned char, kWindow> last;
  for (size_t base = 0;; base += kWindow) {
    const unsigned char* window = in + base;
    if (len - base < kWindow) {
      last.fill(0);
      if (len > base) std::memcpy(last.data(), window, len - base);
      window = last.data();
    }
    const TWindowMasks m = ClassifyWindow(window);
    const uint64_t others = ~(m.Plain | m.Separator);
    const int stop = std::countr_zero(others);
    const uint64_t before = stop == 64 ? ~uint64_t{0} : (uint64_t{1} << stop) - 1;
    const uint64_t plain = m.Plain & before;
    // Bit j is set where byte j is plain and byte j - 1 was not, or the
    // other way round: a token's first byte or the separator after it.
    uint64_t edges = (plain ^ ((plain << 1) | uint64_t{inToken})) & before;
    for (; edges != 0; edges &= edges - 1) {
      const size_t at = base + static_cast<size_t>(std::countr_zero(edges));
      if (inToken) {
        tokens.T[n++] = token(start, at);
        if (n == kMaxJwcTokens) {
          tokens.N = n;
          return at;
        }
      } else {
        start = at;
      }
      inToken = !inToken;
    }
    if (stop < 64) {
      const size_t end = base + static_cast<size_t>(stop);
      tokens.T[n] = inToken ? token(start, end) : token(end, end);
      tokens.N = n + 1;
      return end;
    }
  }
}

void TokenizeJwcLine(std::string_view line, std::string& buffer, TJwcTokens& tokens) {
  if (CutPlainJwcTokens(line, tokens) != line.size()) TokenizeGathering(line, buffer, tokens);
}
