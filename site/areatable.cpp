// The area table and the triangles' marks, as lines, circles and texts.
#include "site/areatable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/geometry.h"
#include "common/sjis.h"
#include "exchange/store.h"

namespace {

// The "cc" anchors the drawing uses: bottom center, middle left, middle
// center, middle right.
constexpr int32_t kBottomCenter = 1;
constexpr int32_t kMiddleLeft = 3;
constexpr int32_t kMiddleCenter = 4;
constexpr int32_t kMiddleRight = 5;
constexpr int32_t kTopCenter = 7;
// The host's line colour 8, red: a check beyond its tolerance.
constexpr int32_t kRedColor = 8;

// Text cell size in drawing units: the current text kind's paper size
// times the layer group's scale, as the host will draw it.
struct TTextSize {
  double Height;
  double Width;  // of one half-width character with its spacing: half a full one
};

TTextSize CurrentTextSize() {
  TJwwEntText probe{};
  FillText(probe, 0, "0", 0.0, 0.0, 1.0, 0.0);
  const int32_t group = JwwStore.Current.LayerGroup;
  double scale = 1.0;
  if (!JwwStore.DrawingSizeMode && group >= 0 && group <= 15) {
    const double s = JwwStore.GroupScale[static_cast<size_t>(group)];
    if (s > 0.0 && std::isfinite(s)) scale = s;
  }
  const double height = probe.Height > 0.0 ? probe.Height : 2.5;
  const double width = probe.Width > 0.0 ? probe.Width : height;
  return {height * scale, (width + std::max(probe.Spacing, 0.0)) / 2 * scale};
}

class Drawer {
 public:
  Drawer(TOutlineCounters& counters, TTextSize size) : counters_(counters), size_(size) {}

  void Line(double x1, double y1, double x2, double y2, int32_t lineType = 0) {
    const size_t before = JwwStore.Lines.size();
    AddLine(x1, y1, x2, y2);
    ++counters_.LineCount;
    if ((lineType != 0 || color_ != 0) && JwwStore.Lines.size() > before) {
      TJwwEntHead& head = JwwStore.Lines.Edit(before).Head;
      if (lineType != 0) head.LineType = lineType;
      if (color_ != 0) head.Color = color_;
    }
  }
  void Line(TPlanePoint p, TPlanePoint q, int32_t lineType = 0) {
    Line(p.X, p.Y, q.X, q.Y, lineType);
  }
  // The host's colour of what follows; 0 for the current one.
  void Color(int32_t color) { color_ = color; }

  void Circle(double x, double y, double r) {
    TJwwEntCircle& c = AppendRecord<ekCircle>();
    c.CX = x;
    c.CY = y;
    c.R = r;
    ++counters_.CircleCount;
  }

  void Text(const std::string& sjis, double x, double y, int32_t anchor, double dx = 1.0,
            double dy = 0.0) {
    const size_t before = JwwStore.Texts.size();
    AddText(0, sjis, x, y, dx, dy);
    ++counters_.TextCount;
    if (JwwStore.Texts.size() > before) {
      TJwwEntText& t = JwwStore.Texts.Edit(before);
      t.TextAnchor = anchor;
      if (color_ != 0) t.Head.Color = color_;
    }
  }

  // A length above the middle of its line, reading left to right or bottom
  // to top.
  void LengthAlong(const std::string& text, const TSolvedPoint& p, const TSolvedPoint& q) {
    TextBeside(text, {p.X, p.Y}, {q.X, q.Y}, false);
  }

  // A text at the middle of the line from p to q, reading left to right or
  // bottom to top, on the line's left side (seen from p to q) or above it.
  void TextBeside(const std::string& text, TPlanePoint p, TPlanePoint q, bool onLeft) {
    const TPlanePoint u = UnitVector(q.X - p.X, q.Y - p.Y);
    if (u.X == 0.0 && u.Y == 0.0) return;
    const bool turned = u.X < -1e-9 || (std::abs(u.X) <= 1e-9 && u.Y < 0);
    const double dx = turned ? -u.X : u.X, dy = turned ? -u.Y : u.Y;
    // Turned, the line's left side is below the reading line.
    const bool below = onLeft && turned;
    const double gap = size_.Height * (below ? -0.25 : 0.25);
    Text(text, (p.X + q.X) / 2 - dy * gap, (p.Y + q.Y) / 2 + dx * gap,
         below ? kTopCenter : kBottomCenter, dx, dy);
  }

  const TTextSize& Size() const { return size_; }

 private:
  TOutlineCounters& counters_;
  TTextSize size_;
  int32_t color_ = 0;
};

// The foot of the perpendicular from c on the line through a and b.
TSolvedPoint Foot(const TSolvedPoint& a, const TSolvedPoint& b, const TSolvedPoint& c) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double len2 = dx * dx + dy * dy;
  const double t = len2 > 0.0 ? ((c.X - a.X) * dx + (c.Y - a.Y) * dy) / len2 : 0.0;
  return {true, a.X + t * dx, a.Y + t * dy};
}

