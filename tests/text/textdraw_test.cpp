// The text chain on the recording canvas: where each glyph lands and which
// font it is drawn in, for the anchors, vertical writing, negative widths,
// the marks at a text's end and the half-turned faces.
#include "text/textdraw.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "common/sjis.h"
#include "tests/text/text_fixture.h"
#include "text/clock.h"
#include "text/imageref.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using TextDrawTest = TextTest;

const std::string kFontAt0 = "SetFont h3 w2 e0 o0 wt400 cs1 ius \"F\"";

TEST_F(TextDrawTest, AnchorsMoveTheStartByTheSpanAndHeight) {
  // Width 4, spacing 1, height 3, two half-width letters: span 4.5.
  struct Case {
    int Anchor;
    double DX, DY;
    std::vector<std::string> Want;
  };
  const Case cases[] = {
      {0, 1, 0, {kFontAt0, "TextOut 50 47 \"A\"", "TextOut 52 47 \"B\""}},
      // Start (47.75, 48.5): the glyph's top-left (47.75, 51.5), halves to even.
      {4, 1, 0, {kFontAt0, "TextOut 48 48 \"A\"", "TextOut 50 48 \"B\""}},
      {8, 1, 0, {kFontAt0, "TextOut 46 50 \"A\"", "TextOut 48 50 \"B\""}},
      {9, 1, 0, {kFontAt0, "TextOut 50 47 \"A\"", "TextOut 52 47 \"B\""}},
      // Turned a quarter: the offset (-2.25, -1.5) becomes (1.5, -2.25).
      {4,
       0,
       1,
       {"SetFont h3 w2 e900 o0 wt400 cs1 ius \"F\"", "TextOut 48 52 \"A\"", "TextOut 48 50 \"B\""}},
  };
  for (const Case& c : cases) {
    canvas.Clear();
    TJwwEntText t = TextRecord("AB", 50, 50, 4, 3, 1);
    t.TextAnchor = c.Anchor;
    t.DX = c.DX;
    t.DY = c.DY;
    DrawTextEntity(canvas, t, -1);
    EXPECT_THAT(Glyphs(), ElementsAreArray(c.Want)) << "anchor " << c.Anchor;
  }
}

TEST_F(TextDrawTest, VerticalTextSwapsTheCellAndAsksForTheVerticalFace) {
  TJwwEntText t = TextRecord(Sjis("縦"), 50, 50, 4, 6);
  t.TextCmd = 1;
  t.FontName = Sjis("ＭＳ ゴシック");
  DrawTextEntity(canvas, t, -1);
  EXPECT_THAT(Glyphs(), ElementsAre("SetFont h4 w3 e0 o0 wt400 cs1 ius \"@ＭＳ ゴシック\"",
                                    "TextOut 50 46 \"縦\""));
}

TEST_F(TextDrawTest, GroupScaleMovesTheTextButNotItsCell) {
  JwwStore.GroupScale[2] = 100;
  TJwwEntText t = TextRecord("A", 5000, 5000);
  t.Head.LayerGroup = 2;
  DrawTextEntity(canvas, t, -1);
  EXPECT_THAT(Glyphs(), ElementsAre(kFontAt0, "TextOut 50 47 \"A\""));
}

TEST_F(TextDrawTest, NegativeWidthRunsBackFromTheEndPoint) {
  // From (51, 50) towards pi, spacing -1: each letter 1.5 further left.
  DrawTextEntity(canvas, TextRecord("AB", 50, 50, -4, 3, 1), -1);
  EXPECT_THAT(Glyphs(), ElementsAre("SetFont h3 w2 e1800 o0 wt400 cs1 ius \"F\"",
                                    "TextOut 51 53 \"A\"", "TextOut 50 53 \"B\""));
}

TEST_F(TextDrawTest, MarksAtTheEndSpreadOrSqueezeTheText) {
  struct Case {
    std::string Text;
    std::vector<std::string> Want;
  };
  const std::string squeezed = "SetFont h3 w1 e0 o0 wt400 cs1 ius \"F\"";
  const Case cases[] = {
      // Two dots spread the letters: spacing 16, so B starts 10 after A.
      {"AB" + Sjis("・・"), {kFontAt0, "TextOut 10 47 \"A\"", "TextOut 20 47 \"B\""}},
      // A final half-width dot: spacing 2 x (2 + 0) / 1 = 4.
      {"AB\xA5", {kFontAt0, "TextOut 10 47 \"A\"", "TextOut 14 47 \"B\""}},
      // "^2" after four letters: cell width and spacing times 2/4.
      {"ABCD^2",
       {squeezed, "TextOut 10 47 \"A\"", "TextOut 11 47 \"B\"", "TextOut 12 47 \"C\"",
        "TextOut 13 47 \"D\""}},
      // "^9" leaves too little: full size, the mark dropped.
      {"ABCD^9",
       {kFontAt0, "TextOut 10 47 \"A\"", "TextOut 12 47 \"B\"", "TextOut 14 47 \"C\"",
        "TextOut 16 47 \"D\""}},
      // A lone lead byte at the end is no character.
      {"AB\x88", {kFontAt0, "TextOut 10 47 \"A\"", "TextOut 12 47 \"B\""}},
      // A digit that does not follow its "^" directly is no squeeze mark,
      // nor is the dot before it a spread mark: all drawn as written.
      {"AB^" + Sjis("・") + "2",
       {kFontAt0, "TextOut 10 47 \"A\"", "TextOut 12 47 \"B\"", "TextOut 14 47 \"^\"",
        "TextOut 16 47 \"・\"", "TextOut 20 47 \"2\""}},
  };
  for (const Case& c : cases) {
    canvas.Clear();
    DrawTextEntity(canvas, TextRecord(c.Text, 10, 50), -1);
    EXPECT_THAT(Glyphs(), ElementsAreArray(c.Want)) << Utf8FromSjis(c.Text);
  }
}

