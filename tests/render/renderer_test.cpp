// The renderer's order, skipping, culling and Esc, on the recording canvas.
#include "render/renderer.h"

#include "render/layerthread.h"
#include "render/redraw.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/escape.h"
#include "preview/gval.h"
#include "tests/preview/empty_store_test.h"
#include "tests/preview/recording_canvas.h"
#include "tests/preview/square_view.h"
#include "text/clock.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kPink = "SetPen rgb(255,128,255) w0 solid copy";  // colour 9
const std::string kBlack = "SetPen rgb(0,0,0) w0 solid copy";       // colour 2

class RendererTest : public EmptyStoreTest {
 protected:
  std::vector<std::string> Render() {
    RecordingCanvas canvas(100, 100);
    RenderStore(canvas);
    return canvas.Lines();
  }

  // The lines that draw: everything but pen and brush changes.
  std::vector<std::string> Drawn() {
    std::vector<std::string> out;
    for (const std::string& l : Render()) {
      if (!l.starts_with("SetPen") && !l.starts_with("SetBrush")) out.push_back(l);
    }
    return out;
  }
};

TJwwEntHead Head(int32_t color, int32_t lineType = 1, int32_t group = 0, int32_t layer = 0) {
  return {group, layer, color, lineType, 0, 0};
}

TJwwEntLine& AddLineRec(TJwwEntHead head, double x1, double y1, double x2, double y2) {
  TJwwEntLine& l = AppendRecord<ekLine>();
  l.Head = head;
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
  return l;
}

TJwwEntText MakeText(TJwwEntHead head, const std::string& text) {
  TJwwEntText t{};
  t.Head = head;
  t.Width = t.Height = 10;
  t.X = t.Y = 20;
  t.DX = 1;
  t.Text = text;
  return t;
}

TEST_F(RendererTest, LineIsDrawnOverTheSolidItCrosses) {
  AddLineRec(Head(2), 10, 50, 90, 50);
  TJwwEntSolid4& s = AppendRecord<ekSolid4>();
  s.Head = Head(10);
  s.SolidRGB = 255;
  s.X1 = 20, s.Y1 = 20, s.X2 = 80, s.Y2 = 20, s.X3 = 80, s.Y3 = 80, s.X4 = 20, s.Y4 = 80;
  EXPECT_THAT(Render(),
              ElementsAre("SetBrush rgb(255,255,255) hollow",  // plain pen set-up
                          "SetPen rgb(255,0,0) w0 solid copy", "SetBrush rgb(255,0,0) solid",
                          "Polygon 20 80, 80 80, 80 20, 20 20",    //
                          "SetBrush rgb(255,0,0) hollow",          // before lines
                          "SetBrush rgb(255,0,0) hollow", kBlack,  //
                          "MoveTo 10 50", "LineTo 90 50", "SetPixel 90 50 rgb(0,0,0)"));
}

TEST_F(RendererTest, KindsInTheirOrder) {
  // Stored in reverse of the drawing order.
  TJwwEntDim& d = AppendRecord<ekDim>();
  d.Line = {Head(3), 0, 1, 1, 2, 2};
  d.Text = MakeText(Head(4), "A");
  AppendRecord<ekText>() = MakeText(Head(5), "B");
  AppendRecord<ekPoint>() = {Head(6), 50, 50};
  AppendRecord<ekCircle>() = {Head(7), 50, 50, 10};
  AddLineRec(Head(8), 1, 1, 3, 3);
  AppendRecord<ekSolid2>() = {Head(1), 0, 5, 5, 9, 9};
  AppendRecord<ekText>() = MakeText(Head(6), "^@BMpic,30");
  std::vector<std::string> pens;
  for (const std::string& l : Render()) {
    if (!l.starts_with("SetPen")) continue;
    const std::string color = l.substr(7, l.find(')') - 6);
    if (pens.empty() || pens.back() != color) pens.push_back(color);
  }
  EXPECT_THAT(pens, ElementsAre("rgb(0,0,255)",                   // image reference, colour 6
                                "rgb(0,192,192)",                 // solid, colour 1
                                "rgb(255,0,128)",                 // line, colour 8
                                "rgb(0,128,128)",                 // circle, colour 7
                                "rgb(0,0,255)",                   // point, colour 6
                                "rgb(192,0,192)",                 // text, colour 5
                                "rgb(0,192,0)", "rgb(192,192,0)"  // dimension line 3, text 4
                                ));
}

