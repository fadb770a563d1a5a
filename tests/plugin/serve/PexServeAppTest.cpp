// pexhost serve's handlers on the example line with the real plug-in: who may
// call them, what limits hold, which files are served, how steps run and
// fail, and how dialogs and messages reach the page.
#include "PexServeApp.h"

#include <nlohmann/json.hpp>

#include "../PexHostRunner.h"
#include "KivApplicationFrame.h"
#include "KivDlgCheckButton.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgNotify.h"
#include "KivInteraction.h"
#include "PexHostSetup.h"
#include "PexServeStaticFiles.h"
#include "PexSession.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {
constexpr const char* kToken = "0123456789abcdef0123456789abcdef";
constexpr int kPort = 8642;
}  // namespace

class PexServeAppTest : public PexHostFolderTest {
 protected:
  static void SetUpTestSuite() { PexHostSetup::Apply(nullptr); }

  void SetUp() override {
    document_ = folder_ / "line.xml";
    fs::copy_file(kExample, document_);
    KivInteraction::ClearMessages();
    session_ = std::make_unique<PexSession>();
    ASSERT_TRUE(session_->LoadPlugIn());
    ASSERT_TRUE(session_->Open(document_.string()));
    ASSERT_TRUE(session_->View(""));
    PexServeLimits limits;
    limits.burst = 5;
    limits.requestsPerSecond = 1;
    app_ = std::make_unique<PexServeApp>(*session_, kToken, kPort, KIV_SOURCE_DIR "/resources/web",
                                         limits, [this] { return now_; });
  }

  PexServeRequest Request(const std::string& method, const std::string& path,
                          const std::string& body = {}) const {
    PexServeRequest r{method, path, {}, {{"host", "127.0.0.1:8642"}, {"x-pex-token", kToken}}, body};
    if (method == "POST") r.headers["origin"] = "http://127.0.0.1:8642";
    return r;
  }
  // Handles the request with a full bucket.
  PexServeResponse Handle(const PexServeRequest& request) {
    now_ += 10;
    return app_->Handle(request);
  }
  // `held`: the state the page holds, named in the request.
  json Step(const std::string& line, const json& held = nullptr) {
    json body{{"step", line}};
    if (!held.is_null()) body.update({{"since", held["revision"]}, {"picture", held["picture"]}});
    const PexServeResponse r = Handle(Request("POST", "/api/step", body.dump()));
    EXPECT_EQ(r.status, 200) << line << ": " << r.body;
    return json::parse(r.body);
  }
  json State() { return json::parse(Handle(Request("GET", "/api/state")).body); }

  double now_ = 0;
  fs::path document_;
  std::unique_ptr<PexSession> session_;
  std::unique_ptr<PexServeApp> app_;
};

TEST_F(PexServeAppTest, OnlyTheOwnOriginWithTheTokenReachesTheApiWithinItsLimits) {
  struct Case {
    const char* header;
    const char* value;  // nullptr: the header is left out
    int status;
  };
  for (const Case& c : {Case{"x-pex-token", nullptr, 401},
                        {"x-pex-token", "0123456789abcdef0123456789abcdee", 401},
                        {"host", "evil.example:8642", 403},
                        {"host", nullptr, 403},
                        {"origin", "null", 403},
                        {"origin", "http://127.0.0.1:8642.evil.example", 403},
                        {"origin", "http://localhost:8642", 200},
                        {"host", "LOCALHOST:8642", 200}}) {
    PexServeRequest r = Request("GET", "/api/state");
    if (c.value)
      r.headers[c.header] = c.value;
    else
      r.headers.erase(c.header);
    const PexServeResponse response = Handle(r);
    EXPECT_EQ(response.status, c.status) << c.header << ": " << (c.value ? c.value : "(none)");
    EXPECT_EQ(response.body.find("\"viewer\"") != std::string::npos, c.status == 200);
  }
  PexServeRequest page = Request("GET", "/");
  page.headers.erase("x-pex-token");
  EXPECT_EQ(Handle(page).status, 200) << "the page's files need no token";

  EXPECT_EQ(Handle(Request("POST", "/api/step", std::string(64 * 1024 + 1, ' '))).status, 413);
  // The bucket holds 5 and refills at one request per second.
  now_ += 10;
  int refused = 0;
  for (int i = 0; i < 8; ++i) refused += app_->Handle(Request("GET", "/api/state")).status == 429;
  EXPECT_EQ(refused, 3);
  now_ += 1.0;
  EXPECT_EQ(app_->Handle(Request("GET", "/api/state")).status, 200);
}

