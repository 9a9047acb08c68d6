// The core's share of a session on a large drawing, step by step as the
// window takes it, each step timed once on the wall clock: bench/scale.sh
// runs it under /usr/bin/time for the peak memory and prints the figures
// against their targets. Also writes the drawings it measures.
//
//   scale_probe generate PATH ENTITIES   the host's file of that many entities
//   scale_probe oneline PATH MEGABYTES   one text line of that size and a circle
//   scale_probe read PATH                the reader alone
//   scale_probe write PATH               the writer over the whole drawing
//   scale_probe session PATH             start-up, recomputation, zoom, OK
//   scale_probe kinds PATH               the build of the block boxes, a
//                                        fitted redraw's time kind by kind,
//                                        first with cold caches, then warm,
//                                        and the renderer's walk by blocks
//                                        and record by record, then zoomed
//                                        in to a hundredth
//   scale_probe notches PATH             a dozen wheel notches from the
//                                        fitted view, each at a scale of
//                                        its own so its glyphs are new, as
//                                        a notch's are: for a profiler
//   scale_probe hundredths PATH          200 such notches from the view
//                                        zoomed in to a hundredth
//   scale_probe texts PATH               the texts and dimensions of a
//                                        fitted redraw, warm, 40 times on
//                                        one thread
//   scale_probe textout PATH             (Windows) upright, turned and
//                                        vertical texts drawn by the glyph
//                                        path and by GDI's TextOut onto
//                                        the same DIB, cold and warm
//
// Every timed step is one line "name wall-seconds cpu-seconds", every other
// figure "name value". The Windows build draws on the Windows program's
// canvas and prints its own peak memory ("peak_mb"), for a run under Wine.
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "exchange/reader.h"
#include "exchange/store.h"
#include "exchange/writeback.h"
#include "exchange/writer.h"
#include "preview/blockboxes.h"
#include "preview/draw.h"
#include "preview/extents.h"
#include "preview/gval.h"
#include "render/renderer.h"
#include "site/outline.h"
#include "support/drawing_generator.h"
#include "text/pointmarker.h"
#include "text/textdraw.h"
#ifdef _WIN32
// clang-format off
#include "ui/win32/win32.h"
#include <psapi.h>
// clang-format on

#include "common/geometry.h"
#include "common/sjis.h"
#include "text/facenames.h"
#include "ui/win32/dibcanvas.h"
using SessionCanvasType = DibCanvas;
#else
#include <QGuiApplication>

#include "ui/qt/qtcanvas.h"
using SessionCanvasType = QtCanvas;
#endif

namespace {

// The preview of a window on a full-HD screen.
constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

// The factor of one wheel notch.
constexpr double kZoomStep = 2.0;

// A step's wall time and the process's CPU time in it; on a busy machine
// the two part, and the CPU time tells what the step itself costs.
class Stopwatch {
 public:
  Stopwatch() { Restart(); }
  void Restart() {
    wall_ = std::chrono::steady_clock::now();
    cpu_ = CpuSeconds();
  }
  // Prints "name wall cpu" in seconds.
  void Print(const char* name) const {
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
    std::printf("%s %.4f %.4f\n", name, wall, CpuSeconds() - cpu_);
  }

