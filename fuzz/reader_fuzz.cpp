// Feeds arbitrary bytes to the JWC_TEMP.TXT reader: line by line through
// ParseJwcLine, as a whole file from memory and now and then through a file.
// All three must give the same store, and the store must hold together.
// An input may also stand for a file larger than the reader's block, grown
// from a few bytes (GrownInput), so that lines of every kind, and lines
// longer than a line is read, meet a block's end.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <type_traits>

#include "exchange/reader.h"
#include "exchange/store.h"

namespace {

// Longer inputs are skipped, so one input cannot grow the store without bound.
constexpr size_t kMaxInput = size_t{4} << 20;

// The block the reader reads a file in (exchange/reader.cpp).
constexpr size_t kReadBlock = size_t{1} << 20;

// An input that begins with this byte is grown: then come the filler's
// length less one, where the rest lands before a block's end (two bytes,
// low first), and which end (bit 0: the first or the second block's; bit 1:
// 64 KiB further before it); then the filler and the rest. The filler is
// repeated up to that place, the last copy cut where it falls, and the rest
// follows. A filler without a line end makes one line of a block's length.
constexpr uint8_t kGrow = 0xB1;

std::string GrownInput(std::string_view in) {
  const auto byte = [&in](size_t i) -> size_t {
    return i < in.size() ? static_cast<uint8_t>(in[i]) : 0;
  };
  const size_t fillerSize = byte(1) + 1;
  const size_t before = (byte(3) << 8 | byte(2)) + ((byte(4) & 2) != 0 ? size_t{1} << 16 : 0);
  const size_t place = ((byte(4) & 1) + 1) * kReadBlock - before;
  in.remove_prefix(std::min<size_t>(5, in.size()));
  std::string_view filler = in.substr(0, fillerSize);
  in.remove_prefix(filler.size());
  if (filler.empty()) filler = "\n";
  std::string out;
  out.reserve(place + in.size());
  while (out.size() < place) out.append(filler.substr(0, place - out.size()));
  out.append(in);
  return out;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// ------------------------------------------------------- store fingerprint

void Put(std::string& out, const std::string& s);
void Put(std::string& out, const TJwwEntHead& h);
void Put(std::string& out, const TJwwEntLine& l);
void Put(std::string& out, const TJwwEntText& t);
void Put(std::string& out, const TJwwEntSolidArc& s);

template <class T>
requires std::is_arithmetic_v<T>
void Put(std::string& out, T v) {
  out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

template <class... F>
void PutAll(std::string& out, const F&... fields) {
  (Put(out, fields), ...);
}

void Put(std::string& out, const std::string& s) {
  PutAll(out, s.size());
  out += s;
}

void Put(std::string& out, const TJwwEntHead& h) {
  PutAll(out, h.LayerGroup, h.Layer, h.Color, h.LineType, h.LineWidth, h.ZFlags);
}

void Put(std::string& out, const TJwwEntLine& l) {
  PutAll(out, l.Head, l.PolyId, l.X1, l.Y1, l.X2, l.Y2);
}

void Put(std::string& out, const TJwwEntText& t) {
  PutAll(out, t.Head, t.TextCmd, t.TextAnchor, t.TextKind, t.Width, t.Height, t.Spacing, t.X, t.Y,
         t.DX, t.DY, t.FontName, t.Text);
}

void Put(std::string& out, const TJwwEntSolidArc& s) {
  PutAll(out, s.Head, s.SolidRGB, s.CX, s.CY, s.R, s.Flatness, s.Tilt, s.Start, s.Sweep, s.Code,
         s.InnerR);
}

// Every record field by field (never the padding between them), the header
// state and the attributes: two equal fingerprints are two equal stores.
std::string Fingerprint() {
  const TJwwStore& s = JwwStore;
  std::string out;
  for (const TJwwOrderItem& o : s.Order) PutAll(out, o.Kind, o.Index);
  for (const auto& l : s.Lines) Put(out, l);
  for (const auto& c : s.Circles) PutAll(out, c.Head, c.CX, c.CY, c.R);
  for (const auto& a : s.Arcs) {
    PutAll(out, a.Head, a.CX, a.CY, a.R, a.StartAngle, a.EndAngle, a.Flatness, a.Tilt);
  }
  for (const auto& t : s.Texts) Put(out, t);
  for (const auto& p : s.Points) PutAll(out, p.Head, p.X, p.Y);
  for (const auto& p : s.CodedPoints) PutAll(out, p.Head, p.X, p.Y, p.Scale, p.Angle, p.Code);
  for (const auto& d : s.Dims) PutAll(out, d.Head, d.Line, d.Text);
  for (const auto& b : s.Blocks) PutAll(out, b.Head, b.X, b.Y, b.Name);
  for (const auto& p : s.Solids2) PutAll(out, p.Head, p.SolidRGB, p.X1, p.Y1, p.X2, p.Y2);
  for (const auto& p : s.Solids3) {
    PutAll(out, p.Head, p.SolidRGB, p.X1, p.Y1, p.X2, p.Y2, p.X3, p.Y3);
  }
  for (const auto& p : s.Solids4) {
    PutAll(out, p.Head, p.SolidRGB, p.X1, p.Y1, p.X2, p.Y2, p.X3, p.Y3, p.X4, p.Y4);
  }
  for (const auto* arcs : {&s.SolidsSc, &s.SolidsSe, &s.SolidsSo, &s.SolidsSg}) {
    for (const auto& a : *arcs) Put(out, a);
  }
  for (double g : s.GroupScale) Put(out, g);
  for (const TTextKindEntry& k : s.TextKindTable)
    PutAll(out, k.Width, k.Height, k.Spacing, k.Color);
  const TJwwAttributes& c = s.Current;
  PutAll(out, s.DrawingSizeMode, c.LayerGroup, c.Layer, c.LineColor, c.LineType, c.LineWidth,
         c.TextKind, c.FreeWidth, c.FreeHeight, c.FreeSpacing, c.FreeColor, c.TextAnchor,
         c.FontName, c.PointColor, c.ExplicitColor);
  const TJwwInitialAttributes& i = s.Initial;
  PutAll(out, i.LayerGroup, i.Layer, i.LineColor, i.LineType, i.LineWidth, i.TextKind, i.FreeWidth,
         i.FreeHeight, i.FreeSpacing, i.FreeColor, i.FontName);
  PutAll(out, s.PolyCounter, s.InPolyline, s.AfterMessage, s.PendingZ, s.PendingDimLine);
  return out;
}

// ------------------------------------------------------------ invariants

void CheckHead(const TJwwEntHead& h) {
  Check(h.LayerGroup >= 0 && h.LayerGroup <= 15);
  Check(h.Layer >= 0 && h.Layer <= 15);
  Check(h.ZFlags >= 0 && h.ZFlags <= 31);
}

void CheckText(const TJwwEntText& t) {
  CheckHead(t.Head);
  Check(t.Text.size() <= kMaxTextBytes && t.FontName.size() <= kMaxTextBytes);
  Check(t.TextCmd >= 0 && t.TextCmd <= 9);
  Check(t.TextAnchor >= 0 && t.TextAnchor <= 8);
}

// The order index lists every record once, kind by kind in array order, and
// the arrays have the capacity that growing in steps of 1000 leaves.
void CheckStore() {
  const TJwwStore& s = JwwStore;
  size_t seen[16] = {};
  for (const TJwwOrderItem& o : s.Order) {
    Check(o.Kind >= ekLine && o.Kind <= ekSolidSg);
    Check(static_cast<size_t>(o.Index) == seen[o.Kind]++);
  }
  size_t kind = ekLine;
  ForEachStoreArray([&](const auto& v) {
    Check(v.capacity() == (v.size() + 999) / 1000 * 1000);
    if (kind <= ekSolidSg) Check(v.size() == seen[kind++]);
  });
  for (const auto& l : s.Lines) CheckHead(l.Head);
  for (const auto& t : s.Texts) CheckText(t);
  for (const auto& d : s.Dims) {
    CheckHead(d.Head);
    CheckText(d.Text);
  }
  Check(s.PendingZ >= 0 && s.PendingZ <= 31);
}

void ParseLineByLine(std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    if (line.ends_with('\r')) line.remove_suffix(1);
    ParseJwcLine(line);
    if (lf == std::string_view::npos) break;
    bytes.remove_prefix(lf + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool grown = size > 0 && data[0] == kGrow;
  const std::string grownBytes = grown ? GrownInput(input) : std::string();
  const std::string_view bytes = grown ? std::string_view(grownBytes) : input;
  if (bytes.size() > kMaxInput) return 0;

  InitStore();
  ParseLineByLine(bytes);
  const std::string byLine = Fingerprint();

  InitStore();
  LoadJwcTempFromBytes(bytes);
  CheckStore();
  Check(Fingerprint() == byLine);

  // Through a file, read in blocks, for a grown input and one other in
  // sixteen: the same store again.
  if (grown || (size > 0 && data[0] % 16 == 0)) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("horune_reader_fuzz_" + std::to_string(getpid()) + ".txt");
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    InitStore();
    Check(LoadJwcTemp(path));
    Check(Fingerprint() == byLine);
    std::filesystem::remove(path);
  }
  return 0;
}
