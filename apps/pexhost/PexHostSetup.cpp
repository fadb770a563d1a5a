#include "PexHostSetup.h"

#include <malloc.h>
#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "KivEnvironment.h"
#include "KivModuleLoader.h"

namespace fs = std::filesystem;

std::string PexHostSetup::ExecutableFolder(const char* argv0) {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec && argv0) exe = fs::absolute(argv0, ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

void PexHostSetup::Apply(const char* argv0) {
  // A large level is hundreds of thousands of small objects, made together
  // and released together. With glibc's fast bins every larger request then
  // consolidates them first, a quarter of the time spent opening and closing
  // 10,000 activities; without them, freed blocks are merged as they come.
  mallopt(M_MXFAST, 0);
  const fs::path folder = ExecutableFolder(argv0);
  KivModuleLoader::AddDefaultFolder((folder / ".." / "lib").lexically_normal().string());

  const char* startup = KivGetEnv("KivStartupPath");
  if (startup && *startup) return;
  std::string path;
  std::error_code ec;
  for (const fs::path& candidate :
       {(folder / ".." / "share" / "pexhost" / "resources").lexically_normal(),
        fs::path(PEXHOST_SOURCE_RESOURCES)}) {
    if (!fs::is_directory(candidate, ec)) continue;
    if (!path.empty()) path += ':';
    path += candidate.string();
  }
  if (!path.empty()) setenv("KivStartupPath", path.c_str(), 1);
}