TEST_F(RendererTest, AuxiliaryEntitiesHiddenOnlyWhenSwitchedOff) {
  AddLineRec(Head(1, 9), 10, 10, 20, 20);
  AppendRecord<ekPoint>() = {Head(1, 9), 50, 50};
  AppendRecord<ekSolid3>() = {Head(9), 0, 1, 1, 50, 1, 1, 50};
  GraAttribute().SetShowAux(true);
  const std::vector<std::string> shown = Drawn();
  EXPECT_EQ(shown.front(), "Polygon 1 99, 50 99, 1 50");
  EXPECT_THAT(shown, testing::Contains("LineTo 20 80"));

  GraAttribute().SetShowAux(false);
  const std::vector<std::string> hidden = Drawn();
  EXPECT_THAT(hidden, testing::Not(testing::Contains("LineTo 20 80")));
  EXPECT_THAT(hidden, testing::Not(testing::Contains("Polygon 1 99, 50 99, 1 50")));
  EXPECT_FALSE(hidden.empty());  // the point, whatever its line type
}

TEST_F(RendererTest, DimensionWithAuxiliaryLineShowsOnlyItsText) {
  TJwwEntDim& d = AppendRecord<ekDim>();
  d.Head = Head(1);
  d.Line = {Head(9), 0, 10, 10, 90, 10};
  d.Text = MakeText(Head(2), "12");
  GraAttribute().SetShowAux(false);
  std::vector<std::string> pens;
  for (const std::string& l : Render()) {
    if (l.starts_with("SetPen")) pens.push_back(l);
  }
  EXPECT_THAT(pens, ElementsAre(kBlack));

  GraAttribute().SetShowAux(true);
  EXPECT_THAT(Render(), testing::Contains(kPink));
}

TEST_F(RendererTest, HiddenLayerDrawsNothingGreyedLayerDrawsGrey) {
  AddLineRec(Head(2, 1, 1, 2), 10, 10, 20, 20);
  GraAttribute().SetLayerState(1 * 16 + 2, 3);
  EXPECT_THAT(Drawn(), IsEmpty());
  GraAttribute().SetLayerState(1 * 16 + 2, 2);
  EXPECT_THAT(Render(), testing::Contains("SetPen rgb(128,128,128) w0 solid copy"));
}

TEST_F(RendererTest, EntitiesOutsideTheViewCostNoPen) {
  AddLineRec(Head(2), -50, 10, -10, 90);                        // left of the view
  AppendRecord<ekCircle>() = {Head(2), 50, 200, 40};            // above
  AppendRecord<ekArc>() = {Head(2), 300, 50, 10, 0, 90, 3, 0};  // right, flat 3
  AppendRecord<ekSolid4>() = {Head(2), 0, 0, -9, 99, -9, 99, -1, 0, -1};
  AppendRecord<ekPoint>() = {Head(2), 50, -5};
  EXPECT_THAT(Render(), ElementsAre("SetBrush rgb(255,255,255) hollow"));
}

TEST_F(RendererTest, EscHeldAtTheStartDrawsAtMostTheFirstRecord) {
  for (int i = 0; i < 5; ++i) AddLineRec(Head(2), 10 + i, 10, 10 + i, 90);
  SetEscapeQuery([] { return true; });
  EXPECT_THAT(Drawn(), IsEmpty());  // polled before the lines' kind

  SetEscapeQuery({});
  AppendRecord<ekText>() = MakeText(Head(2), "^@BMa,30,30");
  AppendRecord<ekText>() = MakeText(Head(2), "^@BMb,40,40");
  SetEscapeQuery([] { return true; });
  EXPECT_THAT(Drawn(), ElementsAre("Rectangle 20 80 50 50"));
}

