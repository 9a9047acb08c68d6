// Control codes on the recording canvas: where each run and effect glyph
// lands, in which font and colour. Cell width 4, height 4, spacing 0 and
// the start (10, 50) unless a case says otherwise: a half-width character
// advances 2, and a glyph whose cell starts at (x, 50) is output at (x, 46).
#include "text/controlcodes.h"

#include <gmock/gmock.h>

#include "common/sjis.h"
#include "tests/text/text_fixture.h"
#include "text/textdraw.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ControlCodesTest : public TextTest {
 protected:
  // The font, colour and glyph calls of the text.
  std::vector<std::string> Draw(const std::string& text) {
    canvas.Clear();
    DrawTextEntity(canvas, TextRecord(text, 10, 50, 4, 4), -1);
    std::vector<std::string> out;
    for (const std::string& l : canvas.Lines()) {
      if (l.starts_with("SetFont") || l.starts_with("TextOut") || l.starts_with("SetTextColor")) {
        out.push_back(l);
      }
    }
    return out;
  }

  // A text and the calls it must draw.
  struct Case {
    std::string Text;
    std::vector<std::string> Want;
  };
  void ExpectDrawn(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      EXPECT_THAT(Draw(c.Text), ElementsAreArray(c.Want)) << Utf8FromSjis(c.Text);
    }
  }
};

std::string Font(int h, int w, int weight = 400, const char* flags = "ius") {
  return "SetFont h" + std::to_string(h) + " w" + std::to_string(w) + " e0 o0 wt" +
         std::to_string(weight) + " cs1 " + flags + " \"F\"";
}

const std::string kBlackText = "SetTextColor rgb(0,0,0)";

TEST_F(ControlCodesTest, StylesSwitchAtTheCodeAndRunsContinueWhereTheLastEnded) {
  ExpectDrawn({
      {"A^!B",
       {Font(4, 2), kBlackText, "TextOut 10 46 \"A\"", Font(4, 2, 700), kBlackText,
        "TextOut 12 46 \"B\""}},
      {"^!^/A^#B",
       {Font(4, 2, 700, "Ius"), kBlackText, "TextOut 10 46 \"A\"", Font(4, 2), kBlackText,
        "TextOut 12 46 \"B\""}},
      {"^_^-A", {Font(4, 2, 400, "iUS"), kBlackText, "TextOut 10 46 \"A\""}},
      // Literal mode: "^!" is text until "^^", which itself is not drawn.
      {"^*^!^^^!B",
       {Font(4, 2), kBlackText, "TextOut 10 46 \"^\"", "TextOut 12 46 \"!\"", Font(4, 2, 700),
        kBlackText, "TextOut 14 46 \"B\""}},
      // Unknown codes, "^$0" and a final "^" stay in the text.
      {"^q^$0^",
       {Font(4, 2), kBlackText, "TextOut 10 46 \"^\"", "TextOut 12 46 \"q\"", "TextOut 14 46 \"^\"",
        "TextOut 16 46 \"$\"", "TextOut 18 46 \"0\"", "TextOut 20 46 \"^\""}},
      // A lone lead byte at the end is dropped; "^" before a full-width
      // character keeps the character whole.
      {"^" + Sjis("字") + "^!\x88",
       {Font(4, 2), kBlackText, "TextOut 10 46 \"^\"", "TextOut 12 46 \"字\""}},
  });
}

TEST_F(ControlCodesTest, ColorCodeChangesThePenForWhatFollows) {
  const TColor three = GraAttribute().GetLineColor(3);
  EXPECT_THAT(Draw("A^$3B"),
              ElementsAre(Font(4, 2), kBlackText, "TextOut 10 46 \"A\"", Font(4, 2),
                          "SetTextColor " + ColorText(three), "TextOut 12 46 \"B\""));
  EXPECT_EQ(canvas.GetPen().Color, three);  // outlives the text
}

TEST_F(ControlCodesTest, EffectGlyphsAtTheirPlaces) {
  ExpectDrawn({
      // Raised by half the cell, half height, then half a cell on.
      {"A^u1B",
       {Font(4, 2), kBlackText, "TextOut 10 46 \"A\"", Font(2, 2), kBlackText,
        "TextOut 12 46 \"1\"", Font(4, 2), kBlackText, "TextOut 14 46 \"B\""}},
      // Lowered: at the pen, half height.
      {"^d1", {Font(2, 2), kBlackText, "TextOut 10 48 \"1\""}},
      // Two small digits centred over the previous letter, no advance.
      {"A^w12B",
       {Font(4, 2), kBlackText, "TextOut 10 46 \"A\"", Font(2, 1), kBlackText,
        "TextOut 10 47 \"1\"", "TextOut 11 47 \"2\"", Font(4, 2), kBlackText,
        "TextOut 12 46 \"B\""}},
      // Exactly over the previous full-width character.
      {Sjis("字^n田"),
       {Font(4, 2), kBlackText, "TextOut 10 46 \"字\"", Font(4, 2), kBlackText,
        "TextOut 10 46 \"田\""}},
      // Before a full-width character "^w" is text with it.
      {"^w" + Sjis("字"),
       {Font(4, 2), kBlackText, "TextOut 10 46 \"^\"", "TextOut 12 46 \"w\"",
        "TextOut 14 46 \"字\""}},
      // At the end or before "^" an effect code is text.
      {"^u^!A",
       {Font(4, 2), kBlackText, "TextOut 10 46 \"^\"", "TextOut 12 46 \"u\"", Font(4, 2, 700),
        kBlackText, "TextOut 14 46 \"A\""}},
      {"^u", {Font(4, 2), kBlackText, "TextOut 10 46 \"^\"", "TextOut 12 46 \"u\""}},
  });
}

}  // namespace
