#pragma once
// The served page's handlers, apart from the transport. Every request passes
// the rate limit and the access guard; the API then runs on the host one
// request at a time (the host is single-threaded), and the page's files come
// from the web folder.
//
//   GET  /api/state   the state (PexServeState)
//   GET  /api/svg     the current viewer's picture, drawn after each step;
//                     ?since=N: the edits from picture N when they are small
//                     (PexServePicture), else the whole picture
//   POST /api/step    {"step": "LINE", "since": R, "picture": P}: runs one script
//                     step (PexServeStepFilter), answers {"ok", "message", "step",
//                     "state"}; for a page holding the state of revision R and
//                     picture P, the state's changes from it and "pictureEdits"
//   POST /api/ack     {"seen": N}: the messages before index N were read
//   GET  /...         the page's files
#include <cstddef>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>

#include "KivPictureFrame.h"
#include "PexScriptRunner.h"
#include "PexServeAccessGuard.h"
#include "PexServeMessage.h"
#include "PexServePicture.h"
#include "PexServeRateLimiter.h"
#include "PexServeState.h"
#include "PexServeStaticFiles.h"

class PexSession;

struct PexServeLimits {
  std::size_t maxBodyBytes = 64 * 1024;
  double requestsPerSecond = 50;
  double burst = 200;
};

class PexServeApp {
 public:
  // `log`, when given, hears one line per step run.
  PexServeApp(PexSession& session, const std::string& token, int port, const std::string& webRoot,
              const PexServeLimits& limits = {},
              PexServeRateLimiter::Clock clock = PexServeRateLimiter::SteadySeconds,
              std::ostream* log = nullptr);

  // Thread-safe.
  PexServeResponse Handle(const PexServeRequest& request);

 private:
  PexServeResponse Route(const PexServeRequest& request);
  PexServeResponse Api(const PexServeRequest& request);
  PexServeResponse Step(const std::string& body);
  PexServeResponse Acknowledge(const std::string& body);
  PexServeResponse Picture(const PexServeRequest& request) const;
  PexServeResponse State();
  PexServeStateInputs StateInputs() const;
  // The edits from picture `shown` to the current one as JSON, when the
  // server still has that picture and they are few.
  std::optional<std::string> PatchSince(long shown) const;
  // Draws the current viewer for a new revision.
  void Redraw();
  std::string DocumentPath() const;

  PexSession& session_;
  PexServeAccessGuard guard_;
  PexServeRateLimiter limiter_;
  PexServeStaticFiles files_;
  PexServeLimits limits_;
  std::ostream* log_;

  std::mutex hostMutex_;  // guards the host and everything below
  std::ostringstream runnerOut_;
  PexScriptRunner runner_;
  long revision_ = 0;
  std::size_t firstUnseenMessage_ = 0;
  std::optional<KivPictureFrame> frame_;  // of the current picture, when a viewer is shown
  PexServeState state_;
  PexServePicture picture_;
  long pictureRevision_ = 0;  // the revision that drew it
  PexServePicture previousPicture_;
  long previousPictureRevision_ = -1;
};
