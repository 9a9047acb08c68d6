// The exchange store: its one instance, its defaults and the add operations
// the point computation uses.
#include "exchange/store.h"

#include <cmath>
#include <type_traits>

#include "common/sjis.h"
#include "common/sjischars.h"

TJwwStore JwwStore;

namespace {

// Two coordinates closer than this are the same point.
constexpr double kSamePoint = 1e-8;

// The attributes a run starts from: layer 0 of group 0, colour 1, line type 1,
// the thinnest width, text kind 1 and the host's usual gothic face.
TJwwAttributes DefaultAttributes() {
  TJwwAttributes a{};
  a.LayerGroup = 0;
  a.Layer = 0;
  a.LineColor = 1;
  a.LineType = 1;
  a.LineWidth = 0;
  a.TextKind = kDefaultTextKind;
  a.FreeWidth = 2.0;
  a.FreeHeight = 2.0;
  a.FreeSpacing = 0.0;
  a.FreeColor = 1;
  a.TextAnchor = 0;
  a.FontName = Sjis("<ＭＳ ゴシック>");
  a.PointColor = 1;
  a.ExplicitColor = 0;
  return a;
}

// The host's settings when its file names none: the start values above,
// without a font (no "cn$" line was read).
TJwwInitialAttributes DefaultInitialAttributes() {
  const TJwwAttributes c = DefaultAttributes();
  return {c.LayerGroup, c.Layer,      c.LineColor,   c.LineType,  c.LineWidth,     c.TextKind,
          c.FreeWidth,  c.FreeHeight, c.FreeSpacing, c.FreeColor, c.ExplicitColor, {}};
}

// A dimension read before any plain line followed its "msg" still needs a
// line: a unit line along +X in colour 1, line type 1.
TJwwEntLine DefaultPendingDimLine() {
  TJwwEntLine l{};
  l.Head.Color = 1;
  l.Head.LineType = 1;
  l.X2 = 1.0;
  return l;
}

// The size fields and colour of a text from the text kind table, or from the
// current free size for kind 0 or a kind outside 1..10.
void ResolveTextSize(TJwwEntText& t) {
  if (t.TextKind >= 1 && t.TextKind <= 10) {
    const TTextKindEntry& k = JwwStore.TextKindTable[t.TextKind];
    t.Width = k.Width;
    t.Height = k.Height;
    t.Spacing = k.Spacing;
    t.Head.Color = k.Color;
  } else {
    const TJwwAttributes& a = JwwStore.Current;
    t.Width = a.FreeWidth;
    t.Height = a.FreeHeight;
    t.Spacing = a.FreeSpacing;
    t.Head.Color = a.FreeColor;
  }
}

}  // namespace

bool SamePoint(double x1, double y1, double x2, double y2) {
  return std::fabs(x2 - x1) < kSamePoint && std::fabs(y2 - y1) < kSamePoint;
}

bool NoDirection(double dx, double dy) {
  return std::fabs(dx) <= kSamePoint && std::fabs(dy) <= kSamePoint;
}

bool BlankText(std::string_view text) {
  return StripBlanks(text).empty();
}

TJwwEntHead CurrentHead() {
  const TJwwAttributes& a = JwwStore.Current;
  return {a.LayerGroup, a.Layer, a.LineColor, a.LineType, a.LineWidth, JwwStore.PendingZ};
}

std::string FitTextBytes(std::string_view s) {
  return LeadingBytes(s, kMaxTextBytes);
}

void InitStore() {
  // A fresh store has no arrays, no output queue, a polyline counter of 0,
  // the reader's flags and the pending z flags cleared and real-size mode.
  JwwStore = TJwwStore{};
  TJwwStore& s = JwwStore;
  s.GroupScale.fill(1.0);
  s.TextKindTable.fill({3.0, 3.0, 0.0, 2});
  s.Current = DefaultAttributes();
  s.Initial = DefaultInitialAttributes();
  s.Force.LayerGroup = true;
  s.Force.Layer = true;
  s.Force.LineColor = true;
  s.Force.LineType = true;
  s.Force.LineWidth = true;
  s.Force.TextKind = true;
  s.PendingDimLine = DefaultPendingDimLine();
}

void FreeStore() {
  ForEachStoreArray([](auto& v) { v.clear(); });
  JwwStore.Output.clear();
}

void ResetCurrentAttributes() {
  JwwStore.Current = DefaultAttributes();
  JwwStore.Force = {true, true, true, true, true, true, true, true, true, true};
}

void EmptyOutlineKinds() {
  JwwStore.Order.clear();
  ForEachKind([](auto row) {
    if constexpr (decltype(row)::Kind <= kLastOutlineKind) row.Records().clear();
  });
}

TGrowArray<TJwwEntSolidArc>& SolidArcRecords(TJwwEntKind kind) {
  TGrowArray<TJwwEntSolidArc>* records = &EntKind<ekSolidSg>::Records();
  ForEachKind([kind, &records](auto row) {
    if constexpr (std::is_same_v<typename decltype(row)::Record, TJwwEntSolidArc>) {
      if (row.Kind == kind) records = &row.Records();
    }
  });
  return *records;
}

void AddLine(double x1, double y1, double x2, double y2) {
  if (SamePoint(x1, y1, x2, y2)) return;
  TJwwEntLine& l = AppendRecord<ekLine>();
  l.PolyId = 0;
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
}

void AddPoint(double x, double y) {
  TJwwEntPoint& p = AppendRecord<ekPoint>();
  p.Head.Color = JwwStore.Current.PointColor;
  p.X = x;
  p.Y = y;
}

void AddText(int32_t textCmd, std::string_view text, double x, double y, double dx, double dy) {
  if (NoDirection(dx, dy) || BlankText(text)) return;
  FillText(AppendRecord<ekText>(), (textCmd >= 0 && textCmd <= 9) ? textCmd : 0, text, x, y, dx,
           dy);
}

void FillText(TJwwEntText& t, int32_t textCmd, std::string_view text, double x, double y, double dx,
              double dy) {
  const TJwwAttributes& a = JwwStore.Current;
  t.TextCmd = textCmd;
  t.TextAnchor = a.TextAnchor;
  t.TextKind = a.TextKind;
  ResolveTextSize(t);
  t.X = x;
  t.Y = y;
  t.DX = dx;
  t.DY = dy;
  t.FontName = FitTextBytes(a.FontName);
  t.Text = FitTextBytes(text);
}

TDrawingRevisions DrawingRevisions() {
  TDrawingRevisions revisions{};
  size_t i = 0;
  ForEachKind([&](auto row) { revisions[i++] = row.Records().Revision(); });
  return revisions;
}