 private:
  static double CpuSeconds() {
#ifdef _WIN32
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto seconds = [](const FILETIME& f) {
      return static_cast<double>((static_cast<uint64_t>(f.dwHighDateTime) << 32) |
                                 f.dwLowDateTime) *
             1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#endif
  }
  std::chrono::steady_clock::time_point wall_;
  double cpu_ = 0;
};

void PrintValue(const char* name, double value) {
  std::printf("%s %.1f\n", name, value);
}

// Rows 1..n: every new point 10 from the two before it, on alternate sides,
// a strip of triangles along the x axis.
// A table of rows, each point fixed from the two before it.
TOutlineInput StripTable(int rows) {
  TOutlineInput input{"10", "0", {}};
  for (int r = 1; r <= rows; ++r) {
    input.Rows.push_back({std::to_string(r), "10", std::to_string(r + 1), "10", r % 2 ? "0" : "1"});
  }
  return input;
}

// The window keeps one canvas across redraws, and with it the canvas's
// fonts and glyph coverages.
SessionCanvasType& SessionCanvas() {
  static SessionCanvasType canvas(kWidth, kHeight);
  return canvas;
}

// What the window's redraw does: the whole preview drawn onto its canvas.
void Redraw() {
  RenderPreview(SessionCanvas(), kWidth, kHeight);
  std::fflush(stdout);
}

void ZoomAtCenter(double factor) {
  Gval.ViewScale *= factor;
  CenterView((Gval.ViewMinX + Gval.ViewMaxX) / 2, (Gval.ViewMinY + Gval.ViewMaxY) / 2, kWidth,
             kHeight);
}

void TimedRedraw(const char* name) {
  const Stopwatch watch;
  Redraw();
  watch.Print(name);
}

int Generate(const char* path, long entities) {
  const std::string bytes = GenerateHostDrawing(static_cast<size_t>(entities));
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return 0;
}

int OneLine(const char* path, long megabytes) {
  std::ofstream out(path, std::ios::binary);
  out << "ch 0 0 1 0 \"";
  const std::string block(1 << 20, 'x');
  for (long i = 0; i < megabytes; ++i) out << block;
  out << "\r\nci 1 2 3\r\n";
  return 0;
}

int Read(const char* path) {
  InitStore();
  const Stopwatch watch;
  if (!LoadJwcTemp(path)) return 1;
  watch.Print("read");
  PrintValue("file_mb", static_cast<double>(std::filesystem::file_size(path)) / 1e6);
  PrintValue("entities", static_cast<double>(JwwStore.Order.size()));
  return 0;
}

std::filesystem::path AnswerPath() {
  return std::filesystem::temp_directory_path() / "horune-scale-probe-JWC_TEMP.TXT";
}

// The writer over the whole drawing as read, for its throughput: more than
// OK ever sends, which is the outline alone.
int Write(const char* path) {
  InitStore();
  LoadJwcTemp(path);
  ResetCurrentAttributes();
  ApplyInitialAttributes();
  const Stopwatch watch;
  QueueLine("hd");
  WriteAll(TWriteOverrides{}, {});
  const bool saved = SaveJwcTemp(AnswerPath().string());
  watch.Print("write");
  PrintValue("entities", static_cast<double>(JwwStore.Order.size()));
  PrintValue("written_mb", static_cast<double>(std::filesystem::file_size(AnswerPath())) / 1e6);
  std::filesystem::remove(AnswerPath());
  return saved ? 0 : 1;
}

// The drawing at the path in the store, as the window reads it at start-up.
void Load(const char* path) {
  InitStore();
  CreateGraAttribute();
  LoadJwcTemp(path);
  ResetCurrentAttributes();
  ApplyInitialAttributes();
}

// Every record of the kind drawn by the function, timed as one step.
template <class T, class Draw>
void TimedKind(const std::string& name, const TGrowArray<T>& records, Draw draw) {
  SessionCanvasType& canvas = SessionCanvas();
  const Stopwatch watch;
  for (size_t i = 0; i < records.size(); ++i) draw(canvas, records[i]);
  watch.Print(name.c_str());
  PrintValue((name + "_records").c_str(), static_cast<double>(records.size()));
}

// One fitted redraw kind by kind, in the renderer's order; the steps are
// prefixed so the cold and the warm walk read apart.
void TimedKinds(const std::string& prefix) {
  const TJwwStore& s = JwwStore;
  auto point = [](Canvas& c, const TJwwEntPoint& r) { DrawPointEntity(c, r, -1); };
  auto codedPoint = [](Canvas& c, const TJwwEntCodedPoint& r) { DrawCodedPointEntity(c, r, -1); };
  auto text = [](Canvas& c, const TJwwEntText& r) { DrawTextEntity(c, r, -1); };
  ClearView(SessionCanvas(), kWidth, kHeight);
  TimedKind(prefix + "solids2", s.Solids2, RenderSolid2);
  TimedKind(prefix + "solids3", s.Solids3, RenderSolid3);
  TimedKind(prefix + "solids4", s.Solids4, RenderSolid4);
  TimedKind(prefix + "solids_sc", s.SolidsSc, RenderSolidSc);
  TimedKind(prefix + "solids_se", s.SolidsSe, RenderSolidSe);
  TimedKind(prefix + "solids_so", s.SolidsSo, RenderSolidSo);
  TimedKind(prefix + "solids_sg", s.SolidsSg, RenderSolidSg);
  SetPlainBrush(SessionCanvas(), SessionCanvas().GetBrush().Color, 0);
  TimedKind(prefix + "lines", s.Lines, RenderLine);
  TimedKind(prefix + "circles", s.Circles, RenderCircle);
  TimedKind(prefix + "arcs", s.Arcs, RenderArc);
  TimedKind(prefix + "points", s.Points, point);
  TimedKind(prefix + "coded_points", s.CodedPoints, codedPoint);
  TimedKind(prefix + "texts", s.Texts, text);
  TimedKind(prefix + "dims", s.Dims, RenderDim);
}

// The block boxes of every kind the renderer walks by blocks, built from
// nothing, as the first redraw after a load or a computation builds them.
void TimedBlockIndex() {
  const TJwwStore& s = JwwStore;
  const Stopwatch watch;
  size_t blocks = 0;
  auto build = [&blocks](const auto& records, auto boxOf) {
    TBlockBoxes boxes;
    boxes.Refresh(records, boxOf);
    blocks += boxes.BlockCount();
  };
  build(s.Solids2, Solid2Box);
  build(s.Solids3, Solid3Box);
  build(s.Solids4, Solid4Box);
  build(s.SolidsSc, FilledArcBox);
  build(s.SolidsSe, ArcOutlineBox);
  build(s.SolidsSo, RingBox);
  build(s.SolidsSg, RingBox);
  build(s.Lines, LineBox);
  build(s.Circles, CircleBox);
  build(s.Arcs, ArcBox);
  watch.Print("block_index");
  PrintValue("block_index_blocks", static_cast<double>(blocks));
}

// The renderer's whole walk over the store, by blocks and record by record.
void TimedWalks(const std::string& prefix) {
  for (const bool blocks : {true, false}) {
    SetBlockCulling(blocks);
    ClearView(SessionCanvas(), kWidth, kHeight);
    RenderStore(SessionCanvas());  // builds the blocks, warms the caches
    const Stopwatch watch;
    RenderStore(SessionCanvas());
    watch.Print((prefix + (blocks ? "walk_by_blocks" : "walk_by_records")).c_str());
  }
  SetBlockCulling(true);
}

// The texts and dimensions of a fitted redraw, warm, 40 times over.
int Texts(const char* path) {
  Load(path);
  FitViewToExtents(kWidth, kHeight);
  TimedKinds("cold_");
  auto text = [](Canvas& c, const TJwwEntText& r) { DrawTextEntity(c, r, -1); };
  for (int i = 0; i < 40; ++i) {
    TimedKind("texts", JwwStore.Texts, text);
    TimedKind("dims", JwwStore.Dims, RenderDim);
  }
  return 0;
}

int Kinds(const char* path) {
  Load(path);
  TimedBlockIndex();
  FitViewToExtents(kWidth, kHeight);
  TimedKinds("cold_");
  TimedKinds("");
  TimedWalks("");
  ZoomAtCenter(kZoomStep);
  TimedKinds("notch_");
  FitViewToExtents(kWidth, kHeight);
  ZoomAtCenter(100);
  TimedKinds("hundredth_");
  TimedWalks("hundredth_");
  FreeStore();
  return 0;
}

// Notches in and a little more or less, in turn, from the fitted view or
// from one zoomed in by `from`: every glyph size new.
int Notches(const char* path, double from, int count) {
  Load(path);
  FitViewToExtents(kWidth, kHeight);
  const double fittedScale = Gval.ViewScale;
  ZoomAtCenter(from);
  Redraw();
  for (int k = 0; k < count; ++k) {
    Gval.ViewScale = fittedScale;
    ZoomAtCenter(from * kZoomStep * std::pow(1.05, k % 2 ? k % 12 : -(k % 12)));
    TimedRedraw("notch");
  }
  return 0;
}

#ifdef _WIN32
// The Windows canvas with its glyphs drawn by GDI's TextOut onto the DIB
// instead of filled from outlines, each font made once: what the glyph
// path is measured against.
class GdiTextCanvas : public DibCanvas {
 public:
  using DibCanvas::DibCanvas;
  ~GdiTextCanvas() override {
    SelectObject(Dc(), GetStockObject(SYSTEM_FONT));
    for (const auto& [key, font] : fonts_) DeleteObject(font);
  }
  GdiTextCanvas(const GdiTextCanvas&) = delete;
  GdiTextCanvas& operator=(const GdiTextCanvas&) = delete;

