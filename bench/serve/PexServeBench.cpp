// What a planner waits for after each action on a level of 1,000 stations in
// the served page: the step, the redrawn picture and the new state, through
// the server's request handling (the transport and the browser excluded).
// The counters split each request into the parts the server reports in its
// Server-Timing header (milliseconds) and give the sizes sent: the step's
// answer (with the state's changes) and the picture's edits.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "KivInteraction.h"
#include "KivProcessDocument.h"
#include "PexHostSetup.h"
#include "PexServeApp.h"
#include "PexSession.h"

namespace {
constexpr int kStations = 1000;
constexpr const char* kToken = "0123456789abcdef0123456789abcdef";

// A root level of `kStations` stations in a chain, each with its buttons.
KivVar<KivProcessDocument> Line() {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  auto root = document->CreateRootActivity("Line", "A1");
  KivBaseUnknown_var previous = document->GetStartNode(root.get());
  for (int i = 1; i <= kStations; ++i) {
    KivBaseUnknown_var station =
        document
            ->CreateActivity(root.get(), "BIWActivityStation", "Station " + std::to_string(i),
                             "S" + std::to_string(i))
            .get();
    document->AddPrecedence(previous.get(), station.get());
    previous = station;
  }
  document->AddPrecedence(previous.get(), document->GetStopNode(root.get()).get());
  return document;
}

PexServeRequest Request(const std::string& method, const std::string& path, std::string body) {
  return {method,
          path,
          {},
          {{"host", "127.0.0.1:1"}, {"origin", "http://127.0.0.1:1"}, {"x-pex-token", kToken}},
          std::move(body)};
}

// The duration of one part ("draw;dur=12.5") of a Server-Timing header.
double Part(const PexServeResponse& response, const std::string& name) {
  for (const auto& [header, value] : response.headers) {
    if (header != "Server-Timing") continue;
    const std::size_t at = value.find(name + ";dur=");
    if (at != std::string::npos) return std::atof(value.c_str() + at + name.size() + 5);
  }
  return 0;
}

void BM_StepOnALevelOf1000Stations(benchmark::State& state) {
  PexSession session;
  KivVar<KivProcessDocument> document = Line();
  if (!session.LoadPlugIn() || !KivInteraction::OpenDocument(document.get()) ||
      !session.View("")) {
    state.SkipWithError("the level cannot be opened");
    return;
  }
  PexServeLimits limits;
  limits.requestsPerSecond = 1e9;
  limits.burst = 1e9;
  PexServeApp app(session, kToken, 1, KIV_SOURCE_DIR "/resources/web", limits);
  double step = 0, draw = 0, stateMs = 0, answerBytes = 0, svgBytes = 0;
  // As the page does: each step names the state and picture it holds, and
  // the answer brings the changes from them.
  long revision = 0, picture = 0;
  {
    const nlohmann::json first = nlohmann::json::parse(app.Handle(Request("GET", "/api/state", "")).body);
    revision = first["revision"].get<long>();
    picture = first["picture"].get<long>();
  }
  int x = 0;
  for (auto _ : state) {
    x = x == 0 ? 100 : 0;
    const PexServeResponse moved = app.Handle(Request(
        "POST", "/api/step",
        "{\"step\":\"move S500 " + std::to_string(25000 + x) + " 300\",\"since\":" +
            std::to_string(revision) + ",\"picture\":" + std::to_string(picture) + "}"));
    const nlohmann::json answer = nlohmann::json::parse(moved.body, nullptr, false);
    if (moved.status != 200 || answer.is_discarded() || !answer["ok"].get<bool>()) {
      state.SkipWithError("the step failed");
      return;
    }
    std::size_t pictureBytes = 0;
    if (answer.contains("pictureEdits"))
      pictureBytes = answer["pictureEdits"].dump().size();
    else {
      PexServeRequest since = Request("GET", "/api/svg", "");
      since.query["since"] = std::to_string(picture);
      pictureBytes = app.Handle(since).body.size();
    }
    revision = answer["state"]["revision"].get<long>();
    picture = answer["state"]["picture"].get<long>();
    step += Part(moved, "step");
    draw += Part(moved, "draw");
    stateMs += Part(moved, "state");
    answerBytes += static_cast<double>(moved.body.size());
    svgBytes += static_cast<double>(pictureBytes);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["step_ms"] = step / n;
  state.counters["draw_ms"] = draw / n;
  state.counters["state_ms"] = stateMs / n;
  state.counters["answer_bytes"] = answerBytes / n;
  state.counters["picture_bytes"] = svgBytes / n;
}
BENCHMARK(BM_StepOnALevelOf1000Stations)->Unit(benchmark::kMillisecond)->MinTime(2.0);
}  // namespace

int main(int argc, char** argv) {
  PexHostSetup::Apply(argc > 0 ? argv[0] : nullptr);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