TEST_F(PexServeAppTest, AStepAnswersItsResultAndTheNewStateAndRedrawsThePicture) {
  // Inside the frame, a page that shows picture 1 gets the edits to picture
  // 2; one that shows a picture the server no longer has gets all of it.
  for (const char* line : {"move A34 500 500", "move A38 237.5 137.5"}) ASSERT_TRUE(Step(line)["ok"]);
  PexServeRequest since = Request("GET", "/api/svg");
  since.query["since"] = "1";
  EXPECT_EQ(json::parse(Handle(since).body)["picture"], 2);
  since.query["since"] = "0";
  EXPECT_EQ(Handle(since).contentType, "image/svg+xml; charset=utf-8");

  EXPECT_EQ(Step("start MoxPexProductFlowViewerCmd")["state"]["command"],
            "MoxPexProductFlowViewerCmd") << "waits for the activity to pick";
  EXPECT_EQ(Step("abort")["state"]["command"], nullptr);

  EXPECT_EQ(Step("move Nowhere 1 2")["state"]["revision"], 5) << "a failed step counts too";
}

namespace {
// The state a page makes of a step's answer from the state it holds.
json Completed(const json& held, json state) {
  if (!state.contains("levels")) state["levels"] = held["levels"];
  json& viewer = state["viewer"];
  if (!viewer.is_object() || !viewer.contains("edits")) return state;
  const json& before = held["viewer"]["nodes"];
  json nodes = json::array();
  std::size_t from = 0, next = 0;
  for (const json& edit : viewer["edits"]) {
    for (; from < edit[0].get<std::size_t>(); ++from) nodes.push_back(before[from]);
    for (std::size_t i = 0; i < edit[2].get<std::size_t>(); ++i) nodes.push_back(viewer["nodes"][next++]);
    from += edit[1].get<std::size_t>();
  }
  for (; from < before.size(); ++from) nodes.push_back(before[from]);
  EXPECT_EQ(nodes.size(), viewer["count"].get<std::size_t>());
  viewer = {{"window", viewer["window"]}, {"level", viewer["level"]}, {"nodes", nodes}};
  return state;
}
}  // namespace

TEST_F(PexServeAppTest, APageThatNamesWhatItHoldsIsSentTheChanges) {
  json held = State();
  int edited = 0, levelsLeftOut = 0, patched = 0;
  for (const char* line : {"move A34 500 500", "zitblt A21 ProductInput click", "view A10",
                           "view A1", "move Nowhere 1 2", "move A38 300 100"}) {
    const json answer = Step(line, held);
    edited += answer["state"]["viewer"].contains("edits");
    levelsLeftOut += !answer["state"].contains("levels");
    const json completed = Completed(held, answer["state"]);
    EXPECT_EQ(completed, State()) << line;
    // The picture's edits when it was redrawn in the same frame.
    if (answer.contains("pictureEdits")) {
      ++patched;
      EXPECT_EQ(answer["pictureEdits"]["picture"], completed["picture"]) << line;
      EXPECT_NE(completed["picture"], held["picture"]) << line;
    }
    held = completed;
  }
  EXPECT_GE(edited, 3);
  EXPECT_GE(patched, 1);
  EXPECT_EQ(levelsLeftOut, 6);
  // A page behind the server gets all of it.
  const json behind = Step("move A34 400 400", json{{"revision", 2}, {"picture", 1}});
  EXPECT_TRUE(behind["state"].contains("levels"));
  EXPECT_FALSE(behind["state"]["viewer"].contains("edits"));
  EXPECT_FALSE(behind.contains("pictureEdits"));
}

TEST_F(PexServeAppTest, RequestsThatCannotBeRunAreRefusedWithTheReason) {
  struct Case {
    const char* method;
    const char* path;
    std::string body;
    int status;
    const char* reason;
  };
  const auto step = [](const char* line) { return json{{"step", line}}.dump(); };
  for (const Case& c : {Case{"POST", "/api/step", "{\"step\": 3}", 400, "send {"},
                        {"POST", "/api/step", step("move \"A10 1 2"), 400, "quote"},
                        {"POST", "/api/step", step("arrange\nsave"), 400, "one step"},
                        {"POST", "/api/step", step("open /etc/passwd"), 400, "one document"},
                        {"POST", "/api/step", step("render /tmp/x.svg"), 400, "draws"},
                        {"POST", "/api/step", step("save ../x.xml"), 400, "plain file name"},
                        {"POST", "/api/ack", "{\"seen\": -1}", 400, "seen"},
                        {"GET", "/api/step", "", 405, "not allowed"},
                        {"GET", "/api/nothing", "", 404, "no such API"},
                        {"DELETE", "/index.html", "", 405, "only read"}}) {
    const PexServeResponse r = Handle(Request(c.method, c.path, c.body));
    EXPECT_EQ(r.status, c.status) << c.path << " " << c.body;
    EXPECT_NE(r.body.find(c.reason), std::string::npos) << c.body << " -> " << r.body;
  }
  EXPECT_EQ(State()["revision"], 0) << "no refused request ran a step";
}

