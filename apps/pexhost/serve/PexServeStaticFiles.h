#pragma once
// The page's own files, served from one folder and nothing outside it: a
// path is made of plain names (letters, digits, '.', '-', '_', none starting
// with a dot), has a known type, and must still lie inside the folder once
// symbolic links are resolved.
#include <filesystem>
#include <string>

#include "PexServeMessage.h"

class PexServeStaticFiles {
 public:
  // `root` must exist; it is resolved once.
  explicit PexServeStaticFiles(const std::string& root);

  // The "web" folder of the first startup folder (KivStartupPath) that
  // holds web/index.html, or "" when none does.
  static std::string FindWebRoot();

  // The file for a decoded URL path ("/" is index.html), or 404.
  PexServeResponse Serve(const std::string& urlPath) const;

 private:
  std::filesystem::path root_;
};
