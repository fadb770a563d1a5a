#include "PexServeApp.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <ostream>

#include "KivInteraction.h"
#include "KivPictureRenderer.h"
#include "KivSvgWriter.h"
#include "KivViewer.h"
#include "PexServeStepFilter.h"
#include "PexSession.h"

using nlohmann::json;

namespace {
using Clock = std::chrono::steady_clock;

// Beyond this many changed elements the whole picture is sent.
constexpr std::size_t kMaxPictureEdits = 500;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string Dump(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string Timing(const char* name, double milliseconds) {
  char text[64];
  std::snprintf(text, sizeof text, "%s;dur=%.2f", name, milliseconds);
  return text;
}

// The body as a JSON object, or empty.
std::optional<json> JsonObject(const std::string& body) {
  json value = json::parse(body, nullptr, false);
  if (value.is_discarded() || !value.is_object()) return std::nullopt;
  return value;
}

void AddSecurityHeaders(PexServeResponse& response) {
  response.headers.emplace_back("Cache-Control", "no-store");
  response.headers.emplace_back("X-Content-Type-Options", "nosniff");
  response.headers.emplace_back("Referrer-Policy", "no-referrer");
  response.headers.emplace_back("X-Frame-Options", "DENY");
  response.headers.emplace_back("Content-Security-Policy",
                                "default-src 'none'; script-src 'self'; connect-src 'self'; "
                                "style-src 'self' 'unsafe-inline'; img-src 'self' data:; "
                                "frame-ancestors 'none'; base-uri 'none'; form-action 'none'");
}
}  // namespace

PexServeApp::PexServeApp(PexSession& session, const std::string& token, int port,
                         const std::string& webRoot, const PexServeLimits& limits,
                         PexServeRateLimiter::Clock clock, std::ostream* log)
    : session_(session),
      guard_(token, port),
      limiter_(limits.requestsPerSecond, limits.burst, std::move(clock)),
      files_(webRoot),
      limits_(limits),
      log_(log),
      runner_(session, "serve", runnerOut_) {
  std::lock_guard<std::mutex> lock(hostMutex_);
  Redraw();
}

PexServeResponse PexServeApp::Handle(const PexServeRequest& request) {
  PexServeResponse response = Route(request);
  AddSecurityHeaders(response);
  return response;
}

PexServeResponse PexServeApp::Route(const PexServeRequest& request) {
  if (!limiter_.Allow()) {
    PexServeResponse refused = PexServeResponse::Error(429, "too many requests; slow down");
    refused.headers.emplace_back("Retry-After", "1");
    return refused;
  }
  const bool api = request.path.rfind("/api/", 0) == 0;
  if (std::optional<PexServeResponse> refused = guard_.Refusal(request, api)) return *refused;
  if (request.body.size() > limits_.maxBodyBytes)
    return PexServeResponse::Error(413, "the request is larger than " +
                                            std::to_string(limits_.maxBodyBytes) + " bytes");
  if (api) return Api(request);
  if (request.method != "GET" && request.method != "HEAD")
    return PexServeResponse::Error(405, "the page's files are only read");
  return files_.Serve(request.path);
}

PexServeResponse PexServeApp::Api(const PexServeRequest& request) {
  struct Endpoint {
    const char* method;
    const char* path;
  };
  static const Endpoint endpoints[] = {
      {"GET", "/api/state"}, {"GET", "/api/svg"}, {"POST", "/api/step"}, {"POST", "/api/ack"}};
  bool known = false;
  for (const Endpoint& endpoint : endpoints) {
    if (request.path != endpoint.path) continue;
    known = true;
    if (request.method != endpoint.method) continue;
    std::lock_guard<std::mutex> lock(hostMutex_);
    if (request.path == "/api/state") return State();
    if (request.path == "/api/svg") return Picture(request);
    if (request.path == "/api/step") return Step(request.body);
    return Acknowledge(request.body);
  }
  return known ? PexServeResponse::Error(405, request.method + " is not allowed here")
               : PexServeResponse::Error(404, "no such API: " + request.path);
}

PexServeResponse PexServeApp::Step(const std::string& body) {
  const std::optional<json> request = JsonObject(body);
  if (!request || !request->contains("step") || !(*request)["step"].is_string())
    return PexServeResponse::Error(400, "send {\"step\": \"LINE\"}");
  const std::string line = (*request)["step"].get<std::string>();
  // What the page holds: the state of revision `since` and picture `picture`.
  const auto revisionIn = [&](const char* key) -> std::optional<long> {
    const auto found = request->find(key);
    if (found == request->end() || !found->is_number_integer()) return std::nullopt;
    return found->get<long>();
  };
  const std::optional<long> since = revisionIn("since"), shownPicture = revisionIn("picture");
  PexScriptStep step;
  std::string error;
  if (!PexServeStepFilter::Admit(line, DocumentPath(), step, error))
    return PexServeResponse::Error(400, error);

  const Clock::time_point start = Clock::now();
  KivStepResult result;
  try {
    result = runner_.RunStep(step);
  } catch (const std::exception& e) {
    result = KivStepResult::Fail(std::string("the host failed: ") + e.what());
  }
  const double stepMs = MillisecondsSince(start);
  if (log_)
    *log_ << "serve: " << line
          << (!result                 ? ": " + result.message
              : result.message.empty() ? std::string(" ok")
                                       : " ok (" + result.message + ")")
          << "\n"
          << std::flush;

  ++revision_;
  const Clock::time_point drawStart = Clock::now();
  Redraw();
  std::optional<std::string> pictureEdits;
  if (shownPicture && *shownPicture != pictureRevision_) pictureEdits = PatchSince(*shownPicture);
  const double drawMs = MillisecondsSince(drawStart);
  const Clock::time_point stateStart = Clock::now();
  PexServeResponse response;
  response.body = since ? state_.WriteSince(session_, StateInputs(), *since)
                        : state_.Write(session_, StateInputs());
  const double stateMs = MillisecondsSince(stateStart);
  response.body = "{\"ok\":" + std::string(result ? "true" : "false") +
                  ",\"message\":" + Dump(result.message) + ",\"step\":" + Dump(line) +
                  (pictureEdits ? ",\"pictureEdits\":" + *pictureEdits : std::string()) +
                  ",\"state\":" + response.body + "}";
  response.headers.emplace_back("Server-Timing", Timing("step", stepMs) + ", " +
                                                     Timing("draw", drawMs) + ", " +
                                                     Timing("state", stateMs));
  return response;
}

PexServeResponse PexServeApp::Acknowledge(const std::string& body) {
  const std::optional<json> request = JsonObject(body);
  if (!request || !request->contains("seen") || !(*request)["seen"].is_number_unsigned())
    return PexServeResponse::Error(400, "send {\"seen\": N}");
  const std::size_t seen =
      std::min((*request)["seen"].get<std::size_t>(), KivInteraction::Messages().size());
  if (seen > firstUnseenMessage_) {
    firstUnseenMessage_ = seen;
    ++revision_;
  }
  return State();
}

PexServeResponse PexServeApp::Picture(const PexServeRequest& request) const {
  if (!frame_) return PexServeResponse::Error(404, "no viewer is open");
  PexServeResponse response;
  response.headers.emplace_back("X-Pex-Picture", std::to_string(pictureRevision_));
  const auto since = request.query.find("since");
  std::optional<std::string> patch;
  if (since != request.query.end()) {
    char* end = nullptr;
    const long shown = std::strtol(since->second.c_str(), &end, 10);
    if (!since->second.empty() && *end == '\0') patch = PatchSince(shown);
  }
  if (!patch) {
    response.contentType = "image/svg+xml; charset=utf-8";
    response.body = picture_.Text();
    return response;
  }
  response.body = std::move(*patch);
  return response;
}

std::optional<std::string> PexServeApp::PatchSince(long shown) const {
  if (!frame_) return std::nullopt;
  std::optional<PexServePicturePatch> patch;
  if (shown == pictureRevision_)
    patch = PexServePicturePatch{};
  else if (shown == previousPictureRevision_)
    patch = picture_.PatchFrom(previousPicture_, std::min<std::size_t>(kMaxPictureEdits,
                                                                       picture_.ElementCount() / 2));
  if (!patch) return std::nullopt;
  json edits = json::array();
  for (const PexServePictureEdit& e : patch->edits) edits.push_back({e.at, e.removed, e.inserted});
  return Dump({{"picture", pictureRevision_},
               {"count", picture_.ElementCount()},
               {"edits", std::move(edits)},
               {"lines", std::move(patch->lines)}});
}

PexServeStateInputs PexServeApp::StateInputs() const {
  return {revision_, firstUnseenMessage_, frame_ ? &*frame_ : nullptr, pictureRevision_};
}

PexServeResponse PexServeApp::State() {
  PexServeResponse response;
  response.body = state_.Write(session_, StateInputs());
  return response;
}

void PexServeApp::Redraw() {
  KivViewer* viewer = session_.CurrentViewer();
  std::string svg;
  if (viewer) {
    const std::vector<KivDrawItem> items = viewer->CollectScene();
    frame_ = KivPictureRenderer().FrameFor(items);
    float r = 1, g = 1, b = 1;
    viewer->GetBackgroundColor(r, g, b);
    const double background[3] = {r, g, b};
    svg = KivSvgWriter(*frame_).Write(items, background);
  } else {
    frame_.reset();
  }
  if (svg == picture_.Text()) return;
  previousPictureRevision_ = picture_.Text().empty() ? -1 : pictureRevision_;
  previousPicture_ = std::move(picture_);
  picture_ = PexServePicture(std::move(svg));
  pictureRevision_ = revision_;
}

std::string PexServeApp::DocumentPath() const {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  return editor ? editor->GetProcessDocument()->GetStorageName().ConvertToUTF8() : std::string();
}