TEST_F(RendererTest, EscIsPolledEveryTenthDrawnRecordAndBetweenKinds) {
  for (int i = 0; i < 25; ++i) AddLineRec(Head(2), 10 + i, 10, 10 + i, 90);
  AddLineRec(Head(2), 1, 1, 2, 2).Head.Layer = 5;  // hidden: no poll after it
  GraAttribute().SetLayerState(5, 3);
  int polls = 0;
  SetEscapeQuery([&polls] { return ++polls > 100; });
  RecordingCanvas canvas;
  RenderStore(canvas);
  // Before kinds 2..15, and after lines 0, 10 and 20.
  EXPECT_EQ(polls, 14 + 3);

  // Esc from the 10th poll on: 8 polls before the lines, then lines 0 and
  // 10; lines 0..10 are drawn.
  polls = 0;
  SetEscapeQuery([&polls] { return ++polls >= 10; });
  EXPECT_EQ(Drawn().size() / 3, 11u);
}

// Waits, two seconds at most, until the count reaches one.
void AwaitFirst(const std::atomic<int>& count) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (count == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
}

// The recording canvas with a texts' layer drawn on a thread of its own,
// which stacks beneath; laying it appends the layer's calls. The two threads
// each draw a glyph before the other's second, so both draw texts.
class LayeredCanvas : public RecordingCanvas, public TTextsLayer {
 public:
  ~LayeredCanvas() override { Drop(); }
  bool Start(Drawing drawing) override {
    Drop();
    layer_ = std::make_unique<Layer>(*this);
    stop_ = false;
    drawn_ = std::async(std::launch::async, [this, drawing] { drawing(*layer_, stop_); });
    return true;
  }
  bool Done(std::chrono::microseconds wait) override {
    return !drawn_.valid() || drawn_.wait_for(wait) == std::future_status::ready;
  }
  bool Lay(Canvas&) override {
    if (!drawn_.valid()) return false;
    drawn_.get();
    Beneath.emplace_back(Lines().size(), Lines().size() + layer_->Lines().size());
    Append(*layer_);
    return true;
  }
  void Drop() override {
    stop_ = true;
    if (drawn_.valid()) drawn_.get();
  }
  void TextOut(int32_t x, int32_t y, const std::string& glyph) override {
    if (!Done(std::chrono::microseconds(0))) AwaitFirst(layer_->Glyphs);
    RecordingCanvas::TextOut(x, y, glyph);
    ++Glyphs;
  }
  std::atomic<int> Glyphs = 0;
  // Where the layer's calls stand in Lines(), for each layer laid.
  std::vector<std::pair<size_t, size_t>> Beneath;

 private:
  struct Layer : RecordingCanvas {
    explicit Layer(const LayeredCanvas& owner) : owner(owner) {}
    void TextOut(int32_t x, int32_t y, const std::string& glyph) override {
      if (Glyphs > 0) AwaitFirst(owner.Glyphs);
      RecordingCanvas::TextOut(x, y, glyph);
      ++Glyphs;
    }
    const LayeredCanvas& owner;
    std::atomic<int> Glyphs = 0;
  };
  std::unique_ptr<Layer> layer_;
  std::atomic<bool> stop_ = false;
  std::future<void> drawn_;
};