void DrawTriangleMarks(const TOutlineSolution& sol, const TAreaResult& r, Drawer& d) {
  std::set<std::pair<int32_t, int32_t>> labelled;
  for (const TAreaTriangle& t : r.Triangles) {
    const TSolvedPoint &p = sol.Point(t.Point), &p1 = sol.Point(t.P1), &p2 = sol.Point(t.P2);
    const std::string number = std::to_string(t.Number);
    const double cx = (p.X + p1.X + p2.X) / 3, cy = (p.Y + p1.Y + p2.Y) / 3;
    const double radius =
        std::max(d.Size().Height * 0.9, d.Size().Width * (static_cast<double>(number.size()) + 1));
    d.Circle(cx, cy, radius);
    d.Text(number, cx, cy, kMiddleCenter);
    // Each side's ends: A between the partners, B and C from the point.
    const std::pair<int32_t, int32_t> ends[3] = {{t.P1, t.P2}, {t.Point, t.P1}, {t.Point, t.P2}};
    const int64_t lengths[3] = {t.A, t.B, t.C};
    if (r.Method == TAreaMethod::Heron) {
      for (int i = 0; i < 3; ++i) {
        const auto key = std::minmax(ends[i].first, ends[i].second);
        // A side two triangles share is labelled once.
        if (!labelled.insert(key).second) continue;
        d.LengthAlong(AreaLength(lengths[i]), sol.Point(ends[i].first), sol.Point(ends[i].second));
      }
    } else {
      const auto [a, b] = ends[t.BaseSide];
      const int32_t corner = t.BaseSide == 0 ? t.Point : t.BaseSide == 1 ? t.P2 : t.P1;
      const TSolvedPoint& c = sol.Point(corner);
      const TSolvedPoint foot = Foot(sol.Point(a), sol.Point(b), c);
      d.Line(c.X, c.Y, foot.X, foot.Y, kHeightLineType);
      if (labelled.insert(std::minmax(a, b)).second) {
        d.LengthAlong(AreaLength(t.Base), sol.Point(a), sol.Point(b));
      }
      d.LengthAlong(HeightLength(r, t.Height), c, foot);
    }
  }
}

// One column of the table: its header and width in half-width characters.
struct TColumn {
  const char* Header;
  int Chars;
};

std::vector<TColumn> MethodColumns(TAreaMethod method) {
  switch (method) {
    case TAreaMethod::BaseHeight:
      return {{"番号", 6}, {"底辺", 10}, {"高さ", 10}, {"倍面積", 16}};
    case TAreaMethod::Coordinates:
      return {{"点", 8}, {"X", 13}, {"Y", 13}, {"Yn+1-Yn-1", 12}, {"Xn(Yn+1-Yn-1)", 16}};
    case TAreaMethod::Heron:
      break;
  }
  return {{"番号", 6}, {"a", 10}, {"b", 10}, {"c", 10}, {"面積", 14}};
}

std::vector<TColumn> Columns(const TAreaResult& r) {
  std::vector<TColumn> columns = MethodColumns(r.Method);
  // The road's rows are named in four full-width characters.
  if (r.RoadTaken()) columns.front().Chars = std::max(columns.front().Chars, 10);
  return columns;
}

void DrawTable(const TOutlineSolution& sol, const TAreaResult& r, Drawer& d) {
  double maxX = -std::numeric_limits<double>::infinity(), maxY = maxX;
  for (const TSolvedPoint& p : sol.Points) {
    if (!p.Known) continue;
    maxX = std::max(maxX, p.X);
    maxY = std::max(maxY, p.Y);
  }
  const std::vector<TColumn> columns = Columns(r);
  const std::vector<std::vector<std::string>> rows = AreaTableCells(r);

  const double th = d.Size().Height, cw = d.Size().Width;
  const double rowHeight = th * 2;
  const double left = maxX + th * 2, top = maxY;
  std::vector<double> xs{left};
  for (const TColumn& c : columns) xs.push_back(xs.back() + cw * c.Chars);
  const double bottom = top - rowHeight * static_cast<double>(rows.size());
  for (size_t i = 0; i <= rows.size(); ++i) {
    const double y = top - rowHeight * static_cast<double>(i);
    d.Line(xs.front(), y, xs.back(), y);
  }
  for (const double x : xs) d.Line(x, top, x, bottom);
  for (size_t i = 0; i < rows.size(); ++i) {
    const double y = top - rowHeight * (static_cast<double>(i) + 0.5);
    for (size_t c = 0; c < columns.size(); ++c) {
      if (rows[i][c].empty()) continue;
      // Headers and numbers centered, figures flush right for the eye to add.
      if (i == 0 || c == 0) {
        d.Text(rows[i][c], (xs[c] + xs[c + 1]) / 2, y, kMiddleCenter);
      } else {
        d.Text(rows[i][c], xs[c + 1] - cw * 0.5, y, kMiddleRight);
      }
    }
  }
  d.Text(SiteAreaCaption(r), left, bottom - rowHeight * 0.75, kMiddleLeft);
}

