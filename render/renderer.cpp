// Walks the store kind by kind, skipping hidden and auxiliary records,
// passing over blocks of records outside the view, culling each entity by
// its box before it sets a pen, and polling Esc.
#include "render/renderer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <iterator>
#include <numbers>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>

#include "common/escape.h"
#include "preview/blockboxes.h"
#include "preview/draw.h"
#include "preview/gval.h"
#include "preview/previewcoords.h"
#include "preview/reversedglyphs.h"
#include "text/imageref.h"
#include "text/pointmarker.h"
#include "text/textdraw.h"

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr int32_t kAuxNumber = 9;  // the colour and line type of auxiliary entities

bool ColorAux(const TJwwEntHead& h) {
  return h.Color == kAuxNumber;
}
bool LineAux(const TJwwEntHead& h) {
  return h.Color == kAuxNumber || h.LineType == kAuxNumber;
}

// Colour 10 means the solid's own 24-bit colour.
void SetSolidColors(Canvas& canvas, const TJwwEntHead& h, int32_t solidRGB) {
  if (h.Color == kOwnColorNumber) {
    const TColor color = static_cast<TColor>(solidRGB) & 0xFFFFFFu;
    SetPlainPen(canvas, color, 0, 0);
    SetPlainBrush(canvas, color, 1);
  } else {
    SetEntityPen(canvas, FlatLayer(h), h.Color, 1);
    SetEntityBrush(canvas, FlatLayer(h), h.Color, 1);
  }
}

// A straight-edged solid's corner points, in record order, drawn by
// WorldPolyline (two points) or WorldPolygon.
void RenderSolidPoints(Canvas& canvas, const TJwwEntHead& h, int32_t solidRGB,
                       std::span<const TWorldPoint> points, void (*draw)(Canvas&)) {
  if (OutsideView(PointsBox(h, points))) return;
  const double d = PreviewDivisor(h);
  SetSolidColors(canvas, h, solidRGB);
  for (const TWorldPoint& p : points) AddWorldPoint(p.x / d, p.y / d);
  draw(canvas);
  ClearWorldPoints();
}

// A circular solid within its box.
void RenderSolidArc(Canvas& canvas, const TJwwEntSolidArc& r, int32_t shape, double codeOrInner,
                    const TCullBox& box) {
  if (OutsideView(box)) return;
  const double d = PreviewDivisor(r.Head);
  SetSolidColors(canvas, r.Head, r.SolidRGB);
  SolidArcShape(canvas, shape, codeOrInner, r.CX / d, r.CY / d, r.R / d, r.Flatness, r.Tilt,
                r.Start, r.Sweep);
}

// What a walk polls: Esc, where the walk runs on the thread that answers
// the user, and then whether it is to pause.
struct TPoll {
  bool Escape;
  const RenderPause& Pause;
};

TRenderEnd Poll(const TPoll& poll) {
  if (poll.Escape && EscapePressed()) return TRenderEnd::Escaped;
  if (poll.Pause && poll.Pause()) return TRenderEnd::Paused;
  return TRenderEnd::Done;
}

// The poll after drawing record i: after every tenth.
TRenderEnd PollAfter(size_t i, const TPoll& poll) {
  return i % 10 == 0 ? Poll(poll) : TRenderEnd::Done;
}

// Whether a walk passes over records: on a hidden layer, or auxiliary while
// auxiliary entities are switched off.
template <class IsAux>
class TPassedOver {
 public:
  explicit TPassedOver(IsAux isAux)
      : att_(GraAttribute()), showAux_(att_.GetShowAux()), isAux_(isAux) {}
  bool operator()(const TJwwEntHead& h) const {
    return att_.GetLayerState(FlatLayer(h)) == kLayerHidden || (!showAux_ && isAux_(h));
  }

 private:
  const TgraAttribute& att_;
  bool showAux_;
  IsAux isAux_;
};

