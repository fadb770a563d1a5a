// Feeds arbitrary bytes to what pexhost serve reads from a request before the
// host sees it, and to its picture edits. The input is split at NUL bytes
// into a URL path, a step line, a Host and an Origin header, and two
// pictures. What may never happen: a file outside the web folder or a hidden
// one is served, a step that reaches outside the document is admitted, a
// request for another host or origin passes, or the edits between two
// pictures do not turn the first into the second.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "PexServeAccessGuard.h"
#include "PexServePicture.h"
#include "PexServeStaticFiles.h"
#include "PexServeStepFilter.h"

namespace {
void Require(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0 && fields.size() < count)
      fields.emplace_back();
    else
      fields.back() += static_cast<char>(data[i]);
  }
  fields.resize(count);
  return fields;
}

void CheckStaticFile(const std::string& path) {
  static const PexServeStaticFiles files(KIV_SOURCE_DIR "/resources/web");
  if (files.Serve(path).status != 200) return;
  Require(path.find("/.") == std::string::npos && path.find("//") == std::string::npos);
}

void CheckStep(const std::string& line) {
  const std::string document = "/srv/plans/line.xml";
  PexScriptStep step;
  std::string error;
  if (!PexServeStepFilter::Admit(line, document, step, error)) return;
  Require(step.verb != "open" && step.verb != "render");
  if (step.verb == "save") {
    Require(step.args.size() == 1 && step.args[0].rfind("/srv/plans/", 0) == 0);
    Require(step.args[0].find('/', 11) == std::string::npos && step.args[0] != "/srv/plans/..");
  }
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

void CheckAccess(const std::string& host, const std::string& origin) {
  const std::string token = "00112233445566778899aabbccddeeff";
  const PexServeAccessGuard guard(token, 8642);
  PexServeRequest request;
  request.headers = {{"host", host}, {"origin", origin}, {"x-pex-token", token}};
  if (guard.Refusal(request, true)) return;
  Require(Lower(host) == "127.0.0.1:8642" || Lower(host) == "localhost:8642");
  Require(Lower(origin) == "http://127.0.0.1:8642" || Lower(origin) == "http://localhost:8642");
  request.headers["x-pex-token"] = token.substr(1) + "0";
  Require(guard.Refusal(request, true).has_value());
}

void CheckPictures(const std::string& first, const std::string& second) {
  const PexServePicture before(first), after(second);
  const auto patch = after.PatchFrom(before, 64);
  if (!patch) return;
  std::vector<std::string_view> lines = before.Elements();
  std::vector<std::string> inserted;
  std::istringstream in(patch->lines);
  for (std::string line; std::getline(in, line);) inserted.push_back(line);
  std::size_t next = inserted.size();
  for (auto e = patch->edits.rbegin(); e != patch->edits.rend(); ++e) {
    Require(e->at + e->removed <= lines.size() && e->inserted <= next);
    lines.erase(lines.begin() + e->at, lines.begin() + e->at + e->removed);
    lines.insert(lines.begin() + e->at, inserted.begin() + (next - e->inserted), inserted.begin() + next);
    next -= e->inserted;
  }
  Require(next == 0 && lines.size() == after.ElementCount());
  for (std::size_t i = 0; i < lines.size(); ++i) Require(lines[i] == after.Elements()[i]);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> f = Fields(data, size, 6);
  CheckStaticFile(f[0]);
  CheckStep(f[1]);
  CheckAccess(f[2], f[3]);
  CheckPictures(f[4], f[5]);
  return 0;
}