// Each moved line dashed and named with its depth on the site's side; each
// corner cut by its cut line, named on the side away from the corner.
void DrawRoadParts(const TRoadParts& road, Drawer& d) {
  for (const TSetbackLine& line : road.Lines) {
    d.Line(line.From, line.To, kSetbackLineType);
    // The line runs counter-clockwise round what is left: the site is on
    // its left.
    d.TextBeside(Sjis("みなし道路境界線（後退 ") + AreaLength(line.Depth) + "m" + Sjis("）"),
                 line.From, line.To, true);
  }
  for (const TCornerCut& cut : road.Cuts) {
    d.Line(cut.A, cut.B);
    // From A to B the corner lies on the right.
    d.TextBeside(Sjis("隅切り ") + AreaLength(cut.Length) + "m", cut.A, cut.B, true);
  }
}

// Each check as a dimension: its line with a stroke across either end and
// both distances above it, red when beyond its tolerance.
void DrawChecks(const TOutlineSolution& sol, const TAreaResult& r, Drawer& d) {
  const double tick = d.Size().Height * 0.5;
  for (const TCheckDistance& c : r.CheckDistances) {
    if (!c.Known) continue;
    const TSolvedPoint &p = sol.Point(c.P), &q = sol.Point(c.Q);
    const TPlanePoint u = UnitVector(q.X - p.X, q.Y - p.Y);
    d.Color(c.Out() ? kRedColor : 0);
    d.Line(p.X, p.Y, q.X, q.Y);
    for (const TSolvedPoint& end : {p, q}) {
      d.Line(end.X + u.Y * tick, end.Y - u.X * tick, end.X - u.Y * tick, end.Y + u.X * tick);
    }
    d.LengthAlong(Sjis(CheckLabel(c)), p, q);
  }
  d.Color(0);
}

}  // namespace

void AddAreaDrawing(const TOutlineSolution& solution, const TAreaResult& result,
                    TOutlineCounters& counters) {
  if (result.Triangles.empty()) return;
  Drawer d(counters, CurrentTextSize());
  DrawRoadParts(result.Road, d);
  if (result.Settings.DrawChecks) DrawChecks(solution, result, d);
  if (!result.Settings.Table) return;
  if (result.Method != TAreaMethod::Coordinates) DrawTriangleMarks(solution, result, d);
  DrawTable(solution, result, d);
}

std::vector<std::vector<std::string>> AreaTableCells(const TAreaResult& r) {
  const std::vector<TColumn> columns = Columns(r);
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> header;
  for (const TColumn& c : columns) header.push_back(Sjis(c.Header));
  rows.push_back(header);
  switch (r.Method) {
    case TAreaMethod::Heron:
      for (const TAreaTriangle& t : r.Triangles) {
        rows.push_back({std::to_string(t.Number), AreaLength(t.A), AreaLength(t.B), AreaLength(t.C),
                        TriangleArea(r, t)});
      }
      break;
    case TAreaMethod::BaseHeight:
      for (const TAreaTriangle& t : r.Triangles) {
        rows.push_back({std::to_string(t.Number), AreaLength(t.Base), HeightLength(r, t.Height),
                        TriangleArea(r, t)});
      }
      break;
    case TAreaMethod::Coordinates:
      for (const TCornerRow& c : r.Coordinates.Rows) {
        rows.push_back({std::to_string(c.Point), AreaLength(c.X), AreaLength(c.Y), AreaLength(c.DY),
                        CornerProduct(r, c)});
      }
      break;
  }
  auto total = [&](const char* name, std::string figure) {
    std::vector<std::string> row(columns.size());
    row.front() = Sjis(name);
    row.back() = std::move(figure);
    rows.push_back(std::move(row));
  };
  total(r.Method == TAreaMethod::Coordinates ? "倍面積" : "合計", AreaSum(r));
  if (r.Method != TAreaMethod::Heron) total("面積", HalfSum(r));
  if (r.RoadTaken()) {
    total("実測面積", AreaUnitsText(r, r.MeasuredArea));
    if (!r.Road.Lines.empty()) total("後退部分", AreaUnitsText(r, r.SetbackArea));
    if (!r.Road.Cuts.empty()) {
      total("隅切り", AreaUnitsText(r, r.CutArea));
      // Counted in, it is shown and not taken off.
      if (!r.Settings.CutOut) rows.back()[1] = Sjis("算入");
    }
    total("敷地面積", SiteAreaText(r));
  }
  return rows;
}

std::string SiteAreaCaption(const TAreaResult& r) {
  std::string caption = Sjis("敷地面積 ") + SiteAreaText(r) + Sjis("㎡");
  if (r.Settings.Tsubo) caption += Sjis("（") + TsuboText(r) + Sjis("坪）");
  return caption;
}

std::string AreaTableTsv(const TAreaResult& r) {
  std::vector<std::vector<std::string>> rows = AreaTableCells(r);
  rows.push_back({Sjis("敷地面積(㎡)"), SiteAreaText(r)});
  if (r.Settings.Tsubo) rows.push_back({Sjis("坪"), TsuboText(r)});
  std::string out;
  for (const std::vector<std::string>& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      if (c > 0) out += '\t';
      out += row[c];
    }
    out += "\r\n";
  }
  return out;
}