  void SetFont(const LogFont& font) override {
    LOGFONTW record = GdiFontRecord(font, InstalledFace(FaceNameOf(font.FaceName)));
    record.lfEscapement = font.Escapement;
    record.lfOrientation = font.Orientation;
    const std::string key(reinterpret_cast<const char*>(&record), sizeof record);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.emplace(key, CreateFontIndirectW(&record)).first;
    SelectObject(Dc(), it->second);
    SetBkMode(Dc(), TRANSPARENT);
    SetTextAlign(Dc(), TA_TOP | TA_LEFT | TA_NOUPDATECP);
    visible_ = font.Height != 0;
  }
  void SetTextColor(TColor color) override { ::SetTextColor(Dc(), color); }
  void TextOut(int32_t x, int32_t y, const std::string& glyph) override {
    if (!visible_ || glyph.empty()) return;
    const std::wstring text = WideFromSjis(glyph);
    TextOutW(Dc(), x, y, text.data(), static_cast<int>(text.size()));
  }

 private:
  std::map<std::string, HFONT> fonts_;
  bool visible_ = false;
};

// The texts of the store and of its dimensions in three kinds: upright,
// turned, and written vertically.
struct TTextKinds {
  TGrowArray<TJwwEntText> Upright, Turned, Vertical;
  void Add(const TJwwEntText& t) {
    TGrowArray<TJwwEntText>& into =
        t.TextCmd == 1 ? Vertical : (DirectionRad(t.DX, t.DY) == 0 ? Upright : Turned);
    into.push_back(t);
  }
};
TTextKinds TextKinds() {
  TTextKinds kinds;
  for (size_t i = 0; i < JwwStore.Texts.size(); ++i) kinds.Add(JwwStore.Texts[i]);
  for (size_t i = 0; i < JwwStore.Dims.size(); ++i) kinds.Add(JwwStore.Dims[i].Text);
  return kinds;
}

// Each kind of text drawn by the glyph path and by GDI's TextOut, on one
// thread, first with nothing made (the fonts and glyphs of a notch) and
// then again; fitted and zoomed in to a hundredth.
int TextOutCompare(const char* path) {
  Load(path);
  const TTextKinds kinds = TextKinds();
  auto text = [](Canvas& c, const TJwwEntText& r) { DrawTextEntity(c, r, -1); };
  const auto timed = [&](Canvas& canvas, const std::string& name,
                         const TGrowArray<TJwwEntText>& records) {
    for (const char* pass : {"_cold", "_warm"}) {
      const Stopwatch watch;
      for (size_t i = 0; i < records.size(); ++i) text(canvas, records[i]);
      GdiFlush();
      watch.Print((name + pass).c_str());
    }
  };
  for (const double zoom : {1.0, 100.0}) {
    FitViewToExtents(kWidth, kHeight);
    ZoomAtCenter(zoom);
    const std::string at = zoom == 1.0 ? "fitted_" : "hundredth_";
    for (const auto& [kind, records] :
         {std::pair<const char*, const TGrowArray<TJwwEntText>*>{"upright", &kinds.Upright},
          {"turned", &kinds.Turned},
          {"vertical", &kinds.Vertical}}) {
      DibCanvas raster(kWidth, kHeight);
      GdiTextCanvas gdi(kWidth, kHeight);
      timed(raster, "raster_" + at + kind, *records);
      timed(gdi, "gdi_" + at + kind, *records);
      PrintValue((at + kind + "_records").c_str(), static_cast<double>(records->size()));
    }
  }
  return 0;
}
#endif

// The program's start-up on a one-line drawing, which the figures leave out:
// under Wine the first font made starts the font system, which the window
// has done for its controls before it draws.
void StartUp() {
#ifdef _WIN32
  DibCanvas canvas(8, 8);
  LogFont font;
  font.Height = 12;
  canvas.SetFont(font);
  canvas.TextOut(0, 0, "A");
#endif
}

int Session(const char* path) {
  StartUp();
  const Stopwatch start;
  Load(path);
  start.Print("read");
  PrintValue("file_mb", static_cast<double>(std::filesystem::file_size(path)) / 1e6);
  PrintValue("entities", static_cast<double>(JwwStore.Order.size()));
  FitViewToExtents(kWidth, kHeight);
  TimedRedraw("render_fitted_first");
  start.Print("first_picture");
  TimedRedraw("render_fitted");

  // Zooming on the whole drawing, before a computation takes the host's
  // lines, texts and points out of the store.
  ZoomAtCenter(kZoomStep);
  TimedRedraw("notch_fitted");
  FitViewToExtents(kWidth, kHeight);
  ZoomAtCenter(100);
  Redraw();
  ZoomAtCenter(kZoomStep);
  TimedRedraw("notch_hundredth");
  FitViewToExtents(kWidth, kHeight);

  Stopwatch watch;
  const TOutlineInput table = StripTable(200);
  TOutlineCounters counters;
  watch.Restart();
  AddOutline(ComputeOutline(table), counters);
  Redraw();
  watch.Print("recompute_200_rows");

  // OK sends the outline, which the computation left alone in the order
  // index; the host's own drawing is not sent back.
  const std::filesystem::path answer = AnswerPath();
  watch.Restart();
  QueueLine("hd");
  WriteAll(TWriteOverrides{}, {});
  const bool saved = SaveJwcTemp(answer.string());
  watch.Print("ok_to_answer");
  std::filesystem::remove(answer);
  FreeStore();
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
    PrintValue("peak_mb", static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20));
  }
#endif
  return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  // The canvas paints glyphs through Qt's font machinery.
  QGuiApplication app(argc, argv);
#endif
  const std::string command = argc > 2 ? argv[1] : "";
  if (command == "notches" && argc == 3) return Notches(argv[2], 1, 12);
  if (command == "hundredths" && argc == 3) return Notches(argv[2], 100, 200);
  if (command == "generate" && argc == 4) return Generate(argv[2], std::atol(argv[3]));
  if (command == "oneline" && argc == 4) return OneLine(argv[2], std::atol(argv[3]));
  if (command == "read" && argc == 3) return Read(argv[2]);
  if (command == "write" && argc == 3) return Write(argv[2]);
  if (command == "session" && argc == 3) return Session(argv[2]);
  if (command == "texts" && argc == 3) return Texts(argv[2]);
#ifdef _WIN32
  if (command == "textout" && argc == 3) return TextOutCompare(argv[2]);
#endif
  if (command == "kinds" && argc == 3) return Kinds(argv[2]);
  std::fprintf(
      stderr,
      "usage: scale_probe generate|oneline|read|write|session|kinds|notches|hundredths|texts "
      "PATH [N]\n");
  return 2;
}