// What the calls draw, bottom to top: each drawing call with what it draws
// with, a glyph its font, text colour and brush, anything else the pen and
// brush. The calls of a range in `beneath`
// were drawn last to first, each beneath the one before.
std::vector<std::string> Stacked(const std::vector<std::string>& lines,
                                 const std::vector<std::pair<size_t, size_t>>& beneath = {}) {
  std::map<std::string, std::string> state;
  std::vector<std::string> out;
  size_t reversedFrom = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    for (const auto& [from, to] : beneath) {
      if (i == from) reversedFrom = out.size();
      if (i == to) std::reverse(out.begin() + static_cast<ptrdiff_t>(reversedFrom), out.end());
    }
    const std::string& l = lines[i];
    const std::string name = l.substr(0, l.find(' '));
    if (name.starts_with("Set") && name != "SetPixel") {
      state[name] = l;
      continue;
    }
    const bool glyph = name == "TextOut";
    std::string drawn = l;
    for (const auto& [set, call] : state) {
      if (glyph ? set != "SetPen" : set == "SetPen" || set == "SetBrush") drawn += " | " + call;
    }
    out.push_back(drawn);
  }
  for (const auto& [from, to] : beneath) {
    if (to == lines.size())
      std::reverse(out.begin() + static_cast<ptrdiff_t>(reversedFrom), out.end());
  }
  return out;
}

// Texts shared with a layer stack as the walk stacks them drawn by itself:
// at once or in slices, and when the layer is dropped between slices (as a
// computation does), the walk draws the texts itself.
TEST_F(RendererTest, TextsOnALayerDrawWhatTheWalkDraws) {
  SetClock([] { return EncodeDateTime(2026, 1, 5, 9, 7, 3); });
  for (int i = 0; i < 30; ++i) {
    AddLineRec(Head(2 + i % 3, 1 + i % 2), i, 0, i, 90);
    AppendRecord<ekText>() = MakeText(Head(1 + i % 5), std::array{"A", "BC", "$J"}[i % 3]);
  }
  AppendRecord<ekPoint>() = {Head(6), 50, 50};
  TJwwEntDim& d = AppendRecord<ekDim>();
  d.Line = {Head(5, 2), 0, 1, 1, 2, 2};  // in a text's colour, dotted
  d.Text = MakeText(Head(4), "D");
  // The colour of a hollow brush draws nothing, and a layer cannot know
  // the one the walk will have reached.
  const auto drawing = [](std::vector<std::string> lines) {
    for (std::string& l : lines) {
      if (l.starts_with("SetBrush") && l.ends_with(" hollow")) l = "SetBrush hollow";
    }
    return lines;
  };
  const std::vector<std::string> plain = Stacked(drawing(Render()));
  // A walk only reads the store: nothing may mark it written.
  const uint64_t revision = JwwStore.Texts.Revision();
  // At once, in slices, and in slices with the layer dropped between them.
  for (const auto& [sliced, dropped] : {std::pair{false, false}, {true, false}, {true, true}}) {
    LayeredCanvas canvas;
    TRenderProgress progress;
    while (RenderStoreFrom(canvas, progress, [&] { return sliced; }, &canvas) ==
           TRenderEnd::Paused) {
      if (dropped) canvas.Drop();
    }
    const std::vector<std::string> stacked = Stacked(drawing(canvas.Lines()), canvas.Beneath);
    const auto [at, _] = std::mismatch(stacked.begin(), stacked.end(), plain.begin(), plain.end());
    EXPECT_EQ(stacked.size(), plain.size());
    EXPECT_TRUE(at == stacked.end())
        << "sliced " << sliced << " dropped " << dropped << ": " << *at << " where the walk draws "
        << plain[static_cast<size_t>(at - stacked.begin())];
    EXPECT_EQ(canvas.Beneath.size(), dropped ? 0u : 1u);
    EXPECT_GT(canvas.Glyphs, 0);
  }
  EXPECT_EQ(JwwStore.Texts.Revision(), revision);
  SetClock({});
}