// Walks one kind in array order from progress.Next: records on hidden
// layers and, with auxiliary entities switched off, auxiliary ones are
// skipped; after every tenth drawn record Esc is polled, and then whether
// the walk is to pause. A block that lies outside the view is passed over
// whole, with one poll after it, so a long run of them still answers.
template <class T, class IsAux, class Draw>
TRenderEnd RenderKind(Canvas& canvas, const TGrowArray<T>& records, IsAux isAux, Draw draw,
                      const TBlockBoxes* blocks, TRenderProgress& progress, const TPoll& poll) {
  const TPassedOver passedOver(isAux);
  const size_t n = records.size();
  while (progress.Next < n) {
    const size_t i = progress.Next++;
    if (blocks != nullptr && blocks->BlockOutsideView(i)) {
      progress.Next = std::min(n, i + kBlockRecords);
      if (const TRenderEnd end = Poll(poll); end != TRenderEnd::Done) return end;
      continue;
    }
    const T& r = records[i];
    if (passedOver(r.Head)) continue;
    draw(canvas, r);
    if (const TRenderEnd end = PollAfter(i, poll); end != TRenderEnd::Done) return end;
  }
  return TRenderEnd::Done;
}

bool NeverAux(const TJwwEntHead&) {
  return false;
}

// Image references, points and texts are the text layer's drawing, with no
// colour override (-1).
void RenderImageRef(Canvas& canvas, const TJwwEntText& r) {
  DrawImageRef(canvas, r, -1);
}
void RenderPoint(Canvas& canvas, const TJwwEntPoint& r) {
  DrawPointEntity(canvas, r, -1);
}
void RenderCodedPoint(Canvas& canvas, const TJwwEntCodedPoint& r) {
  DrawCodedPointEntity(canvas, r, -1);
}
void RenderText(Canvas& canvas, const TJwwEntText& r) {
  DrawTextEntity(canvas, r, -1);
}

using StepWalk = TRenderEnd (*)(Canvas&, TRenderProgress&, const TPoll&);

// The blocks of a kind with a box function (BoxOf), kept in an index of
// its own and brought up to date; null when the kind is not walked by
// blocks.
template <auto Records, auto BoxOf>
const TBlockBoxes* Blocks() {
  if constexpr (std::is_null_pointer_v<decltype(BoxOf)>) {
    return nullptr;
  } else {
    static TBlockBoxes index;
    if (!BlockCulling()) return nullptr;
    index.Refresh(JwwStore.*Records, BoxOf);
    return &index;
  }
}

template <auto Records, auto IsAux, auto Draw, auto BoxOf = nullptr>
TRenderEnd Walk(Canvas& canvas, TRenderProgress& progress, const TPoll& poll) {
  return RenderKind(canvas, JwwStore.*Records, IsAux, Draw, Blocks<Records, BoxOf>(), progress,
                    poll);
}

// Lines and everything after them draw over the solids with a hollow brush.
TRenderEnd HollowBrush(Canvas& canvas, TRenderProgress&, const TPoll&) {
  SetPlainBrush(canvas, canvas.GetBrush().Color, 0);
  return TRenderEnd::Done;
}

constexpr StepWalk kTexts = Walk<&TJwwStore::Texts, ColorAux, RenderText, TextEntityBox>;

// The steps of a redraw in drawing order.
constexpr StepWalk kSteps[] = {
    Walk<&TJwwStore::Texts, ColorAux, RenderImageRef>,
    Walk<&TJwwStore::Solids2, ColorAux, RenderSolid2, Solid2Box>,
    Walk<&TJwwStore::Solids3, ColorAux, RenderSolid3, Solid3Box>,
    Walk<&TJwwStore::Solids4, ColorAux, RenderSolid4, Solid4Box>,
    Walk<&TJwwStore::SolidsSc, ColorAux, RenderSolidSc, FilledArcBox>,
    Walk<&TJwwStore::SolidsSe, ColorAux, RenderSolidSe, ArcOutlineBox>,
    Walk<&TJwwStore::SolidsSo, ColorAux, RenderSolidSo, RingBox>,
    Walk<&TJwwStore::SolidsSg, ColorAux, RenderSolidSg, RingBox>,
    HollowBrush,
    Walk<&TJwwStore::Lines, LineAux, RenderLine, LineBox>,
    Walk<&TJwwStore::Circles, LineAux, RenderCircle, CircleBox>,
    Walk<&TJwwStore::Arcs, LineAux, RenderArc, ArcBox>,
    Walk<&TJwwStore::Points, ColorAux, RenderPoint>,
    Walk<&TJwwStore::CodedPoints, ColorAux, RenderCodedPoint>,
    kTexts,
    Walk<&TJwwStore::Dims, NeverAux, RenderDim>,
};

}  // namespace

