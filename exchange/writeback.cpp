// Writing the result back: the start-up attributes, the walk over the order
// index and the file the host reads when the tool has ended.
#include "exchange/writeback.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/escape.h"
#include "common/filereplace.h"
#include "common/realformat.h"
#include "common/sjis.h"
#include "exchange/store.h"
#include "exchange/writer.h"

namespace {

// Progress is shown, and the Esc key polled, once per this many entries.
constexpr size_t kProgressStep = 100;

// The file is written in blocks of about this size.
constexpr size_t kBlockBytes = size_t{1} << 20;

// "処理中(ESC:中断)：" with the running number and the total, in Shift-JIS.
std::string ProgressText(size_t current, size_t total) {
  static const std::string prefix = Sjis("処理中(ESC:中断)：");
  static const std::string separator = Sjis("／");
  std::string text = prefix;
  AppendInt(text, static_cast<int64_t>(current));
  text += separator;
  AppendInt(text, static_cast<int64_t>(total));
  return text;
}

// The queue as the host reads it: each line ending in a quote (a text command)
// runs on into the next queue line, its text; an empty queue answers "hq".
bool WriteQueue(std::FILE* f) {
  const TGrowArray<std::string>& out = JwwStore.Output;
  std::string block;
  block.reserve(kBlockBytes + 2 * (kMaxLineBytes + 2));
  const auto flush = [&block, f] {
    const bool ok = std::fwrite(block.data(), 1, block.size(), f) == block.size();
    block.clear();
    return ok;
  };
  if (out.empty()) block = "hq\r\n";
  for (size_t i = 0; i < out.size(); ++i) {
    block += out[i];
    if (!out[i].empty() && out[i].back() == '"') {
      if (++i == out.size()) break;
      block += out[i];
    }
    block += "\r\n";
    if (block.size() >= kBlockBytes && !flush()) return false;
  }
  return flush() && std::fflush(f) == 0;
}

}  // namespace

void WriteAll(const TWriteOverrides& overrides, const WriteProgress& progress) {
  if (JwwStore.DrawingSizeMode) QueueLine("bz");
  const size_t n = JwwStore.Order.size();
  int32_t openPolyline = 0;
  for (size_t i = 0; i < n; ++i) {
    if (i % kProgressStep == 0) {
      if (progress) progress(ProgressText(i + 1, n));
      if (EscapePressed()) {
        ClearOutput();
        break;
      }
    }
    QueueEntityGroup(i, overrides, openPolyline);
  }
  // The host continues on the layer it had before the tool ran.
  QueueLayerGroup(JwwStore.Initial.LayerGroup);
  QueueLayer(JwwStore.Initial.Layer);
}

bool SaveJwcTemp(const std::filesystem::path& path) {
  // By way of a temporary file, so that the host never finds half an answer.
  // The host reads it at once: it need not wait for the disk.
  if (ReplaceFile(path, WriteQueue, TReplaceSync::Cached)) return true;
  // The host reads whatever stands at path once the tool has ended: neither a
  // partial answer nor its own drawing may stay there. A device or a folder in
  // the way is not a file to delete.
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_regular_file(fs::status(path, ec))) fs::remove(path, ec);
  return false;
}

void SetCurrentLayerGroup(int32_t v) {
  JwwStore.Current.LayerGroup = v;
}

void SetCurrentLayer(int32_t v) {
  JwwStore.Current.Layer = v;
}

void SetCurrentLineColor(int32_t v) {
  JwwStore.Current.LineColor = v;
}

void SetCurrentPointColor(int32_t v) {
  JwwStore.Current.PointColor = v;
}

void SetCurrentLineType(int32_t v) {
  JwwStore.Current.LineType = v;
}

void SetCurrentLineWidth(int32_t v) {
  JwwStore.Current.LineWidth = LineWidthValue(v);
}

void SetCurrentTextKind(int32_t kind, int32_t color, double width, double height, double spacing) {
  const TTextKindValue v = TextKindValue(kind, color, width, height, spacing);
  ApplyFreeSize(JwwStore.Current, v);
  JwwStore.Current.TextKind = v.Kind;
}

void SetCurrentTextAnchor(int32_t v) {
  JwwStore.Current.TextAnchor = TextAnchorValue(v);
}

void SetCurrentFont(const std::string& name) {
  JwwStore.Current.FontName = FontNameValue(name);
}

void ApplyInitialAttributes() {
  const TJwwInitialAttributes& i = JwwStore.Initial;
  SetCurrentLayerGroup(i.LayerGroup);
  SetCurrentLayer(i.Layer);
  SetCurrentLineColor(i.LineColor);
  // The host names no point colour of its own; its line colour serves.
  SetCurrentPointColor(i.LineColor);
  SetCurrentLineType(i.LineType);
  SetCurrentLineWidth(i.LineWidth);
  SetCurrentTextKind(i.TextKind, i.FreeColor, i.FreeWidth, i.FreeHeight, i.FreeSpacing);
  SetCurrentTextAnchor(0);
  SetCurrentFont(i.FontName);
}
