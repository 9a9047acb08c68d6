// Writing by way of a temporary file and a rename, and reading a whole file,
// with the few calls that differ between the C libraries of the two systems.
#include "common/filereplace.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <memory>
#include <system_error>

#include "common/fileopen.h"

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

bool SyncToDisk(std::FILE* f) {
#if defined(_WIN32)
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

int ProcessId() {
#if defined(_WIN32)
  return _getpid();
#else
  return static_cast<int>(getpid());
#endif
}

// A temporary file of this save's own beside the target: two programs saving
// the same file at once (two windows closed together) each write their own,
// and a name already taken, by a leftover or by a program on another machine
// of a shared folder, is passed over for the next.
std::FILE* CreateTempFile(const fs::path& target, fs::path& temp) {
  static std::atomic<unsigned> saves{0};
  const auto now =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char tag[64];
    std::snprintf(tag, sizeof tag, ".%x-%x-%" PRIx64 ".saving", static_cast<unsigned>(ProcessId()),
                  saves++, now);
    temp = target;
    temp += tag;
    std::FILE* f = CreateNewFile(temp);
    if (f != nullptr || errno != EEXIST) return f;
  }
  return nullptr;
}

// The outcome of writing the temporary file.
enum class TTempFile { NotMade, Failed, Complete };

// Writes a temporary file for target whole and closes it. The flush comes
// before the sync and the close is checked too: a full disk may show only
// when the last buffered block goes out.
TTempFile WriteWhole(const fs::path& target, fs::path& temp, const FileContentsWriter& write,
                     TReplaceSync sync) {
  std::FILE* f = CreateTempFile(target, temp);
  if (f == nullptr) return TTempFile::NotMade;
  bool ok = write(f) && std::fflush(f) == 0;
  if (ok && sync == TReplaceSync::Durable) ok = SyncToDisk(f);
  ok = std::fclose(f) == 0 && ok;
  return ok ? TTempFile::Complete : TTempFile::Failed;
}

}  // namespace

bool ReplaceFile(const fs::path& path, const FileContentsWriter& write, TReplaceSync sync) {
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    target = fs::canonical(path, ec);
    if (ec) return false;
  }
  const fs::file_status status = fs::status(target, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) return false;
  fs::path temp;
  const TTempFile written = WriteWhole(target, temp, write, sync);
  if (written == TTempFile::NotMade) return false;
  if (written == TTempFile::Complete) {
    fs::rename(temp, target, ec);
    if (!ec) return true;
  }
  fs::remove(temp, ec);
  return false;
}

bool ReplaceFileBytes(const fs::path& path, std::string_view bytes) {
  return ReplaceFile(
      path,
      [bytes](std::FILE* f) {
        return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
      },
      TReplaceSync::Durable);
}

std::optional<std::string> ReadFileBytes(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const UniqueFile f(OpenFile(path, "rb"));
  if (!f) return std::nullopt;
  std::string bytes;
  char block[1 << 16];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, f.get())) > 0) bytes.append(block, got);
  return bytes;
}
