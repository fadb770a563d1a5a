// Feeds arbitrary bytes to what pexhost serve reads from a request before the
// host sees it. The input is split at NUL bytes into a URL path, a step line
// and a Host and an Origin header. What may never happen: a file outside the
// web folder or a hidden one is served, a step that reaches outside the
// document is admitted, or a request for another host or origin passes.
#include <sstream>
#include <vector>

#include "../KivFuzz.h"
#include "PexServeAccessGuard.h"
#include "PexServeStaticFiles.h"
#include "PexServeStepFilter.h"

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input cut at its first three NUL bytes; the last field keeps the rest.
  std::istringstream in(Text(data, size));
  std::vector<std::string> f(4);
  for (std::size_t i = 0; i < 3 && std::getline(in, f[i], '\0'); ++i) {
  }
  f[3].assign(std::istreambuf_iterator<char>(in), {});
  CheckStaticFile(f[0]);
  CheckStep(f[1]);
  CheckAccess(f[2], f[3]);
  return 0;
}
