#include "PexServeStaticFiles.h"

#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#include "KivEnvironment.h"
#include "KivPathSearch.h"

namespace fs = std::filesystem;

namespace {
constexpr std::uintmax_t kMaxFileBytes = 4u << 20;

const std::map<std::string, std::string>& ContentTypes() {
  static const std::map<std::string, std::string> types = {
      {".html", "text/html; charset=utf-8"},  {".js", "text/javascript; charset=utf-8"},
      {".css", "text/css; charset=utf-8"},    {".svg", "image/svg+xml; charset=utf-8"},
      {".png", "image/png"},                  {".ico", "image/x-icon"},
      {".json", "application/json; charset=utf-8"}};
  return types;
}

bool IsPlainSegment(const std::string& segment) {
  if (segment.empty() || segment.front() == '.') return false;
  for (const char c : segment) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '.' || c == '-' || c == '_';
    if (!ok) return false;
  }
  return true;
}

// True when `inner` is `outer` or lies below it, comparing whole names.
bool IsInside(const fs::path& inner, const fs::path& outer) {
  auto i = inner.begin();
  for (auto o = outer.begin(); o != outer.end(); ++o, ++i)
    if (i == inner.end() || *i != *o) return false;
  return true;
}
}  // namespace

PexServeStaticFiles::PexServeStaticFiles(const std::string& root) {
  std::error_code ec;
  root_ = fs::canonical(root, ec);
}

std::string PexServeStaticFiles::FindWebRoot() {
  const char* startup = KivGetEnv("KivStartupPath");
  for (const std::string& folder : KivSplitFolderList(KivString(startup ? startup : ""))) {
    std::error_code ec;
    const fs::path web = fs::path(folder) / "web";
    if (fs::is_regular_file(web / "index.html", ec)) return web.string();
  }
  return {};
}

PexServeResponse PexServeStaticFiles::Serve(const std::string& urlPath) const {
  const PexServeResponse notFound = PexServeResponse::Error(404, "no such page file");
  if (root_.empty() || urlPath.empty() || urlPath.front() != '/') return notFound;
  fs::path relative;
  if (urlPath == "/") {
    relative = "index.html";
  } else {
    std::stringstream segments(urlPath.substr(1));
    std::string segment;
    while (std::getline(segments, segment, '/')) {
      if (!IsPlainSegment(segment)) return notFound;
      relative /= segment;
    }
    if (urlPath.back() == '/') return notFound;
  }
  const auto type = ContentTypes().find(relative.extension().string());
  if (type == ContentTypes().end()) return notFound;
  std::error_code ec;
  const fs::path file = fs::canonical(root_ / relative, ec);
  if (ec || !IsInside(file, root_) || !fs::is_regular_file(file, ec) ||
      fs::file_size(file, ec) > kMaxFileBytes)
    return notFound;
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  if (!in) return notFound;
  PexServeResponse response;
  response.contentType = type->second;
  response.body = bytes.str();
  return response;
}
