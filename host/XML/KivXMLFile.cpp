#include "KivXMLFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

bool KivXMLReadFile(const std::string& path, std::string& bytes, std::string& error) {
  if (path.empty()) {
    error = "no file name given";
    return false;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = std::string("cannot open the file: ") + std::strerror(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    error = "cannot open the file: it is a folder";
    return false;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) {
    error = std::string("cannot open the file: ") + std::strerror(errno);
    return false;
  }
  std::string content;
  char chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) content.append(chunk, got);
  if (std::ferror(file.get())) {
    error = std::string("cannot read the file: ") + std::strerror(errno);
    return false;
  }
  bytes.swap(content);
  return true;
}
