// The shared reader refuses what is not a regular file; the shared writer
// replaces files without damaging links, permissions or the old content.
// (Reading a folder, a device or a pipe, and replacing through a link that
// keeps its permissions, the host shell's input safety tests show.)
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "KivSafeFile.h"
#include "KivTestSupport.h"

namespace fs = std::filesystem;

namespace {
std::string Slurp(const std::string& path) {
  std::string bytes, error;
  EXPECT_TRUE(KivSafeFile::Read(path, bytes, error)) << error;
  return bytes;
}

// Files in the folder other than those named.
std::vector<std::string> Others(const std::string& folder, std::vector<std::string> known) {
  std::vector<std::string> others;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
  }
  return others;
}
}  // namespace

TEST(KivSafeFileTest, ReadAndReplaceRefuseWhatIsNotARegularFileAtOnce) {
  // A pipe of its own, never a device of the machine: a fault in Replace
  // must not be able to overwrite what the whole system shares.
  TempFolder tmp;
  const std::string pipe = tmp.Path() + "/pipe.svg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string toPipe = tmp.Path() + "/to-pipe.svg";
  fs::create_symlink(pipe, toPipe);
  const std::string dangling = tmp.Path() + "/dangling.svg";
  fs::create_symlink("nowhere/x.svg", dangling);
  const char* const kNoFile = "No such file or directory";
  const struct {
    std::string path;
    const char* readReason;  // null: not tried
    const char* replaceReason;
  } cases[] = {
      {tmp.Path(), nullptr, "it is a folder"},
      {tmp.Path() + "/missing", kNoFile, nullptr},
      {"", "no file name given", nullptr},
      {"/dev/null", "it is a device", nullptr},  // only read
      {pipe, nullptr, "it is a pipe (FIFO)"},
      {toPipe, nullptr, "it is a pipe (FIFO)"},
      {dangling, nullptr, "cannot follow the symbolic link: No such file or directory"},
      {tmp.Path() + "/no/such/folder/x.svg", nullptr, kNoFile},
  };
  for (const auto& c : cases) {
    std::string bytes = "untouched", error;
    if (c.readReason) {
      EXPECT_FALSE(KivSafeFile::Read(c.path, bytes, error)) << c.path;
      EXPECT_NE(error.find(c.readReason), std::string::npos) << c.path << ": " << error;
      EXPECT_EQ(bytes, "untouched");
    }
    if (c.replaceReason) {
      EXPECT_FALSE(KivSafeFile::Replace(c.path, "bytes", error)) << c.path;
      EXPECT_NE(error.find(c.replaceReason), std::string::npos) << c.path << ": " << error;
    }
  }
  EXPECT_TRUE(fs::is_symlink(toPipe) && fs::is_fifo(pipe));
  EXPECT_TRUE(Others(tmp.Path(), {"pipe.svg", "to-pipe.svg", "dangling.svg"}).empty());
  EXPECT_EQ(Slurp(tmp.Write("f", std::string("a\0b", 3))), std::string("a\0b", 3));
}

TEST(KivSafeFileTest, ANewFileGetsTheUsualPermissionsAndNoTemporaryIsLeft) {
  TempFolder tmp;
  const mode_t mask = ::umask(022);
  std::string error;
  const bool replaced = KivSafeFile::Replace(tmp.Path() + "/fresh.xml", "x", error);
  ::umask(mask);
  ASSERT_TRUE(replaced) << error;
  EXPECT_EQ(fs::status(tmp.Path() + "/fresh.xml").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read) << "0666 less the umask";
  EXPECT_TRUE(Others(tmp.Path(), {"fresh.xml"}).empty());
}

TEST(KivSafeFileTest, AFailedWriteKeepsTheOldFileRemovesTheTemporaryAndSaysWhy) {
  TempFolder tmp;
  const std::string target = tmp.Write("doc.xml", "old content");
  // A name planted where a predictable temporary would go is left alone.
  const std::string victim = tmp.Write("victim", "precious");
  fs::create_symlink(victim, target + ".tmp");
  // A file size limit makes the write itself fail part-way.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 4;
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  const bool replaced = KivSafeFile::Replace(target, "a much longer new content", error);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(error, "cannot write: File too large");
  EXPECT_EQ(Slurp(target), "old content");
  EXPECT_EQ(Slurp(victim), "precious");
  EXPECT_TRUE(Others(tmp.Path(), {"doc.xml", "victim", "doc.xml.tmp"}).empty());
}
