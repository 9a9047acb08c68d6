// The host's face names and their stand-ins.
#include "text/facenames.h"

#include <algorithm>
#include <cctype>

#include "common/sjis.h"

namespace {

// Only ASCII letters fold: UTF-8 bytes of other characters are all above
// 0x7F, so no part of a Japanese name can match by accident.
bool SameName(const std::string& a, const char* b) {
  const std::string bs(b);
  return a.size() == bs.size() && std::equal(a.begin(), a.end(), bs.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string FaceNameOf(const std::string& sjis) {
  // "@" asks for the vertical forms of the face that follows it.
  const size_t at = sjis.starts_with('@') ? 1 : 0;
  const std::string name = sjis.substr(at);
  const bool bracketed = name.size() >= 2 && name.front() == '<' && name.back() == '>';
  return sjis.substr(0, at) + (bracketed ? name.substr(1, name.size() - 2) : name);
}

std::string SubstituteFace(const std::string& sjisFace) {
  struct Substitute {
    const char* Host;
    const char* Installed;
  };
  static const Substitute kTable[] = {
      {"ＭＳ ゴシック", "IPAGothic"},     {"MS Gothic", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"},  {"MS PGothic", "IPAPGothic"},
      {"ＭＳ ＵＩ Gothic", "IPAPGothic"}, {"MS UI Gothic", "IPAPGothic"},
      {"ＭＳ 明朝", "IPAMincho"},         {"MS Mincho", "IPAMincho"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},      {"MS PMincho", "IPAPMincho"},
      {"メイリオ", "IPAPGothic"},         {"Meiryo", "IPAPGothic"},
  };
  const std::string face = Utf8FromSjis(sjisFace);
  for (const Substitute& s : kTable) {
    if (SameName(face, s.Host)) return s.Installed;
  }
  // Any other face keeps the Japanese glyphs of the closest installed kind.
  std::string lower = face;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const bool mincho =
      face.find("明朝") != std::string::npos || lower.find("mincho") != std::string::npos;
  return mincho ? "IPAMincho" : "IPAGothic";
}
