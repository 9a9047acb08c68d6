// The exchange store: everything the tool knows of the host drawing. One
// growable array of fixed-layout records per entity kind, the order index
// that keeps the interleaving of kinds, the header state read with the
// drawing, the current and initial attributes, the force flags, the reader's
// pending state and the output queue. One store per run (module state).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "exchange/growarray.h"

enum TJwwEntKind : int32_t {
  ekLine = 1,
  ekCircle = 2,
  ekArc = 3,
  ekText = 4,
  ekPoint = 5,
  ekCodedPoint = 6,
  ekDim = 7,
  ekBlock = 8,
  ekSolid2 = 9,
  ekSolid3 = 10,
  ekSolid4 = 11,
  ekSolidSc = 12,
  ekSolidSe = 13,
  ekSolidSo = 14,
  ekSolidSg = 15,
};

// The kinds the tool's own outline is made of (lines, circles, arcs, texts,
// points): emptied before every computation, the only ones ever sent back.
inline constexpr TJwwEntKind kLastOutlineKind = ekPoint;

// The line colour number that stands for the entity's own 24-bit colour: a
// solid's SolidRGB, or the value the host wrote after "lc10".
inline constexpr int32_t kOwnColorNumber = 10;

// The text kind a run starts with, and the one sent in place of a kind the
// host's command does not define.
inline constexpr int32_t kDefaultTextKind = 1;

// Whether the host's text kind command defines the kind: 0 (free size) or
// 1..10.
constexpr bool KnownTextKind(int32_t kind) {
  return kind >= 0 && kind <= 10;
}

// Texts and font names are cut to this many bytes when a record is filled.
inline constexpr size_t kMaxTextBytes = 255;

struct TJwwEntHead {
  int32_t LayerGroup;
  int32_t Layer;
  int32_t Color;
  int32_t LineType;
  int32_t LineWidth;
  int32_t ZFlags;
};

struct TJwwEntLine {
  TJwwEntHead Head;
  int32_t PolyId;  // 0, or the number of the "pl" group the line belongs to
  double X1, Y1, X2, Y2;
};

struct TJwwEntCircle {
  TJwwEntHead Head;
  double CX, CY, R;
};

struct TJwwEntArc {
  TJwwEntHead Head;
  double CX, CY, R;
  double StartAngle, EndAngle;  // degrees
  double Flatness, Tilt;
};

// The keyword of each text command, by TextCmd.
inline constexpr std::array<std::string_view, 10> kTextKeywords = {"ch", "cv", "cs", "cr", "co",
                                                                   "cp", "ct", "ck", "cz", "c2"};

struct TJwwEntText {
  TJwwEntHead Head;
  int32_t TextCmd;     // 0..9, the position of its keyword in kTextKeywords
  int32_t TextAnchor;  // the "cc" code 0..8
  int32_t TextKind;    // 0 = free size, 1..10 = a text kind
  double Width, Height, Spacing;
  double X, Y;
  double DX, DY;
  std::string FontName;
  std::string Text;
};

struct TJwwEntPoint {
  TJwwEntHead Head;
  double X, Y;
};

struct TJwwEntCodedPoint {
  TJwwEntHead Head;
  double X, Y, Scale, Angle;  // Angle in degrees
  int32_t Code;
};

struct TJwwEntDim {
  TJwwEntHead Head;
  TJwwEntLine Line;
  TJwwEntText Text;
};

struct TJwwEntBlk {
  TJwwEntHead Head;
  double X, Y;
  std::string Name;
};

struct TJwwEntSolid2 {
  TJwwEntHead Head;
  int32_t SolidRGB;
  double X1, Y1, X2, Y2;
};

struct TJwwEntSolid3 {
  TJwwEntHead Head;
  int32_t SolidRGB;
  double X1, Y1, X2, Y2, X3, Y3;
};

struct TJwwEntSolid4 {
  TJwwEntHead Head;
  int32_t SolidRGB;
  double X1, Y1, X2, Y2, X3, Y3, X4, Y4;
};

// Circular solids: kinds 12 and 13 use Code (the shape code), kinds 14 and
// 15 use InnerR. Angles are radians.
struct TJwwEntSolidArc {
  TJwwEntHead Head;
  int32_t SolidRGB;
  double CX, CY, R, Flatness, Tilt, Start, Sweep;
  int32_t Code;
  double InnerR;
};

struct TJwwOrderItem {
  int32_t Kind;
  int32_t Index;
};

struct TTextKindEntry {
  double Width, Height, Spacing;
  int32_t Color;
};

