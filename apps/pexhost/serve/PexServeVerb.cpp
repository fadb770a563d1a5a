#include "PexServeVerb.h"

#include <filesystem>
#include <ostream>

#include "PexServeApp.h"
#include "PexServeHttp.h"
#include "PexServeStaticFiles.h"
#include "PexServeToken.h"
#include "PexSession.h"

namespace {
bool ReadPort(const std::string& text, int& port) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  port = std::stoi(text);
  return port <= 65535;
}
}  // namespace

int PexRunServeVerb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string document;
  int port = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--port") {
      if (i + 1 >= args.size() || !ReadPort(args[i + 1], port)) {
        err << "pexhost serve: --port needs a port number from 0 to 65535\n";
        return 2;
      }
      ++i;
    } else if (!args[i].empty() && args[i][0] == '-') {
      err << "pexhost serve: unknown option \"" << args[i] << "\"\n";
      return 2;
    } else if (document.empty()) {
      document = args[i];
    } else {
      err << "pexhost serve: one document per server (\"" << document << "\", \"" << args[i]
          << "\")\n";
      return 2;
    }
  }
  if (document.empty()) {
    err << "pexhost serve: which document? pexhost serve DOCUMENT [--port N]\n";
    return 2;
  }
  const std::string token = PexServeToken::Generate();
  if (token.empty()) {
    err << "pexhost serve: the system gives no random bytes for the access token\n";
    return 1;
  }
  const std::string webRoot = PexServeStaticFiles::FindWebRoot();
  if (webRoot.empty()) {
    err << "pexhost serve: the page's files (web/index.html) are not found along KivStartupPath\n";
    return 1;
  }

  PexSession session;
  std::error_code ec;
  const std::string path = std::filesystem::absolute(document, ec).lexically_normal().string();
  KivStepResult opened = session.LoadPlugIn();
  if (opened) opened = session.Open(path);
  if (opened) opened = session.View("");
  if (!opened) {
    err << "pexhost serve: " << document << ": " << opened.message << "\n";
    return 1;
  }
  const PexServeLimits limits;
  PexServeHttp http;
  const int bound = http.Bind(port, limits.maxBodyBytes);
  if (bound < 0) {
    err << "pexhost serve: cannot listen on 127.0.0.1:" << port
        << " (in use? choose another with --port)\n";
    return 1;
  }
  PexServeApp app(session, token, bound, webRoot, limits, PexServeRateLimiter::SteadySeconds,
                  &out);
  out << "pexhost serve: " << document << " at http://127.0.0.1:" << bound << "/#token=" << token
      << "\nOpen that address in a browser on this machine; Ctrl+C stops the server.\n"
      << std::flush;
  if (!http.Run(app)) {
    err << "pexhost serve: serving stopped with an error\n";
    return 1;
  }
  out << "pexhost serve: stopped\n";
  return 0;
}
