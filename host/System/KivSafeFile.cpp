#include "KivSafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {
std::string SystemError(const std::string& what, int code) {
  return what + ": " + std::strerror(code);
}

// Owns a file descriptor.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closes now, reporting the error a deferred write may only show here.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a pipe (FIFO)";
  if (S_ISSOCK(mode)) return "it is a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
  return "it is not a regular file";
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Where the content goes: the file itself, or the file a symbolic link
// leads to. `existing` tells whether it exists, with its status in `info`.
bool ResolveTarget(const std::string& path, std::string& target, bool& existing, struct stat& info,
                   std::string& error) {
  target = path;
  existing = false;
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0) {
    if (errno == ENOENT) return true;
    error = SystemError("cannot examine it", errno);
    return false;
  }
  if (S_ISLNK(link.st_mode)) {
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) {
      error = SystemError("cannot follow the symbolic link", errno);
      return false;
    }
    target = resolved;
  }
  if (::stat(target.c_str(), &info) != 0) {
    error = SystemError("cannot examine it", errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = std::string("refused: ") + KindOf(info.st_mode) + ", not a regular file";
    return false;
  }
  existing = true;
  return true;
}

// A new file beside `target`, created exclusively (O_EXCL) under a random
// name; `name` receives the name.
int CreateTemporary(const std::string& target, std::string& name) {
  static std::mt19937_64 random{std::random_device{}()};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".tmp-";
    for (int i = 0; i < 12; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Makes a completed rename durable; a failure here loses nothing already
// written, so it is not reported.
void SyncFolderOf(const std::string& target) {
  const std::size_t slash = target.find_last_of('/');
  const std::string folder =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) ::fsync(fd.Get());
}
}  // namespace

bool KivSafeFile::Read(const std::string& path, std::string& bytes, std::string& error) {
  if (path.empty()) {
    error = "no file name given";
    return false;
  }
  // Non-blocking, so that opening a FIFO without a writer does not hang
  // before the type check refuses it.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.Valid()) {
    error = SystemError("cannot open the file", errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    error = SystemError("cannot open the file", errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = std::string("cannot open the file: ") + KindOf(info.st_mode);
    return false;
  }
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      error = SystemError("cannot read the file", errno);
      return false;
    }
    content.append(chunk, static_cast<std::size_t>(got));
  }
  bytes.swap(content);
  return true;
}

bool KivSafeFile::Replace(const std::string& path, std::string_view bytes, std::string& error) {
  if (path.empty()) {
    error = "no file name given";
    return false;
  }
  std::string target;
  bool existing = false;
  struct stat old {};
  if (!ResolveTarget(path, target, existing, old, error)) return false;

  std::string temporary;
  Descriptor fd(CreateTemporary(target, temporary));
  if (!fd.Valid()) {
    error = SystemError("cannot create a temporary file beside it", errno);
    return false;
  }
  const auto fail = [&](const std::string& what) {
    error = SystemError(what, errno);
    ::unlink(temporary.c_str());
    return false;
  };
  if (existing) {
    // The owner first: changing it may clear set-id bits that fchmod restores.
    if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0) {
      // Only a privileged process may give a file away; keep our ownership.
    }
    if (::fchmod(fd.Get(), old.st_mode & 07777) != 0) return fail("cannot keep the permissions");
  }
  if (!WriteAll(fd.Get(), bytes)) return fail("cannot write");
  if (::fsync(fd.Get()) != 0) return fail("cannot flush to the disk");
  if (fd.Close() != 0) return fail("cannot write");
  if (::rename(temporary.c_str(), target.c_str()) != 0) return fail("cannot replace it");
  SyncFolderOf(target);
  return true;
}