// The attributes in force while reading, creating and writing entities; the
// writer also keeps what it sent last here.
struct TJwwAttributes {
  int32_t LayerGroup, Layer, LineColor, LineType, LineWidth;
  int32_t TextKind;
  double FreeWidth, FreeHeight, FreeSpacing;
  int32_t FreeColor;
  int32_t TextAnchor;
  std::string FontName;
  int32_t PointColor;
  int32_t ExplicitColor;  // the value sent or read with "lc10"
};

// The first value of each attribute line met while reading: the host's
// current settings.
struct TJwwInitialAttributes {
  int32_t LayerGroup, Layer, LineColor, LineType, LineWidth;
  int32_t TextKind;
  double FreeWidth, FreeHeight, FreeSpacing;
  int32_t FreeColor;
  int32_t ExplicitColor;  // the value after the first "lc" when that is "lc10"
  std::string FontName;   // the first "cn$"; empty when there was none
};

// While reading, the first six mean "the next line of this kind is the first
// one". After ResetCurrentAttributes a raised flag makes the writer emit the
// command even when the value is unchanged.
struct TJwwForceFlags {
  bool LayerGroup, Layer, LineColor, LineType, LineWidth;
  bool TextKind, TextAnchor, Font, PointColor;
  bool ExplicitColor;
};

struct TJwwStore {
  TGrowArray<TJwwEntLine> Lines;
  TGrowArray<TJwwEntCircle> Circles;
  TGrowArray<TJwwEntArc> Arcs;
  TGrowArray<TJwwEntText> Texts;
  TGrowArray<TJwwEntPoint> Points;
  TGrowArray<TJwwEntCodedPoint> CodedPoints;
  TGrowArray<TJwwEntDim> Dims;
  TGrowArray<TJwwEntBlk> Blocks;
  TGrowArray<TJwwEntSolid2> Solids2;
  TGrowArray<TJwwEntSolid3> Solids3;
  TGrowArray<TJwwEntSolid4> Solids4;
  TGrowArray<TJwwEntSolidArc> SolidsSc;
  TGrowArray<TJwwEntSolidArc> SolidsSe;
  TGrowArray<TJwwEntSolidArc> SolidsSo;
  TGrowArray<TJwwEntSolidArc> SolidsSg;
  TGrowArray<TJwwOrderItem> Order;

  // Header state.
  std::array<double, 16> GroupScale;
  std::array<TTextKindEntry, 11> TextKindTable;  // entries 1..10; 0 unused
  bool DrawingSizeMode;

  TJwwAttributes Current;
  TJwwInitialAttributes Initial;
  TJwwForceFlags Force;

  // Reader state.
  int32_t PolyCounter;
  bool InPolyline;
  bool AfterMessage;
  int32_t PendingZ;
  TJwwEntLine PendingDimLine;  // held between "msg" and "cs"; PolyId unused

  // The command lines for the host, each at most 255 bytes.
  TGrowArray<std::string> Output;
};

// The one store of the run.
extern TJwwStore JwwStore;

// The header of a new record: the current attributes and the pending z flags.
TJwwEntHead CurrentHead();

// A text or font name as a record keeps it: at most kMaxTextBytes bytes, cut
// before a double-byte character that would not fit whole.
std::string FitTextBytes(std::string_view s);

// Two points whose coordinates both differ by less than 1e-8 are one point.
bool SamePoint(double x1, double y1, double x2, double y2);

// A direction whose components are both within 1e-8 of 0 points nowhere.
bool NoDirection(double dx, double dy);

// True when nothing is left of the text once its blanks are removed.
bool BlankText(std::string_view text);

// The table of entity kinds: each kind's number, record type and array in
// the store, in the order of the numbers. Every walk over the kinds goes
// through it, so a kind is added in this one place.
template <TJwwEntKind K, class T, TGrowArray<T> TJwwStore::*Array>
struct TEntKindRow {
  static constexpr TJwwEntKind Kind = K;
  using Record = T;
  static TGrowArray<T>& Records() { return JwwStore.*Array; }
};

using TEntKindTable =
    std::tuple<TEntKindRow<ekLine, TJwwEntLine, &TJwwStore::Lines>,
               TEntKindRow<ekCircle, TJwwEntCircle, &TJwwStore::Circles>,
               TEntKindRow<ekArc, TJwwEntArc, &TJwwStore::Arcs>,
               TEntKindRow<ekText, TJwwEntText, &TJwwStore::Texts>,
               TEntKindRow<ekPoint, TJwwEntPoint, &TJwwStore::Points>,
               TEntKindRow<ekCodedPoint, TJwwEntCodedPoint, &TJwwStore::CodedPoints>,
               TEntKindRow<ekDim, TJwwEntDim, &TJwwStore::Dims>,
               TEntKindRow<ekBlock, TJwwEntBlk, &TJwwStore::Blocks>,
               TEntKindRow<ekSolid2, TJwwEntSolid2, &TJwwStore::Solids2>,
               TEntKindRow<ekSolid3, TJwwEntSolid3, &TJwwStore::Solids3>,
               TEntKindRow<ekSolid4, TJwwEntSolid4, &TJwwStore::Solids4>,
               TEntKindRow<ekSolidSc, TJwwEntSolidArc, &TJwwStore::SolidsSc>,
               TEntKindRow<ekSolidSe, TJwwEntSolidArc, &TJwwStore::SolidsSe>,
               TEntKindRow<ekSolidSo, TJwwEntSolidArc, &TJwwStore::SolidsSo>,
               TEntKindRow<ekSolidSg, TJwwEntSolidArc, &TJwwStore::SolidsSg>>;

