// The host's face names and the installed faces that stand in for them.
#include "text/facenames.h"

#include <gtest/gtest.h>

#include "common/sjis.h"

namespace {

TEST(FaceNames, HostFacesMapToInstalledJapaneseFaces) {
  const struct {
    const char* stored;
    const char* name;
    const char* substitute;
  } cases[] = {
      {"ＭＳ ゴシック", "ＭＳ ゴシック", "IPAGothic"},
      {"<ＭＳ ゴシック>", "ＭＳ ゴシック", "IPAGothic"},
      {"ＭＳ 明朝", "ＭＳ 明朝", "IPAMincho"},
      {"<ＭＳ Ｐ明朝>", "ＭＳ Ｐ明朝", "IPAPMincho"},
      {"ms pgothic", "ms pgothic", "IPAPGothic"},
      {"HG明朝E", "HG明朝E", "IPAMincho"},
      {"Arial", "Arial", "IPAGothic"},
      {"<>", "", "IPAGothic"},
      {"<", "<", "IPAGothic"},
  };
  for (const auto& c : cases) {
    const std::string name = FaceNameOf(Sjis(c.stored));
    EXPECT_EQ(name, Sjis(c.name)) << c.stored;
    EXPECT_EQ(SubstituteFace(name), c.substitute) << c.stored;
  }
  EXPECT_EQ(FaceNameOf(Sjis("@<ＭＳ 明朝>")), Sjis("@ＭＳ 明朝")) << "vertical, bracketed";
}

}  // namespace
