// Tests of writing the result back: start-up attributes, the walk over the
// order index, the saved file and reading it back.
#include "exchange/writeback.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>

#include "tests/common/file_size_limit.h"
#endif

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/escape.h"
#include "common/realformat.h"
#include "common/sjis.h"
#include "exchange/reader.h"
#include "exchange/store.h"
#include "exchange/writer.h"
#include "tests/common/file_bytes.h"
#include "tests/exchange/store_setup.h"

namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Not;
using Lines = std::vector<std::string>;

// A store as after reading, and an own folder for the files of each test.
class WriteBackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreAsAfterReading();
    dir_ = fs::temp_directory_path() /
           ("horune-writeback-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetEscapeQuery(nullptr);
    fs::remove_all(dir_);
  }

  // Adds n lines on layer group 1, layer 2, one after the other.
  static void AddLines(int n) {
    JwwStore.Current.LayerGroup = 1;
    JwwStore.Current.Layer = 2;
    for (int i = 0; i < n; ++i) AddLine(i, 0, i + 1, 0);
    ResetCurrentAttributes();
  }

  static void WriteAllKeepingOwn(const WriteProgress& progress = {}) {
    WriteAll(TWriteOverrides{}, progress);
  }

  fs::path dir_;
};

TEST_F(WriteBackTest, EmptyOrderIndexQueuesBzAndTheRestoringLayer) {
  JwwStore.DrawingSizeMode = true;
  JwwStore.Initial.LayerGroup = 11;
  JwwStore.Initial.Layer = 4;
  WriteAllKeepingOwn();
  EXPECT_THAT(JwwStore.Output, ElementsAre("bz", "lgB", "ly4"));
}

TEST_F(WriteBackTest, RestoresTheInitialLayerOnlyWhenItChanged) {
  AddLines(2);
  JwwStore.Initial.LayerGroup = 1;
  JwwStore.Initial.Layer = 2;
  WriteAllKeepingOwn();
  EXPECT_THAT(JwwStore.Output,
              ElementsAre("lg1", "ly2", "lc1", "lt1", "lw0", "0 0 1 0", "1 0 2 0"));

  StoreAsAfterReading();
  AddLines(1);
  QueueLine("hd");
  WriteAllKeepingOwn();
  EXPECT_THAT(JwwStore.Output,
              ElementsAre("hd", "lg1", "ly2", "lc1", "lt1", "lw0", "0 0 1 0", "lg0", "ly0"));
}

TEST_F(WriteBackTest, ProgressEvery100Entries) {
  AddLines(250);
  Lines shown;
  WriteAllKeepingOwn([&shown](const std::string& text) { shown.push_back(text); });
  EXPECT_THAT(shown,
              ElementsAre(Sjis("処理中(ESC:中断)：1／250"), Sjis("処理中(ESC:中断)：101／250"),
                          Sjis("処理中(ESC:中断)：201／250")));
}

TEST_F(WriteBackTest, EscapeIsPolledEvery100Entries) {
  AddLines(250);
  int polls = 0;
  SetEscapeQuery([&polls] {
    ++polls;
    return false;
  });
  WriteAllKeepingOwn();
  EXPECT_EQ(polls, 3);
  EXPECT_EQ(JwwStore.Output.size(), 5u + 250u + 2u);
}

TEST_F(WriteBackTest, EscapeDiscardsTheQueueAndStops) {
  struct Case {
    int pressedAtPoll;
    Lines expected;
  };
  // At the first poll the layer flags are still raised, so the initial layer
  // goes out; later the restoring commands follow the on-change rule.
  const std::vector<Case> cases = {{1, {"lg0", "ly0"}}, {2, {"lg0", "ly0"}}};
  for (const Case& c : cases) {
    StoreAsAfterReading();
    AddLines(250);
    QueueLine("hd");
    int polls = 0;
    SetEscapeQuery([&polls, &c] { return ++polls == c.pressedAtPoll; });
    WriteAllKeepingOwn();
    EXPECT_THAT(JwwStore.Output, ElementsAreArray(c.expected)) << c.pressedAtPoll;
    EXPECT_EQ(polls, c.pressedAtPoll);
  }
}

TEST_F(WriteBackTest, EscapeOnTheInitialLayerLeavesNothing) {
  AddLines(150);
  JwwStore.Initial.LayerGroup = 1;
  JwwStore.Initial.Layer = 2;
  int polls = 0;
  SetEscapeQuery([&polls] { return ++polls == 2; });
  WriteAllKeepingOwn();
  EXPECT_TRUE(JwwStore.Output.empty());
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  EXPECT_TRUE(SaveJwcTemp(file));
  EXPECT_EQ(ReadAll(file), "hq\r\n");
}