// The texts of a walk shared with the canvas's layer, one record at a time
// and a block outside the view at once: the walk takes them from the
// front, the layer's thread from the back, until the two ends meet.
class TTextShare {
 public:
  // The most records the share counts: each end is held in 32 bits.
  static constexpr size_t kMaxCount = 0xFFFFFFFFu;
  TTextShare(size_t count, const TBlockBoxes* blocks) : ends_(Pack(0, count)), blocks_(blocks) {}

  // The next record from the front with anything in view, or none once
  // the ends have met.
  std::optional<size_t> TakeFront() {
    return Take([this](size_t front, size_t back) -> Move {
      if (Outside(front)) return {Pack(std::min(back, front + kBlockRecords), back), {}};
      return {Pack(front + 1, back), front};
    });
  }
  // The next record from the back, likewise.
  std::optional<size_t> TakeBack() {
    return Take([this](size_t front, size_t back) -> Move {
      const size_t last = back - 1;
      const size_t block = last - last % kBlockRecords;
      if (block >= front && Outside(block)) return {Pack(front, block), {}};
      return {Pack(front, last), last};
    });
  }
  // Where the ends met, once they have.
  size_t Front() const { return ends_.load(std::memory_order_relaxed) & kLow; }

 private:
  static constexpr uint64_t kLow = kMaxCount;
  static uint64_t Pack(size_t front, size_t back) { return (uint64_t{back} << 32) | front; }
  bool Outside(size_t i) const { return blocks_ != nullptr && blocks_->BlockOutsideView(i); }

  // The ends after a move, and the record it took: none when it passed
  // over a block.
  struct Move {
    uint64_t Ends;
    std::optional<size_t> Taken;
  };
  // Moves one end by step(front, back) until a move takes a record.
  template <class Step>
  std::optional<size_t> Take(Step step) {
    uint64_t ends = ends_.load(std::memory_order_relaxed);
    for (;;) {
      const size_t front = ends & kLow;
      const size_t back = ends >> 32;
      if (front >= back) return std::nullopt;
      const Move move = step(front, back);
      // Nothing is handed over with a record: each thread draws on a
      // canvas of its own, and the layer is laid after its thread is done.
      if (!ends_.compare_exchange_weak(ends, move.Ends, std::memory_order_relaxed)) continue;
      if (move.Taken) return move.Taken;
      ends = move.Ends;
    }
  }

  std::atomic<uint64_t> ends_;  // the front in the low half, the back in the high
  const TBlockBoxes* blocks_;
};

