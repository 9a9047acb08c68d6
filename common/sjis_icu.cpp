// The Shift-JIS codec over ICU's CP932 converter, with this tool's own
// replacement characters in both directions.
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <memory>

#include "common/cp932bytes.h"
#include "common/sjis.h"

namespace {

struct CloseConverter {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, CloseConverter>;

// What the callbacks report back: whether a character had to be replaced.
struct Substitutions {
  bool any = false;
};

// A character CP932 cannot hold becomes "?", as the header promises.
void WriteQuestionMark(const void* context, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                       UChar32, UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;
  static_cast<Substitutions*>(const_cast<void*>(context))->any = true;
  *err = U_ZERO_ERROR;
  ucnv_cbFromUWriteBytes(args, "?", 1, 0, err);
}

// Bytes that are no character become U+FFFD; ICU's own choice for CP932
// would be U+001A for a single byte.
void WriteReplacement(const void* context, UConverterToUnicodeArgs* args, const char*, int32_t,
                      UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;
  static_cast<Substitutions*>(const_cast<void*>(context))->any = true;
  *err = U_ZERO_ERROR;
  static constexpr UChar kReplacement = 0xFFFD;
  ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, err);
}

// The two converters, opened once on each thread that converts (a converter
// holds the state of the conversion under way): Microsoft's CP932 (NEC and IBM
// extensions, U+FF5E for 0x8160) and UTF-8.
struct Codec {
  ConverterPtr cp932;
  ConverterPtr utf8;
  Substitutions substitutions;

  Codec() {
    UErrorCode err = U_ZERO_ERROR;
    cp932.reset(ucnv_open("windows-31j", &err));
    err = U_ZERO_ERROR;
    utf8.reset(ucnv_open("UTF-8", &err));
    if (!cp932 || !utf8) return;
    // Best fit as Windows does it: U+2212 minus and U+301C wave dash, typed
    // on other systems, still reach their CP932 look-alikes.
    ucnv_setFallback(cp932.get(), true);
    err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(cp932.get(), WriteQuestionMark, &substitutions, nullptr, nullptr, &err);
    err = U_ZERO_ERROR;
    ucnv_setToUCallBack(cp932.get(), WriteReplacement, &substitutions, nullptr, nullptr, &err);
    // Malformed UTF-8 counts as a character CP932 cannot hold.
    err = U_ZERO_ERROR;
    ucnv_setToUCallBack(utf8.get(), WriteReplacement, &substitutions, nullptr, nullptr, &err);
  }
};

Codec& TheCodec() {
  thread_local Codec codec;
  return codec;
}

// Appends the conversion of one run of non-ASCII text; the caller bounds
// the growth with maxGrowth output bytes per input byte. A converter that
// could not be opened turns the run into the replacement.
void ConvertRun(UConverter* to, UConverter* from, std::string_view run, int maxGrowth,
                std::string_view replacement, std::string& out) {
  Codec& codec = TheCodec();
  const size_t before = out.size();
  out.resize(before + run.size() * maxGrowth);
  char* target = out.data() + before;
  const char* source = run.data();
  UChar pivot[256];
  UChar* pivotSource = pivot;
  UChar* pivotTarget = pivot;
  UErrorCode err = U_ZERO_ERROR;
  ucnv_convertEx(to, from, &target, out.data() + out.size(), &source, run.data() + run.size(),
                 pivot, &pivotSource, &pivotTarget, pivot + 256, true, true, &err);
  if (U_FAILURE(err)) {
    out.resize(before);
    out.append(replacement);
    codec.substitutions.any = true;
    return;
  }
  out.resize(target - out.data());
}

// End of the run of non-ASCII characters starting at i.
size_t SjisRunEnd(std::string_view t, size_t i) {
  while (i < t.size() && !IsAscii(t[i])) i += Cp932CharLength(t, i);
  return i;
}

size_t Utf8RunEnd(std::string_view t, size_t i) {
  while (i < t.size() && !IsAscii(t[i])) ++i;
  return i;
}

// ASCII is copied as it stands: ICU's CP932 table swaps the control codes
// 0x1A, 0x1C and 0x7F the IBM way, Windows keeps them. The rest goes to the
// converter run by run.
template <typename RunEnd>
std::string Convert(std::string_view in, UConverter* to, UConverter* from, int maxGrowth,
                    std::string_view replacement, RunEnd runEnd) {
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size();) {
    size_t j = i;
    if (IsAscii(in[i])) {
      while (j < in.size() && IsAscii(in[j])) ++j;
      out.append(in.substr(i, j - i));
    } else {
      j = runEnd(in, i);
      ConvertRun(to, from, in.substr(i, j - i), maxGrowth, replacement, out);
    }
    i = j;
  }
  return out;
}

}  // namespace

std::string SjisFromUtf8(std::string_view utf8) {
  Codec& codec = TheCodec();
  // A UTF-8 byte never yields more than two CP932 bytes.
  return Convert(utf8, codec.cp932.get(), codec.utf8.get(), 2, "?", Utf8RunEnd);
}

std::string Utf8FromSjis(std::string_view sjis) {
  Codec& codec = TheCodec();
  // A CP932 byte never yields more than three UTF-8 bytes (U+FFFD included).
  return Convert(sjis, codec.utf8.get(), codec.cp932.get(), 3, "\xEF\xBF\xBD", SjisRunEnd);
}

bool SjisCanEncode(std::string_view utf8) {
  Codec& codec = TheCodec();
  codec.substitutions.any = false;
  SjisFromUtf8(utf8);
  return !codec.substitutions.any;
}
