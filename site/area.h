// The site's area from the distance table's triangles: each solved row's new
// point with its two partners. Three methods a building permit accepts: from
// the three sides (ヘロン法), from a base and its height (三斜法), or from the
// corners' coordinates round the outline (座標求積表). Every
// figure is an exact decimal (whole millimetres and their products), so a
// printed total is the sum of its printed rows and a reviewer with a
// calculator gets the same numbers. A cross-check by coordinates, check
// measurements and distances, rows the user leaves out, and the road's
// parts (setbacks and corner cuts) taken off the site come with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/tablefile.h"
#include "site/checks.h"
#include "site/coordinates.h"
#include "site/outline.h"
#include "site/pointlist.h"
#include "site/setback.h"

enum class TAreaMethod : uint8_t { Heron, BaseHeight, Coordinates };
// How the site area is brought to its decimals, as the authority asks.
enum class TAreaRounding : uint8_t { Cut, HalfUp, Up };

// How the area is worked out and shown, kept in the table files' block.
struct TAreaSettings {
  bool Table = false;  // draw the area table into the answer on OK
  TAreaMethod Method = TAreaMethod::Heron;
  bool Metres = false;  // lengths typed in m; else in mm
  int Decimals = 6;     // of a ヘロン法 triangle's area in m², 2..6
  TAreaRounding Rounding = TAreaRounding::Cut;
  int RoundDecimals = 2;   // of the site area, 0..4
  int HeightDecimals = 3;  // of a 三斜法 height in m, 3..5
  bool Tsubo = false;      // the printed site area with 坪 in brackets
  TAreaAxes Axes = TAreaAxes::Drawing;
  int64_t OriginX = 0;  // mm: point 1's coordinates as the table lists them
  int64_t OriginY = 0;
  std::vector<int32_t> Exclude;          // point numbers left out, ascending
  std::vector<TPointValue> Checks = {};  // distances measured between two points
  TCheckTolerance Tolerance = {};
  bool DrawChecks = false;                 // draw the checks on OK
  std::vector<TPointValue> Setbacks = {};  // sides set back, by their depths
  std::vector<TPointValue> Cuts = {};      // corners cut, by their cut lines
  bool CutOut = false;                     // the cuts are taken off the site area

  bool Excluded(int32_t point) const;
  // Leaves the point out, or takes it back in.
  void ToggleExcluded(int32_t point);
  bool operator==(const TAreaSettings&) const = default;
};

// The settings from a file's block; a missing or malformed value keeps its
// default.
TAreaSettings AreaSettingsFromOptions(const TTableOptions& options);
// Writes the settings into the block: a default value is removed, so a
// table never given a setting is written as before; other names stay.
void AreaSettingsToOptions(const TAreaSettings& settings, TTableOptions& options);

// A new point closer than this to an earlier one makes its row a check
// measurement.
inline constexpr int64_t kCheckDistanceMm = 20;
// The triangles' areas (to 10^-6 m², whatever the method) and the area by
// coordinates further apart than this (10^-6 m²) mean overlapping or missing
// triangles.
inline constexpr int64_t kMismatchMicroM2 = 10'000;

// One counted triangle. Sides in whole millimetres: A between the partners,
// B from the point to partner 1, C from the point to partner 2.
struct TAreaTriangle {
  int32_t Number = 0;  // 1.. in table order
  int32_t Point = 0;
  int32_t P1 = 0;
  int32_t P2 = 0;
  int64_t A = 0;
  int64_t B = 0;
  int64_t C = 0;
  int64_t Area = 0;        // ヘロン法: in units of 10^-Decimals m²
  int BaseSide = 0;        // 三斜法: 0 = A, 1 = B, 2 = C, the longest
  int64_t Base = 0;        // mm
  int64_t Height = 0;      // 10^-HeightDecimals m
  int64_t DoubleArea = 0;  // Base x Height, 10^-(3 + HeightDecimals) m²
};

// A row whose point lies within kCheckDistanceMm of an earlier one.
struct TAreaCheck {
  int32_t Point = 0;
  int32_t Near = 0;
  int64_t Millimetres = 0;
};

struct TAreaResult {
  // Coordinates only when the outline is one simple ring; else ヘロン法.
  TAreaMethod Method = TAreaMethod::Heron;
  // The settings it was worked out by, their decimals within range.
  TAreaSettings Settings;
  std::vector<TAreaTriangle> Triangles;
  std::vector<TAreaCheck> Checks;
  // The distances typed as checks, then those of the check rows (each
  // row's two distances to the point it measured again).
  std::vector<TCheckDistance> CheckDistances;
  std::vector<int32_t> TooLong;  // points whose triangle has a side beyond 10 km
  // The corners round the outline, whatever the method; its shape says
  // whether the coordinate method can be offered.
  TCoordinateTable Coordinates;
  // The coordinate method was asked for but the outline did not allow it.
  bool CoordinatesRefused = false;
  // The rows' figures and their sum in units of 10^-SumDecimals m²: ヘロン法
  // the areas, 三斜法 and the coordinate table the double areas.
  int SumDecimals = 6;
  int64_t Sum = 0;
  // 10^-RoundDecimals m²: the area of the outline by the rule (実測面積),
  // the road's parts, each brought the other way so that the site is never
  // more than its figures (後退部分, 隅切り), and the site area (敷地面積):
  // the first less the others, less the cuts only when they are counted out.
  int64_t MeasuredArea = 0;
  int64_t SetbackArea = 0;
  int64_t CutArea = 0;
  int64_t SiteArea = 0;
  TRoadParts Road;
  // Why no setback or cut could be worked (the outline is no simple ring),
  // UTF-8; empty when they could, or none is asked for.
  std::string RoadRefused;
  // The boundary's area by coordinates, 10^-6 m², and whether it differs
  // from the triangles' by more than kMismatchMicroM2.
  int64_t CoordinateArea = 0;
  bool Mismatch = false;
  // Setbacks or cuts are taken off: the table shows the steps to the site.
  bool RoadTaken() const { return !Road.Lines.empty() || !Road.Cuts.empty(); }
};

// The area of the triangles that count: solved rows whose partners are
// known, neither check measurements nor left out.
TAreaResult ComputeArea(const TOutlineSolution& solution, const TAreaSettings& settings);

// The figures as the table prints them (Shift-JIS not needed: ASCII).
std::string AreaLength(int64_t mm);                                      // m, 3 decimals
std::string HeightLength(const TAreaResult& r, int64_t height);          // m
std::string TriangleArea(const TAreaResult& r, const TAreaTriangle& t);  // its row's area
std::string CornerProduct(const TAreaResult& r, const TCornerRow& c);    // Xn(Yn+1 - Yn-1)
std::string AreaSum(const TAreaResult& r);                               // the sum row
std::string HalfSum(const TAreaResult& r);       // of a double area: the sum / 2, exact
std::string SiteAreaText(const TAreaResult& r);  // m², RoundDecimals
std::string AreaUnitsText(const TAreaResult& r, int64_t units);  // m², RoundDecimals
// The site area in 坪 (1 坪 = 400/121 m²), cut at 2 decimals.
std::string TsuboText(const TAreaResult& r);
// Why the outline allows no coordinate table, Shift-JIS; empty when it does.
std::string ShapeReason(TOutlineShape shape);

// The window's area line, Shift-JIS: "敷地面積 123.45㎡（37.34坪） ヘロン法・4三角形",
// then the road's parts taken off, the check measurements and distances,
// what was refused and why, and the cross-check's warning; empty when
// nothing counts and nothing is to be said.
std::string AreaLine(const TAreaResult& r);