namespace {

// The layer's texts: taken from the back and drawn last to first, each
// text's glyphs too, since the layer stacks beneath. Polled for the
// layer's stop flag, never for Esc, which the thread that answers the user
// polls. Reading leaves the array's revision as it is, so both ends may
// read it at once.
void DrawTextsFromTheBack(TTextShare& share, Canvas& layer, const std::atomic<bool>& stop) {
  const TPassedOver passedOver(ColorAux);
  TReversedGlyphs glyphs(layer);
  while (!stop.load(std::memory_order_relaxed)) {
    const std::optional<size_t> i = share.TakeBack();
    if (!i) break;
    const TJwwEntText& r = JwwStore.Texts[*i];
    if (passedOver(r.Head)) continue;
    RenderText(glyphs, r);
    glyphs.LayText();
  }
  glyphs.Finish();
}

// Starts the layer on the texts; null when the canvas has none, or when
// the texts are too many for the share to count.
std::shared_ptr<TTextShare> StartTextsOnLayer(TTextsLayer& texts) {
  const size_t count = JwwStore.Texts.size();
  if (count > TTextShare::kMaxCount) return nullptr;
  auto share = std::make_shared<TTextShare>(count, Blocks<&TJwwStore::Texts, TextEntityBox>());
  const bool started = texts.Start([share](Canvas& layer, const std::atomic<bool>& stop) {
    DrawTextsFromTheBack(*share, layer, stop);
  });
  return started ? share : nullptr;
}

// The walk's texts while it shares them with the layer: taken from the
// front and drawn in place, with Esc and the pause polled after every tenth
// drawn record as in any kind.
TRenderEnd DrawTextsFromTheFront(Canvas& canvas, TTextShare& share, const TPoll& poll) {
  const TPassedOver passedOver(ColorAux);
  while (const std::optional<size_t> i = share.TakeFront()) {
    const TJwwEntText& r = JwwStore.Texts[*i];
    if (passedOver(r.Head)) continue;
    RenderText(canvas, r);
    if (const TRenderEnd end = PollAfter(*i, poll); end != TRenderEnd::Done) return end;
  }
  return TRenderEnd::Done;
}

// How long the texts step waits for the layer between polls.
constexpr std::chrono::milliseconds kLayerPoll{1};

// The texts step of a walk that shares them with the layer: its own share,
// then the layer's, waited for while Esc and the pause are answered, and
// laid. A layer stopped early leaves its share to be drawn here.
TRenderEnd ShareTexts(Canvas& canvas, TRenderProgress& progress, const TPoll& poll,
                      TTextsLayer& texts) {
  TTextShare& share = *progress.SharedTexts;
  if (const TRenderEnd end = DrawTextsFromTheFront(canvas, share, poll); end != TRenderEnd::Done) {
    return end;
  }
  while (!texts.Done(kLayerPoll)) {
    if (const TRenderEnd end = Poll(poll); end != TRenderEnd::Done) return end;
  }
  progress.Next = share.Front();
  progress.SharedTexts = nullptr;
  if (texts.Lay(canvas)) return TRenderEnd::Done;
  return kTexts(canvas, progress, poll);
}

}  // namespace

TRenderEnd RenderStoreFrom(Canvas& canvas, TRenderProgress& progress, const RenderPause& pause,
                           TTextsLayer* texts) {
  // Texts, where most of a redraw goes, are drawn meanwhile on a layer when
  // the canvas has one: nothing before them reads what they draw.
  if (!progress.Begun) {
    progress.Begun = true;
    if (texts != nullptr) {
      // A layer still on an earlier walk reads the texts' block index, which
      // this walk may build anew: it stops before the index is touched.
      texts->Drop();
      progress.SharedTexts = StartTextsOnLayer(*texts);
    }
  }
  const TPoll poll{true, pause};
  for (; progress.Step < std::size(kSteps); ++progress.Step, progress.Next = 0) {
    const bool starting = progress.Next == 0 && progress.Step > 0;
    const StepWalk step = kSteps[progress.Step];
    TRenderEnd end = TRenderEnd::Done;
    // The brush change draws nothing, so no Esc poll comes before it.
    if (starting && step != HollowBrush && EscapePressed()) {
      end = TRenderEnd::Escaped;
    } else if (step == kTexts && progress.SharedTexts != nullptr) {
      end = ShareTexts(canvas, progress, poll, *texts);
    } else {
      end = step(canvas, progress, poll);
    }
    if (end == TRenderEnd::Escaped && texts != nullptr) texts->Drop();
    if (end != TRenderEnd::Done) return end;
  }
  return TRenderEnd::Done;
}

void RenderStore(Canvas& canvas) {
  TRenderProgress progress;
  RenderStoreFrom(canvas, progress, {});
}

void RenderViewFrame(Canvas& canvas, int32_t width, int32_t height) {
  ClearView(canvas, width, height);
  SetPlainPen(canvas, RGB(0, 0, 255), 0, 0);
  ScreenRect(canvas, 0, 0, width - 1, height - 1);
}