// A change between two slices that did not stop the redraw first ends it
// before it reads the store again: the texts it would have read past their
// end, a record it never counted, a view its first slices did not draw.
// (With no layer: a thread still reading would race with the change.)
TEST_F(RendererTest, AChangeBetweenSlicesEndsTheRedrawUnread) {
  const std::pair<const char*, void (*)()> changes[] = {
      {"texts emptied", [] { JwwStore.Texts.clear(); }},
      {"a line added", [] { AddLineRec(Head(2), 0, 0, 9, 9); }},
      {"the view moved", [] { ShowSquareView(10, 0); }},
  };
  for (const auto& [name, change] : changes) {
    InitStore();
    ShowSquareView();
    for (int i = 0; i < 2500; ++i) AppendRecord<ekText>() = MakeText(Head(2), "A");
    RecordingCanvas canvas(100, 100);
    TRedraw redraw;
    redraw.Begin(canvas, 100, 100);
    while (canvas.LinesStartingWith("TextOut").size() < 20) {
      ASSERT_EQ(redraw.Continue([] { return true; }), TRedrawEnd::Paused) << name;
    }
    change();
    const size_t drawn = canvas.Lines().size();
    EXPECT_EQ(redraw.Continue({}), TRedrawEnd::Stale) << name;
    EXPECT_EQ(canvas.Lines().size(), drawn) << name;
    EXPECT_FALSE(redraw.Pending()) << name;
  }
}

// The texts' thread lays only a drawing run to its end, once; a stopped
// one, or one a new drawing replaced, leaves nothing to lay.
TEST(LayerThread, OnlyADrawingRunToItsEndIsLaid) {
  const auto endless = [](Canvas& layer, const std::atomic<bool>& stop) {
    layer.SetPixel(1, 1, 1);
    while (!stop) std::this_thread::yield();
  };
  const auto dot = [](Canvas& layer, const std::atomic<bool>&) { layer.SetPixel(2, 2, 2); };
  LayerThread thread;
  thread.Start([] { return std::make_unique<RecordingCanvas>(); }, endless);
  EXPECT_FALSE(thread.Wait(std::chrono::milliseconds(20)));
  thread.Stop();
  EXPECT_EQ(thread.TakeFinished(), nullptr);
  thread.Start(nullptr, endless);
  thread.Start(nullptr, dot);
  const auto* laid = dynamic_cast<const RecordingCanvas*>(thread.TakeFinished());
  ASSERT_NE(laid, nullptr);
  // The layer was made blank for each drawing.
  EXPECT_THAT(laid->Lines(), ElementsAre("SetPixel 2 2 rgb(2,0,0)"));
  EXPECT_EQ(thread.TakeFinished(), nullptr);  // laid once
}

TEST_F(RendererTest, GroupScaleDividesUnlessDrawingSizeMode) {
  JwwStore.GroupScale[3] = 100;
  AppendRecord<ekCircle>() = {Head(2, 1, 3), 5000, 5000, 500};
  // The first chord of the circle starts at angle 0: centre + radius.
  EXPECT_EQ(Drawn().front(), "MoveTo 55 50");
  JwwStore.DrawingSizeMode = true;
  ShowSquareView(0, 0, 0.01);
  EXPECT_EQ(Drawn().front(), "MoveTo 55 50");
}

struct ArcCase {
  const char* Name;
  double Start, End;
  const char* FirstMove;  // the first chord's start
  const char* LastLine;   // the last chord's end
};

TEST_F(RendererTest, ArcSweepsFromStartToEnd) {
  const ArcCase cases[] = {
      {"equal angles: whole ellipse from 0", 30, 30, "MoveTo 90 50", "LineTo 90 50"},
      {"30 to 20: 350 degrees", 30, 20, "MoveTo 85 30", "LineTo 88 36"},
      {"-90 to 0: a quarter", -90, 0, "MoveTo 50 90", "LineTo 90 50"},
  };
  for (const ArcCase& c : cases) {
    SCOPED_TRACE(c.Name);
    InitStore();
    AppendRecord<ekArc>() = {Head(2), 50, 50, 40, c.Start, c.End, 1, 0};
    const std::vector<std::string> drawn = Drawn();
    EXPECT_EQ(drawn.front(), c.FirstMove);
    EXPECT_EQ(drawn[drawn.size() - 2], c.LastLine);
    EXPECT_EQ(drawn.size(), 72u * 3);
  }
}

}  // namespace