// Row i holds kind i + 1, so that EntKind below finds a kind by its number.
static_assert([]<size_t... I>(std::index_sequence<I...>) {
  return ((std::tuple_element_t<I, TEntKindTable>::Kind == ekLine + static_cast<int>(I)) && ...);
}(std::make_index_sequence<std::tuple_size_v<TEntKindTable>>{}));
static_assert(std::tuple_size_v<TEntKindTable> == ekSolidSg);

// The row of kind K.
template <TJwwEntKind K>
using EntKind = std::tuple_element_t<K - ekLine, TEntKindTable>;

// Short names of the kinds by number, for messages and dumps; the circular
// solids by their host keyword.
inline constexpr std::array<std::string_view, ekSolidSg + 1> kEntKindNames = {
    "",      "line",   "circle", "arc",    "text", "point", "coded", "dim",
    "block", "solid2", "solid3", "solid4", "sc",   "se",    "so",    "sg"};

// Calls f(row) for every row of the kind table, in the order of the kinds.
template <class F>
void ForEachKind(F&& f) {
  std::apply([&f](auto... rows) { (f(rows), ...); }, TEntKindTable{});
}

// Calls f(row, record) for the record an order-index entry names; nothing
// for a kind outside the table.
template <class F>
void VisitEntry(const TJwwOrderItem& item, F&& f) {
  ForEachKind([&item, &f](auto row) {
    if (item.Kind == row.Kind) f(row, row.Records()[static_cast<size_t>(item.Index)]);
  });
}

// The revision of each kind's records, in the order of the kinds: a reader
// that began from one value knows the drawing is as it was while it holds.
// (Not their sum: the kinds count their revisions apart, so two drawings
// could sum alike.)
using TDrawingRevisions = std::array<uint64_t, std::tuple_size_v<TEntKindTable>>;
TDrawingRevisions DrawingRevisions();

// The array of a circular solid kind (ekSolidSc .. ekSolidSg).
TGrowArray<TJwwEntSolidArc>& SolidArcRecords(TJwwEntKind kind);

// Appends a record to the kind's array: its order-index pair, the element,
// and its header from CurrentHead(). The caller fills the kind's own fields.
template <class T>
T& AppendRecordTo(TJwwEntKind kind, TGrowArray<T>& records) {
  JwwStore.Order.push_back({kind, static_cast<int32_t>(records.size())});
  T& r = records.emplace_back();
  r.Head = CurrentHead();
  return r;
}

// AppendRecordTo for kind K.
template <TJwwEntKind K>
typename EntKind<K>::Record& AppendRecord() {
  return AppendRecordTo(K, EntKind<K>::Records());
}

// AppendRecordTo for a circular solid whose kind is known only at run time.
inline TJwwEntSolidArc& AppendSolidArc(TJwwEntKind kind) {
  return AppendRecordTo(kind, SolidArcRecords(kind));
}

// Sets everything to its default, empties every array and the output queue.
void InitStore();

// Releases every array and the output queue.
void FreeStore();

// The current attributes to their defaults, all ten force flags raised.
void ResetCurrentAttributes();

// Empties the order index and the arrays of kinds 1 to 5; kinds 6 to 15 keep
// their records (still drawn, never sent).
void EmptyOutlineKinds();

// Appends a line unless both ends are equal within 1e-8. PolyId is 0.
void AddLine(double x1, double y1, double x2, double y2);

// Appends a point in the current point colour.
void AddPoint(double x, double y);

// Appends a text unless its direction is (0, 0) or the text is blank. A
// command outside 0..9 is taken as 0.
void AddText(int32_t textCmd, std::string_view text, double x, double y, double dx, double dy);

// Fills a text's own fields: the command, the current anchor, kind, size and
// font, the start point, the direction and the text cut by FitTextBytes.
void FillText(TJwwEntText& t, int32_t textCmd, std::string_view text, double x, double y, double dx,
              double dy);

// Calls f on every per-kind array and on the order index.
template <class F>
void ForEachStoreArray(F&& f) {
  ForEachKind([&f](auto row) { f(row.Records()); });
  f(JwwStore.Order);
}
