#pragma once
// The transport of `pexhost serve`: HTTP on the loopback address through
// cpp-httplib, every request handed to a PexServeApp. SIGINT and SIGTERM
// stop it cleanly: no new request is taken, the running one (a save, say)
// is finished, then Run returns.
//
// cpp-httplib compresses answers of a few exact content types (JSON, SVG,
// text) for clients that accept it, brotli at its slowest quality first:
// seconds for the picture of a large level, and nothing gained on the
// loopback. The API's answers carry a charset parameter, which keeps them
// out of that list.
#include <cstddef>
#include <memory>

class PexServeApp;
namespace httplib {
class Server;
}

class PexServeHttp {
 public:
  PexServeHttp();
  ~PexServeHttp();
  PexServeHttp(const PexServeHttp&) = delete;
  PexServeHttp& operator=(const PexServeHttp&) = delete;

  // Binds 127.0.0.1 at `port` (0: a free port the system chooses). The port
  // bound, or -1 when it cannot be bound. Bodies above `maxBodyBytes` are
  // refused before they are read whole.
  int Bind(int port, std::size_t maxBodyBytes);
  // Serves until SIGINT or SIGTERM (or Stop); false when serving failed.
  bool Run(PexServeApp& app);
  // Stops a running server from any thread.
  void Stop();

 private:
  std::unique_ptr<httplib::Server> server_;
};