// The pointer steps the page sends while a node is dragged: a press keeps its
// drag in progress across steps until the release; steps out of turn or off
// the nodes fail and say why.
TEST_F(PexServeAppTest, APressDragsANodeUntilTheReleaseAndPointerStepsOutOfTurnFail) {
  for (const char* line : {"motion 100 100", "press 212.5 212.5", "motion 237.5 175",
                           "expect position A34 212.5 212.5", "motion 262.5 137.5",
                           "release 262.5 137.5", "expect position A34 262.5 137.5"})
    EXPECT_TRUE(Step(line)["ok"]) << line;
  for (const auto& [line, reason] : {std::pair{"release 212.5 212.5", "no press in progress"},
                                     {"press -5000 -5000", "nothing to press there"},
                                     {"motion 1 far", "\"far\""}}) {
    const json failed = Step(line);
    EXPECT_FALSE(failed["ok"]) << line;
    EXPECT_NE(failed["message"].get<std::string>().find(reason), std::string::npos) << failed;
  }
}

TEST_F(PexServeAppTest, SaveWritesTheServedDocumentOrACopyBesideIt) {
  Step("move A34 500 500");
  EXPECT_TRUE(Step("save")["ok"]);
  EXPECT_NE(ReadFile(document_).find("512.5"), std::string::npos);
  EXPECT_TRUE(Step("save copy.xml")["ok"]);
  EXPECT_EQ(ReadFile(folder_ / "copy.xml"), ReadFile(document_));
}

TEST_F(PexServeAppTest, ShownDialogsAreWidgetTreesDrivenByStepsAndMessagesWaitForTheUser) {
  KivDialog* main = KivApplicationFrame::GetFrame()->GetMainWindow();
  auto* box = new KivDlgDialog(main, "GroupDlg");
  box->SetTitle("Group activities");
  box->SetOKSensitivity(false);
  (new KivDlgEditor(box, "Name"))->SetText("Cell");
  (new KivDlgCheckButton(box, "Resource"))->SetSensitivity(false);
  box->SetVisibility(KivDlgShow);
  new KivDlgDialog(main, "HiddenDlg");
  EXPECT_EQ(State()["dialogs"], json::parse(R"([{"name": "GroupDlg", "kind": "dialog",
      "title": "Group activities", "visible": true, "sensitive": true, "ok": false, "children": [
      {"name": "Name", "kind": "editor", "title": "", "text": "Cell", "visible": true, "sensitive": true},
      {"name": "Resource", "kind": "check", "title": "", "checked": false, "visible": true,
       "sensitive": false}]}])"));

  auto* notify = new KivDlgNotify(main, "Unexpected");
  notify->DisplayBlocked("Please close the chart.", "Error");
  notify->DisplayBlocked("Second.", "Warning");
  // The texts of the messages still waiting once the first `seen` are acknowledged.
  const auto waiting = [&](int seen) {
    const json state =
        json::parse(Handle(Request("POST", "/api/ack", json{{"seen", seen}}.dump())).body);
    EXPECT_EQ(json({state["messageCount"], state["dialogs"].size()}), json({2, 1}))
        << "message boxes are no dialogs";
    std::vector<std::string> texts;
    for (const json& m : state["messages"]) texts.push_back(m["text"]);
    return texts;
  };
  using Texts = std::vector<std::string>;
  EXPECT_EQ(waiting(0), (Texts{"Please close the chart.", "Second."}));
  EXPECT_EQ(waiting(1), Texts{"Second."});
  EXPECT_EQ(waiting(0), Texts{"Second."}) << "acknowledged stays so";
  EXPECT_EQ(waiting(99), Texts{});
}

// The page's files are served from the web folder and from nothing outside it.
TEST_F(PexServeAppTest, StaticFilesAreKnownFilesOfTheWebFolderAndNothingElse) {
  const fs::path web = folder_ / "web";
  Write("web/index.html", "<!doctype html>");
  Write("web/icons/a.png", "png");
  Write("web/.secret.js", "hidden");
  fs::create_symlink(Write("outside.js", "outside"), web / "leak.js");
  fs::create_directory_symlink(folder_, web / "up");
  const PexServeStaticFiles files(web.string());
  struct Case {
    const char* path;
    int status;
  };
  for (const Case& c : {Case{"/", 200}, {"/index.html", 200}, {"/icons/a.png", 200},
                        {"/../outside.js", 404}, {"/icons/../index.html", 404},
                        {"/./index.html", 404}, {"//index.html", 404}, {"/index.html/", 404},
                        {"/.secret.js", 404}, {"/leak.js", 404}, {"/up/outside.js", 404},
                        {"/icons", 404}, {"/missing.js", 404}, {"/index.txt", 404},
                        {"/a b.html", 404}, {"index.html", 404}, {"", 404}}) {
    const PexServeResponse r = files.Serve(c.path);
    EXPECT_EQ(r.status, c.status) << c.path;
    EXPECT_EQ(r.body.find("outside"), std::string::npos) << c.path;
  }
  EXPECT_EQ(files.Serve("/").contentType, "text/html; charset=utf-8");
  EXPECT_EQ(files.Serve("/icons/a.png").body, "png");
}