// The host's folder may have any name; the path goes to the file system as
// the path type holds it, never through a narrower text.
TEST_F(WriteBackTest, SavesAndReadsUnderAFolderWithAJapaneseName) {
  const fs::path folder = dir_ / fs::path(u8"外部変形");
  fs::create_directories(folder);
  const fs::path file = folder / "JWC_TEMP.TXT";
  AddLines(1);
  WriteAll(TWriteOverrides{}, {});
  ASSERT_TRUE(SaveJwcTemp(file));
  InitStore();
  ASSERT_TRUE(LoadJwcTemp(file));
  EXPECT_EQ(JwwStore.Lines.size(), 1u);
}

TEST_F(WriteBackTest, SaveJoinsTextLinesWithCrLf) {
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  const std::vector<std::pair<Lines, std::string>> cases = {
      {{}, "hq\r\n"},
      {{"hd", "ch 1 2 1 0 \"", "A B\"", "lc2", "cs 0 0 1 0 \"", "5"},
       "hd\r\nch 1 2 1 0 \"A B\"\r\nlc2\r\ncs 0 0 1 0 \"5\r\n"},
      {{"hd", "ch 1 2 1 0 \""}, "hd\r\nch 1 2 1 0 \""},
      {{"h#" + Sjis("ペン作図は行いませんでした。")},
       "h#" + Sjis("ペン作図は行いませんでした。") + "\r\n"},
  };
  for (const auto& [queue, bytes] : cases) {
    JwwStore.Output.clear();
    for (const std::string& line : queue) JwwStore.Output.push_back(line);
    EXPECT_TRUE(SaveJwcTemp(file));
    EXPECT_EQ(ReadAll(file), bytes);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(WriteBackTest, SaveWritesALargeQueueWhole) {
  std::string expected;
  for (int i = 0; i < 200000; ++i) {
    const std::string line = std::to_string(i) + " 0 " + std::to_string(i + 1) + " 0";
    QueueLine(line);
    expected += line + "\r\n";
  }
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  EXPECT_TRUE(SaveJwcTemp(file));
  EXPECT_EQ(ReadAll(file), expected);
}

TEST_F(WriteBackTest, UnwritablePlacesFailWithoutLeavingAFile) {
  WriteText(dir_ / "plain", "x");
  fs::create_directory(dir_ / "JWC_TEMP.TXT");
  const std::vector<fs::path> cases = {
      dir_ / "missing" / "JWC_TEMP.TXT",  // no such folder
      dir_ / "plain" / "JWC_TEMP.TXT",    // the folder is a file
      dir_ / "JWC_TEMP.TXT",              // a folder is in the way
  };
  QueueLine("hd");
  for (const fs::path& p : cases) {
    EXPECT_FALSE(SaveJwcTemp(p)) << p;
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "JWC_TEMP.TXT"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// A full device and a file size limit exist on POSIX systems only.
#ifndef _WIN32
TEST_F(WriteBackTest, FullDeviceFailsAndStaysADevice) {
  ASSERT_TRUE(fs::is_character_file("/dev/full"));
  QueueLine("hd");
  EXPECT_FALSE(SaveJwcTemp("/dev/full"));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// A file size limit stands in for a disk that fills up in the middle of the
// write: neither the partial answer nor the host's drawing is left for the
// host to read back.
TEST_F(WriteBackTest, DiskFullMidwayLeavesNoFile) {
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  WriteText(file, "hq\r\nold drawing\r\n");
  for (int i = 0; i < 100000; ++i) QueueLine("1234567890 1234567890 1234567890");

  bool saved = true;
  {
    const FileSizeLimit diskFull(64 * 1024);
    saved = SaveJwcTemp(file);
  }

  EXPECT_FALSE(saved);
  EXPECT_TRUE(fs::is_empty(dir_));
}
#endif

TEST_F(WriteBackTest, SetterValueHandling) {
  JwwStore.Initial.LineWidth = 7;
  JwwStore.Initial.FontName = "First";
  const TJwwForceFlags forceBefore = JwwStore.Force;

  SetCurrentLineWidth(-1);
  EXPECT_EQ(JwwStore.Current.LineWidth, 7);
  SetCurrentLineWidth(30001);
  EXPECT_EQ(JwwStore.Current.LineWidth, 0);
  SetCurrentLineWidth(30000);
  EXPECT_EQ(JwwStore.Current.LineWidth, 30000);
  SetCurrentTextAnchor(9);
  EXPECT_EQ(JwwStore.Current.TextAnchor, 0);
  SetCurrentTextAnchor(8);
  EXPECT_EQ(JwwStore.Current.TextAnchor, 8);
  for (const char* name : {"", "<>"}) {
    SetCurrentFont(name);
    EXPECT_EQ(JwwStore.Current.FontName, "First") << name;
  }
  SetCurrentFont("Other");
  EXPECT_EQ(JwwStore.Current.FontName, "Other");

  SetCurrentTextKind(0, 3, 1.5, 2.5, 0.5);
  const TJwwAttributes& c = JwwStore.Current;
  EXPECT_EQ(c.TextKind, 0);
  EXPECT_EQ(c.FreeColor, 3);
  EXPECT_EQ(c.FreeWidth, 1.5);
  EXPECT_EQ(c.FreeHeight, 2.5);
  EXPECT_EQ(c.FreeSpacing, 0.5);
  JwwStore.Initial.TextKind = 0;
  JwwStore.Initial.FreeColor = 4;
  JwwStore.Initial.FreeWidth = 5;
  SetCurrentTextKind(11, 3, 1.5, 2.5, 0.5);
  EXPECT_EQ(c.TextKind, 0);
  EXPECT_EQ(c.FreeColor, 4);
  EXPECT_EQ(c.FreeWidth, 5);
  JwwStore.Initial.TextKind = 6;
  SetCurrentTextKind(-1, 3, 1.5, 2.5, 0.5);
  EXPECT_EQ(c.TextKind, 6);
  EXPECT_EQ(c.FreeColor, 3);

  EXPECT_TRUE(JwwStore.Output.empty());
  EXPECT_EQ(std::memcmp(&forceBefore, &JwwStore.Force, sizeof forceBefore), 0);
}

TEST_F(WriteBackTest, InitialAttributesBecomeCurrent) {
  TJwwInitialAttributes& i = JwwStore.Initial;
  i = {3, 12, 5, 2, 4, 0, 1.5, 2.5, 0.5, 6, 0, "Font"};
  JwwStore.Current.TextAnchor = 7;
  JwwStore.Current.PointColor = 9;
  ApplyInitialAttributes();
  const TJwwAttributes& c = JwwStore.Current;
  EXPECT_EQ(c.LayerGroup, 3);
  EXPECT_EQ(c.Layer, 12);
  EXPECT_EQ(c.LineColor, 5);
  EXPECT_EQ(c.PointColor, 5);
  EXPECT_EQ(c.LineType, 2);
  EXPECT_EQ(c.LineWidth, 4);
  EXPECT_EQ(c.TextKind, 0);
  EXPECT_EQ(c.FreeWidth, 1.5);
  EXPECT_EQ(c.FreeHeight, 2.5);
  EXPECT_EQ(c.FreeSpacing, 0.5);
  EXPECT_EQ(c.FreeColor, 6);
  EXPECT_EQ(c.TextAnchor, 0);
  EXPECT_EQ(c.FontName, "Font");

  // The outline the tool adds carries them.
  AddLine(0, 0, 1, 0);
  EXPECT_EQ(JwwStore.Lines[0].Head.LayerGroup, 3);
  EXPECT_EQ(JwwStore.Lines[0].Head.Layer, 12);
  EXPECT_EQ(JwwStore.Lines[0].Head.Color, 5);
}

// Host files that are unusual but valid: the answer holds only commands the
// host defines, with the values it wrote.
TEST_F(WriteBackTest, OutlineAnswersUnusualHostFiles) {
  const struct {
    const char* name;
    std::string host;
    Lines sent, notSent;
  } cases[] = {
      {"no font line: no font command", "lc2\r\n", {"lc2", "pn2", "cn1"}, {"cn\"$"}},
      {"a first colour 10 keeps its value",
       "lc10 255\r\nlc3\r\ncn$F\r\n",
       {"lc10 255", "pn10 255", "cn\"$F"},
       {"lc10", "pn10"}},
      {"an undefined first text kind falls back to the default kind",
       "cn12\r\ncn$F\r\n",
       {"cn1"},
       {"cn12"}},
  };
  for (const auto& c : cases) {
    InitStore();
    LoadJwcTempFromBytes(c.host);
    ResetCurrentAttributes();
    ApplyInitialAttributes();
    AddLine(0, 0, 1, 0);
    AddPoint(1, 0);
    AddText(0, "1", 1, 0, 1, 0);
    WriteAllKeepingOwn();
    const Lines queued(JwwStore.Output.begin(), JwwStore.Output.end());
    for (const std::string& line : c.sent) EXPECT_THAT(queued, Contains(line)) << c.name;
    for (const std::string& line : c.notSent) {
      EXPECT_THAT(queued, Not(Contains(line))) << c.name;
    }
  }
}

}  // namespace

// Round trip: a store of every kind, written and read back, gives the same
// records in the same order. Only what the exchange file carries is compared:
// a text has no line type or width of its own, a point no line type, most
// solids no width, and a solid's 24-bit colour counts only for colour 10.
// Reals are compared by their 15-digit text.
class RoundTrip {
 public:
  explicit RoundTrip(uint32_t seed) : rng_(seed) {}

  void Fill(int entities) {
    InitStore();
    JwwStore.DrawingSizeMode = Chance(2);
    int32_t polyId = 0;
    while (static_cast<int>(JwwStore.Order.size()) < entities) {
      const auto kind = static_cast<TJwwEntKind>(Int(ekLine, ekSolidSg));
      if (kind == ekLine) {
        // A run of lines, sometimes one polyline, numbered as read.
        const int32_t id = Chance(2) ? ++polyId : 0;
        for (int n = id != 0 ? Int(1, 4) : 1; n > 0; --n) AddLine(id);
      } else {
        Add(kind);
      }
    }
  }

  // Every record the writer sends (all but blocks), one text each, in order.
  static Lines Describe() {
    Lines out;
    for (const TJwwOrderItem& item : JwwStore.Order) {
      if (item.Kind != ekBlock) out.push_back(DescribeEntity(item));
    }
    return out;
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int oneIn) { return Int(1, oneIn) == 1; }

  // Coordinates with every digit a double holds, now and then tiny or huge
  // enough for the exponent form.
  double Real() {
    const double v = std::uniform_real_distribution<double>(-1e4, 1e4)(rng_);
    switch (Int(0, 9)) {
      case 0:
        return v * 1e-11;
      case 1:
        return v * 1e14;
      case 2:
        return std::round(v);
      default:
        return v;
    }
  }
  double Positive() { return std::uniform_real_distribution<double>(0.001, 1e4)(rng_); }

  // Shift-JIS text with blanks, quotes, "=" and double-byte characters; never
  // blank, at most 255 bytes, and not ending in a quote when it is a font name
  // (a font line ending in a quote would run into the next line).
  std::string Bytes(size_t maxBytes, bool fontName) {
    static const std::vector<std::string> pieces = {
        "A",    "z",        "9",        " ",        "\"",       "=",        "-",       ".",
        "\xb1", "\x82\xa0", "\x88\x9f", "\x81\x40", "\x8b\x5c", "\xe0\x40", "\x93\xfc"};
    std::string s = Chance(2) ? "x" : "\x93\xfc";
    for (int n = Int(0, 80); n > 0; --n) {
      const std::string& p = pieces[static_cast<size_t>(Int(0, int(pieces.size()) - 1))];
      if (s.size() + p.size() > maxBytes) break;
      s += p;
    }
    if (fontName && s.back() == '"') s.back() = 'f';
    return s;
  }

  TJwwEntHead Head(bool solid = false) {
    int32_t color = Chance(2) ? Int(1, 9) : Int(101, 356);
    if (solid && Chance(3)) color = 10;
    int32_t z = Int(0, 31);
    if (z & 16) z &= ~8;
    return {Int(0, 15), Int(0, 15), color, Int(1, 9), Chance(2) ? Int(0, 30000) : Int(0, 5), z};
  }

  void AddLine(int32_t polyId) {
    TJwwEntLine l{Head(), polyId, Real(), Real(), 0, 0};
    l.X2 = l.X1 + Positive();
    l.Y2 = l.Y1 + Positive();
    PushRecord(ekLine, JwwStore.Lines, l);
  }

  TJwwEntText Text(int32_t cmd, const TJwwEntHead& h) {
    TJwwEntText t{};
    t.Head = h;
    t.TextCmd = cmd;
    t.TextAnchor = Int(0, 8);
    t.TextKind = Int(0, 10);
    if (t.TextKind != 0) {
      t.Width = t.Height = 3;  // the text kind table a fresh reader has
      t.Head.Color = 2;
    } else {
      t.Width = Positive();
      t.Height = Positive();
      t.Spacing = Chance(2) ? 0 : Positive();
    }
    t.X = Real();
    t.Y = Real();
    t.DX = Positive();
    t.DY = Real();
    t.FontName = Bytes(kMaxTextBytes, true);
    t.Text = Bytes(kMaxTextBytes, false);
    return t;
  }

  void Add(TJwwEntKind kind) {
    TJwwStore& s = JwwStore;
    const TJwwEntHead h = Head(kind >= ekSolid2);
    switch (kind) {
      case ekCircle:
        return PushRecord(kind, s.Circles, TJwwEntCircle{h, Real(), Real(), Positive()});
      case ekArc:
        return PushRecord(
            kind, s.Arcs,
            TJwwEntArc{h, Real(), Real(), Positive(), Real(), Real(), -Positive(), Real()});
      case ekText:
        return PushRecord(kind, s.Texts, Text(Int(0, 9), h));
      case ekPoint:
        return PushRecord(kind, s.Points, TJwwEntPoint{h, Real(), Real()});
      case ekCodedPoint:
        return PushRecord(kind, s.CodedPoints,
                          TJwwEntCodedPoint{h, Real(), Real(), Positive(), Real(), Int(-7, 11)});
      case ekDim: {
        TJwwEntDim d{};
        d.Head = h;
        d.Line = {h, 0, Real(), Real(), 0, 0};
        d.Line.Head.ZFlags = 0;
        d.Line.X2 = d.Line.X1 - Positive();
        d.Line.Y2 = d.Line.Y1 + Positive();
        TJwwEntHead textHead = h;
        textHead.ZFlags = 0;
        d.Text = Text(2, textHead);
        d.Text.Head.LineType = h.LineType;
        d.Text.Head.LineWidth = h.LineWidth;
        return PushRecord(kind, s.Dims, d);
      }
      case ekBlock:
        return PushRecord(kind, s.Blocks, TJwwEntBlk{h, Real(), Real(), "block"});
      case ekSolid2:
        return PushRecord(kind, s.Solids2, TJwwEntSolid2{h, Rgb(), Real(), Real(), Real(), Real()});
      case ekSolid3:
        return PushRecord(kind, s.Solids3,
                          TJwwEntSolid3{h, Rgb(), Real(), Real(), Real(), Real(), Real(), Real()});
      case ekSolid4:
        return PushRecord(kind, s.Solids4,
                          TJwwEntSolid4{h, Rgb(), Real(), Real(), Real(), Real(), Real(), Real(),
                                        Real(), Real()});
      case ekSolidSc:
        return PushRecord(kind, s.SolidsSc, SolidArc(h, Int(0, 3), {0, 5, 100, -1}));
      case ekSolidSe:
        return PushRecord(kind, s.SolidsSe, SolidArc(h, Int(0, 1), {0, 100}));
      default: {
        TJwwEntSolidArc a = SolidArc(h, 0, {0});
        a.R = 2 + Positive();
        a.InnerR = 1;
        return PushRecord(kind, kind == ekSolidSo ? s.SolidsSo : s.SolidsSg, a);
      }
    }
  }

  int32_t Rgb() { return Int(0, 0xFFFFFF); }

  TJwwEntSolidArc SolidArc(const TJwwEntHead& h, int pick, std::vector<int32_t> codes) {
    return {h,          Rgb(),  Real(), Real(), Positive(),
            Positive(), Real(), Real(), Real(), codes[static_cast<size_t>(pick)],
            0};
  }

  // Header fields the kind sends: colour, line type and width as flags.
  struct Sent {
    bool Type, Width;
  };

  static void Put(std::string& s, double v) { s += " " + FormatReal(v); }
  static void Put(std::string& s, int64_t v) { s += " " + std::to_string(v); }
  static void Put(std::string& s, const std::string& v) { s += " [" + v + "]"; }
  template <class... V>
  static void PutAll(std::string& s, const V&... v) {
    (Put(s, v), ...);
  }

  static void PutHead(std::string& s, const TJwwEntHead& h, Sent sent, int64_t z) {
    PutAll(s, int64_t{h.LayerGroup}, int64_t{h.Layer}, int64_t{h.Color});
    if (sent.Type) Put(s, int64_t{h.LineType});
    if (sent.Width) Put(s, int64_t{h.LineWidth});
    Put(s, z);
  }

  static void PutText(std::string& s, const TJwwEntText& t, Sent sent) {
    PutHead(s, t.Head, sent, t.Head.ZFlags);
    PutAll(s, int64_t{t.TextCmd}, int64_t{t.TextAnchor}, int64_t{t.TextKind}, t.Width, t.Height,
           t.Spacing, t.X, t.Y, t.DX, t.DY, t.FontName, t.Text);
  }

  template <class Solid>
  static void PutSolidHead(std::string& s, const Solid& r, bool width) {
    PutHead(s, r.Head, {false, width}, r.Head.ZFlags);
    if (r.Head.Color == 10) Put(s, int64_t{r.SolidRGB});
  }

  static constexpr Sent kAll{true, true};

  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntLine& l) {
    PutHead(s, l.Head, kAll, l.Head.ZFlags);
    PutAll(s, int64_t{l.PolyId}, l.X1, l.Y1, l.X2, l.Y2);
  }
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntCircle& c) {
    PutHead(s, c.Head, kAll, c.Head.ZFlags);
    PutAll(s, c.CX, c.CY, c.R);
  }
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntArc& a) {
    PutHead(s, a.Head, kAll, a.Head.ZFlags);
    PutAll(s, a.CX, a.CY, a.R, a.StartAngle, a.EndAngle, a.Flatness, a.Tilt);
  }
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntText& t) {
    PutText(s, t, {false, false});
  }
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntPoint& p) {
    PutHead(s, p.Head, {false, true}, p.Head.ZFlags);
    PutAll(s, p.X, p.Y);
  }
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntCodedPoint& p) {
    PutHead(s, p.Head, {false, true}, p.Head.ZFlags);
    PutAll(s, p.X, p.Y, p.Scale, p.Angle, int64_t{p.Code});
  }
  // The z flags sent before "msg" belong to the dimension whichever of its
  // headers keeps them.
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntDim& d) {
    PutHead(s, d.Head, kAll, d.Head.ZFlags | d.Line.Head.ZFlags);
    PutHead(s, d.Line.Head, kAll, 0);
    PutAll(s, int64_t{d.Line.PolyId}, d.Line.X1, d.Line.Y1, d.Line.X2, d.Line.Y2);
    PutText(s, d.Text, kAll);
  }
  static void PutRecord(std::string&, TJwwEntKind, const TJwwEntBlk&) {}
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntSolid2& r) {
    PutSolidHead(s, r, true);
    PutAll(s, r.X1, r.Y1, r.X2, r.Y2);
  }
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntSolid3& r) {
    PutSolidHead(s, r, false);
    PutAll(s, r.X1, r.Y1, r.X2, r.Y2, r.X3, r.Y3);
  }
  static void PutRecord(std::string& s, TJwwEntKind, const TJwwEntSolid4& r) {
    PutSolidHead(s, r, false);
    PutAll(s, r.X1, r.Y1, r.X2, r.Y2, r.X3, r.Y3, r.X4, r.Y4);
  }
  static void PutRecord(std::string& s, TJwwEntKind kind, const TJwwEntSolidArc& r) {
    PutSolidHead(s, r, kind == ekSolidSe);
    PutAll(s, r.CX, r.CY, r.R, r.Flatness, r.Tilt, r.Start, r.Sweep, int64_t{r.Code}, r.InnerR);
  }

  static std::string DescribeEntity(const TJwwOrderItem& item) {
    std::string s = std::to_string(item.Kind) + ":";
    VisitEntry(item, [&s](auto row, const auto& r) { PutRecord(s, row.Kind, r); });
    return s;
  }

  std::mt19937 rng_;
};

TEST_F(WriteBackTest, WrittenStoreReadsBackTheSame) {
  const fs::path file = dir_ / "JWC_TEMP.TXT";
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    RoundTrip trip(seed);
    trip.Fill(400);
    const Lines sent = RoundTrip::Describe();
    const bool drawingSize = JwwStore.DrawingSizeMode;
    ResetCurrentAttributes();
    QueueLine("hd");
    WriteAll(TWriteOverrides{}, {});
    ASSERT_TRUE(SaveJwcTemp(file));

    InitStore();
    ASSERT_TRUE(LoadJwcTemp(file));
    EXPECT_EQ(JwwStore.DrawingSizeMode, drawingSize) << seed;
    const Lines read = RoundTrip::Describe();
    ASSERT_EQ(read.size(), sent.size()) << seed;
    for (size_t i = 0; i < sent.size(); ++i) {
      ASSERT_EQ(read[i], sent[i]) << "seed " << seed << ", entry " << i;
    }
  }
}