TEST_F(TextDrawTest, VariableIsExpandedAfterTheMarksAndDrawnPlain) {
  SetClock([] { return EncodeDateTime(2026, 1, 5, 9, 7, 3); });
  DrawTextEntity(canvas, TextRecord("$y" + Sjis("・・"), 10, 50), -1);
  SetClock({});
  EXPECT_THAT(Glyphs(), ElementsAre(kFontAt0, "TextOut 10 47 \"2\"", "TextOut 20 47 \"6\""));
  // "%%" with an empty table: drawn as written, its "^" no control code.
  canvas.Clear();
  DrawTextEntity(canvas, TextRecord("%%^!", 10, 50), -1);
  EXPECT_THAT(Glyphs(), ElementsAre(kFontAt0, "TextOut 10 47 \"%\"", "TextOut 12 47 \"%\"",
                                    "TextOut 14 47 \"^\"", "TextOut 16 47 \"!\""));
}

// A variable is culled by the box of its value, not of its name: a value
// longer than the name is drawn where it reaches into the view, and a text
// wholly outside costs neither a pen nor a look at the clock.
TEST_F(TextDrawTest, VariablesAreCulledByTheBoxOfTheirValue) {
  int asked = 0;
  SetClock([&asked] { return ++asked, EncodeDateTime(2026, 1, 5, 9, 7, 3); });
  // The glyph calls; none: no call at all.
  const std::pair<TJwwEntText, std::vector<std::string>> cases[] = {
      {TextRecord("$J", 300, 50), {}},
      {TextRecord("$100", 300, 50), {}},
      // "令和8年 1月 5日" from x = -28: only its last glyph reaches x = 0.
      {TextRecord("$J", -28, 50), {kFontAt0, "TextOut -2 47 \"日\""}},
      // "2026/ 1/ 5" spread by the dots to 10 units a byte: "5" at x = 2.
      {TextRecord("$j" + Sjis("・・"), -88, 50), {kFontAt0, "TextOut 2 47 \"5\""}},
  };
  for (const auto& [record, want] : cases) {
    canvas.Clear();
    asked = 0;
    DrawTextEntity(canvas, record, -1);
    EXPECT_THAT(Glyphs(), ElementsAreArray(want)) << record.X;
    EXPECT_EQ(canvas.Lines().empty(), want.empty()) << record.X;
    EXPECT_EQ(asked, want.empty() ? 0 : 1) << record.X;
  }
  SetClock({});
}

TEST_F(TextDrawTest, DoubleAtFaceTurnsEveryGlyphHalfATurn) {
  TJwwEntText t = TextRecord(Sjis("字") + "A", 10, 50);
  t.FontName = "@@F";
  DrawTextEntity(canvas, t, -1);
  // The start moves by the cell width along and the cell height down.
  EXPECT_THAT(Glyphs(), ElementsAre("SetFont h3 w2 e1800 o0 wt400 cs1 ius \"F\"",
                                    "TextOut 14 50 \"字\"", "TextOut 18 50 \"A\""));
}

TEST_F(TextDrawTest, GlyphsOutputOnlyWithACornerInView) {
  // Letters every 2 units from x = 95: the cell at 99 still has a corner
  // inside, the one at 101 none.
  DrawTextEntity(canvas, TextRecord("ABCD", 95, 50), -1);
  EXPECT_THAT(Glyphs(), ElementsAre(kFontAt0, "TextOut 95 47 \"A\"", "TextOut 97 47 \"B\"",
                                    "TextOut 99 47 \"C\""));
  // A cell below half a pixel still makes its font, of height 0.
  canvas.Clear();
  DrawTextEntity(canvas, TextRecord("A", 10, 50, 0.8, 0.4), -1);
  EXPECT_THAT(Glyphs(),
              ElementsAre("SetFont h0 w0 e0 o0 wt400 cs1 ius \"F\"", "TextOut 10 50 \"A\""));
}

TEST_F(TextDrawTest, ImageReferenceIsAHatchedBoxNeverText) {
  struct Case {
    std::string Text;
    double Group;
    std::string Want;
  };
  const Case cases[] = {
      {"^@BMpic.bmp,50", 1, "Rectangle 10 80 60 30"},
      {"^@BMpic.bmp,50,30,7,8,9", 1, "Rectangle 10 80 60 50"},
      {"^@BMpic.bmp,50,30", 10, "Rectangle 1 98 51 68"},
  };
  for (const Case& c : cases) {
    canvas.Clear();
    JwwStore.GroupScale[0] = c.Group;
    const TJwwEntText t = TextRecord(c.Text, 10, 20);
    DrawTextEntity(canvas, t, -1);
    EXPECT_THAT(Glyphs(), testing::IsEmpty());
    DrawImageRef(canvas, t, -1);
    EXPECT_THAT(canvas.LinesStartingWith("SetBrush").back(), testing::EndsWith("bdiagonal"));
    EXPECT_THAT(canvas.LinesStartingWith("Rectangle"), ElementsAre(c.Want)) << c.Text;
  }
  // Without a comma it is an ordinary text.
  canvas.Clear();
  DrawTextEntity(canvas, TextRecord("^@BM", 10, 50), -1);
  EXPECT_EQ(Glyphs().size(), 5u);
}

}  // namespace
