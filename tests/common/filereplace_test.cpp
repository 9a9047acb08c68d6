// Tests of saving by way of a temporary file: whatever goes wrong, the old
// file stays as it was and no temporary file is left behind.
#include "common/filereplace.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "tests/common/file_size_limit.h"
#endif

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "tests/common/file_bytes.h"

namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("horune-filereplace-") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

struct SaveCase {
  const char* what;
  std::function<fs::path(const fs::path& dir)> prepare;  // gives the path to save to
  size_t bytes;                                          // of the new contents
  bool saved;
};

// The folder holds "old.dat" with "old" before each case; after a failed save
// it must hold exactly that and whatever the case put there itself.
TEST_F(FileReplaceTest, FailedSavesLeaveTheOldFile) {
  const SaveCase cases[] = {
      {"replaces a file", [](const fs::path& d) { return d / "old.dat"; }, 100, true},
      {"creates a file", [](const fs::path& d) { return d / "new.dat"; }, 100, true},
      {"large contents", [](const fs::path& d) { return d / "old.dat"; }, 3 << 20, true},
      {"folder gone", [](const fs::path& d) { return d / "gone" / "old.dat"; }, 100, false},
      {"folder in the way",
       [](const fs::path& d) {
         fs::create_directory(d / "sub");
         return d / "sub";
       },
       100, false},
#ifndef _WIN32
      {"device in the way",
       [](const fs::path& d) {
         mkfifo((d / "pipe").c_str(), 0600);
         return d / "pipe";
       },
       100, false},
#endif
      {"a leftover at a temporary name",
       [](const fs::path& d) {
         fs::create_directory(d / "old.dat.saving");
         return d / "old.dat";
       },
       100, true},
  };
  for (const SaveCase& c : cases) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    WriteText(dir_ / "old.dat", "old");
    const fs::path target = c.prepare(dir_);
    const size_t before = std::distance(fs::directory_iterator(dir_), fs::directory_iterator());
    const std::string bytes(c.bytes, 'n');
    EXPECT_EQ(ReplaceFileBytes(target, bytes), c.saved) << c.what;
    if (c.saved) {
      EXPECT_EQ(ReadAll(target), bytes) << c.what;
    } else {
      EXPECT_EQ(ReadAll(dir_ / "old.dat"), "old") << c.what;
    }
    const size_t after = std::distance(fs::directory_iterator(dir_), fs::directory_iterator());
    EXPECT_EQ(after, before + (c.saved && target.filename() == "new.dat" ? 1 : 0)) << c.what;
  }
}

// A second program saves the same file while the first is halfway through:
// each has its own temporary file, and the last to finish leaves its whole.
TEST_F(FileReplaceTest, SavesAtOnceNeverMixTheirContents) {
  const auto halfAndHalf = [this](std::FILE* f) {
    const bool ok = std::fputs("first ", f) >= 0 && std::fflush(f) == 0;
    return ReplaceFileBytes(dir_ / "old.dat", "second") && ok && std::fputs("half", f) >= 0;
  };
  EXPECT_TRUE(ReplaceFile(dir_ / "old.dat", halfAndHalf, TReplaceSync::Cached));
  EXPECT_EQ(ReadAll(dir_ / "old.dat"), "first half");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// Limits, permissions and links as the tests can set them up on POSIX.
#ifndef _WIN32
TEST_F(FileReplaceTest, DiskFullMidwayKeepsTheOldFile) {
  WriteText(dir_ / "old.dat", "old");
  bool saved = true;
  {
    const FileSizeLimit diskFull(64 * 1024);
    saved = ReplaceFileBytes(dir_ / "old.dat", std::string(1 << 20, 'n'));
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadAll(dir_ / "old.dat"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// Root writes into any folder, so the case says nothing there.
TEST_F(FileReplaceTest, ReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  WriteText(dir_ / "old.dat", "old");
  fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_FALSE(ReplaceFileBytes(dir_ / "old.dat", "new"));
  fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ReadAll(dir_ / "old.dat"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileReplaceTest, LinkKeepsPointingAtItsFile) {
  WriteText(dir_ / "real.dat", "old");
  fs::create_symlink(dir_ / "real.dat", dir_ / "link.dat");
  EXPECT_TRUE(ReplaceFileBytes(dir_ / "link.dat", "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.dat"));
  EXPECT_EQ(ReadAll(dir_ / "real.dat"), "new");
}

#endif

TEST_F(FileReplaceTest, ReadsOnlyFiles) {
  WriteText(dir_ / "a.dat", std::string("a\0b\r\n", 5));
  EXPECT_EQ(ReadFileBytes(dir_ / "a.dat"), std::string("a\0b\r\n", 5));
  EXPECT_EQ(ReadFileBytes(dir_ / "missing.dat"), std::nullopt);
  EXPECT_EQ(ReadFileBytes(dir_), std::nullopt);
}

}  // namespace