void RenderPreviewFrame(Canvas& canvas, int32_t width, int32_t height) {
  RenderViewFrame(canvas, width, height);
  SetPlainPen(canvas, RGB(255, 0, 0), 0, 2);
  const double d = 5 / Gval.ViewScale;
  WorldLine(canvas, -d, 0, d, 0);
  WorldLine(canvas, 0, -d, 0, d);
}

void RenderPreview(Canvas& canvas, int32_t width, int32_t height) {
  RenderPreviewFrame(canvas, width, height);
  RenderStore(canvas);
}

void RenderSolid2(Canvas& canvas, const TJwwEntSolid2& r) {
  RenderSolidPoints(canvas, r.Head, r.SolidRGB, SolidCorners(r), WorldPolyline);
}

void RenderSolid3(Canvas& canvas, const TJwwEntSolid3& r) {
  RenderSolidPoints(canvas, r.Head, r.SolidRGB, SolidCorners(r), WorldPolygon);
}

void RenderSolid4(Canvas& canvas, const TJwwEntSolid4& r) {
  RenderSolidPoints(canvas, r.Head, r.SolidRGB, SolidCorners(r), WorldPolygon);
}

void RenderSolidSc(Canvas& canvas, const TJwwEntSolidArc& r) {
  RenderSolidArc(canvas, r, kShapeFilledArc, r.Code, FilledArcBox(r));
}

void RenderSolidSe(Canvas& canvas, const TJwwEntSolidArc& r) {
  RenderSolidArc(canvas, r, kShapeArcOutline, r.Code, ArcOutlineBox(r));
}

void RenderSolidSo(Canvas& canvas, const TJwwEntSolidArc& r) {
  RenderSolidArc(canvas, r, kShapeRing, r.InnerR / PreviewDivisor(r.Head), RingBox(r));
}

void RenderSolidSg(Canvas& canvas, const TJwwEntSolidArc& r) {
  RenderSolidSo(canvas, r);
}

void RenderLine(Canvas& canvas, const TJwwEntLine& r) {
  const TCullBox box = LineBox(r);
  if (OutsideView(box)) return;
  SetEntityPen(canvas, FlatLayer(r.Head), r.Head.Color, r.Head.LineType);
  WorldLine(canvas, box.X1, box.Y1, box.X2, box.Y2);
}

void RenderCircle(Canvas& canvas, const TJwwEntCircle& r) {
  if (OutsideView(CircleBox(r))) return;
  const double d = PreviewDivisor(r.Head);
  SetEntityPen(canvas, FlatLayer(r.Head), r.Head.Color, r.Head.LineType);
  WorldEllipse(canvas, r.CX / d, r.CY / d, r.R / d, 1.0, 0.0);
}

void RenderArc(Canvas& canvas, const TJwwEntArc& r) {
  const double d = PreviewDivisor(r.Head);
  const double cx = r.CX / d;
  const double cy = r.CY / d;
  const double radius = r.R / d;
  if (OutsideView(ArcBox(r))) return;
  SetEntityPen(canvas, FlatLayer(r.Head), r.Head.Color, r.Head.LineType);
  const double start = WrapDegrees(r.StartAngle);
  const double sweep = WrapDegrees(r.EndAngle - r.StartAngle);
  const double tilt = r.Tilt * kDegToRad;
  if (std::abs(sweep) <= 1e-8) {
    WorldEllipse(canvas, cx, cy, radius, r.Flatness, tilt);
  } else {
    WorldArc(canvas, cx, cy, radius, r.Flatness, tilt, start * kDegToRad, sweep * kDegToRad);
  }
}

void RenderDim(Canvas& canvas, const TJwwEntDim& r) {
  const bool showAux = GraAttribute().GetShowAux();
  if (showAux || !LineAux(r.Line.Head)) RenderLine(canvas, r.Line);
  if (showAux || !ColorAux(r.Text.Head)) RenderText(canvas, r.Text);
}
