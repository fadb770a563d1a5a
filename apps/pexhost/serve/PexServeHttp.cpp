#include "PexServeHttp.h"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <thread>

#include "PexServeApp.h"

namespace {
PexServeRequest FromHttp(const httplib::Request& http) {
  PexServeRequest request;
  request.method = http.method;
  request.path = http.path;
  for (const auto& [name, value] : http.params) request.query.emplace(name, value);
  for (const auto& [name, value] : http.headers) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // A repeated header is kept whole, so that checks on it fail rather
    // than pass on one of its copies.
    auto [at, inserted] = request.headers.emplace(lower, value);
    if (!inserted) at->second += ", " + value;
  }
  request.body = http.body;
  return request;
}

void ToHttp(const PexServeResponse& response, httplib::Response& http) {
  http.status = response.status;
  for (const auto& [name, value] : response.headers) http.set_header(name, value);
  http.set_content(response.body, response.contentType);
}
}  // namespace

PexServeHttp::PexServeHttp() : server_(std::make_unique<httplib::Server>()) {}
PexServeHttp::~PexServeHttp() = default;

int PexServeHttp::Bind(int port, std::size_t maxBodyBytes) {
  server_->set_payload_max_length(maxBodyBytes);
  server_->set_read_timeout(5, 0);
  server_->set_write_timeout(5, 0);
  // An idle connection holds a worker until it times out, and stopping
  // waits for the workers: keep the wait short (a new local connection is
  // cheap).
  server_->set_keep_alive_timeout(1);
  // An answer is written in more than one piece (head, body): without this
  // the last piece could wait for the browser to acknowledge the first.
  server_->set_tcp_nodelay(true);
  if (port == 0) return server_->bind_to_any_port("127.0.0.1");
  return server_->bind_to_port("127.0.0.1", port) ? port : -1;
}

bool PexServeHttp::Run(PexServeApp& app) {
  const auto handler = [&app](const httplib::Request& request, httplib::Response& response) {
    ToHttp(app.Handle(FromHttp(request)), response);
  };
  // Every method reaches the app, which refuses what it does not serve.
  server_->Get(".*", handler);
  server_->Post(".*", handler);
  server_->Put(".*", handler);
  server_->Patch(".*", handler);
  server_->Delete(".*", handler);
  server_->Options(".*", handler);
  server_->set_exception_handler(
      [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        ToHttp(PexServeResponse::Error(500, "the server failed on this request"), response);
      });

  // The stop signals go to one waiting thread (every thread made from here
  // on inherits the blocked mask), which stops the server; the request being
  // handled runs to its end before listening returns.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);
  std::atomic<bool> done{false};
  std::thread waiter([&] {
    const timespec interval{0, 200'000'000};
    while (!done) {
      if (sigtimedwait(&stopSignals, nullptr, &interval) > 0) {
        server_->stop();
        return;
      }
    }
  });
  const bool served = server_->listen_after_bind();
  done = true;
  waiter.join();
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return served;
}

void PexServeHttp::Stop() { server_->stop(); }
