#include "PexScriptRunner.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>

#include "KivDlgNotify.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "KivMessageLog.h"
#include "KivPertInteraction.h"
#include "MoxIPertNode.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertWindow.h"
#include "PexListSteps.h"
#include "PexNodeButtons.h"
#include "MoxPertController.h"

namespace {
bool ToNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  std::size_t used = 0;
  try {
    value = std::stod(text, &used);
  } catch (...) {
    return false;
  }
  return used == text.size() && std::isfinite(value);
}

bool ToInteger(const std::string& text, int& value) {
  double d = 0;
  if (!ToNumber(text, d) || d != std::floor(d) || std::fabs(d) > 1e9) return false;
  value = static_cast<int>(d);
  return true;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Numbers from the step's arguments starting at `first`; a failure names
// the argument that is not a number.
KivStepResult Numbers(const std::vector<std::string>& args, std::size_t first, std::size_t count,
                      std::vector<double>& values) {
  values.clear();
  for (std::size_t i = first; i < first + count; ++i) {
    double v = 0;
    if (!ToNumber(args[i], v)) return KivStepResult::Fail(Quoted(args[i]) + " is not a number");
    values.push_back(v);
  }
  return KivStepResult::Ok();
}

KivBaseUnknown_var FindNode(const std::string& name, std::string& error) {
  return KivInteraction::FindObject(name, error);
}

std::string Format(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}
}  // namespace

PexScriptRunner::PexScriptRunner(PexSession& session, std::string scriptName, std::ostream& out)
    : session_(session), scriptName_(std::move(scriptName)), out_(out) {}

bool PexScriptRunner::Run(const std::vector<PexScriptStep>& steps) {
  for (const PexScriptStep& step : steps) {
    KivStepResult result = RunStep(step);
    if (!result) {
      failedLine_ = step.line;
      error_ =
          scriptName_ + ":" + std::to_string(step.line) + ": " + step.verb + ": " + result.message;
      return false;
    }
    out_ << scriptName_ << ":" << step.line << ": " << step.verb << " ok"
         << (result.message.empty() ? std::string() : " (" + result.message + ")") << "\n";
  }
  return true;
}

KivStepResult PexScriptRunner::RunStep(const PexScriptStep& step) {
  // verb -> (minimum arguments, maximum arguments, what they are)
  struct Shape {
    std::size_t min, max;
    const char* usage;
  };
  static const std::map<std::string, Shape> shapes = {
      {"open", {1, 1, "FILE"}},
      {"start", {1, 1, "COMMAND"}},
      {"pick", {1, 1, "OBJECT"}},
      {"view", {0, 1, "[ACTIVITY]"}},
      {"arrange", {0, 0, ""}},
      {"expand", {1, 1, "NODE"}},
      {"collapse", {1, 1, "NODE"}},
      {"move", {3, 3, "NODE X Y"}},
      {"click", {2, 2, "X Y"}},
      {"drag", {4, 5, "X1 Y1 X2 Y2 [STEPS]"}},
      {"menu", {2, 2, "X Y"}},
      {"choose", {1, 1, "ITEM"}},
      {"type", {3, 3, "DIALOG EDITOR TEXT"}},
      {"select", {3, 3, "DIALOG COMBO LINE"}},
      {"check", {3, 3, "DIALOG BUTTON on|off"}},
      {"activate", {2, 2, "DIALOG ITEM"}},
      {"ok", {1, 1, "DIALOG"}},
      {"cancel", {1, 1, "DIALOG"}},
      {"close", {1, 1, "DIALOG"}},
      {"answer", {1, 1, "ok|cancel"}},
      {"abort", {0, 0, ""}},
      {"resize", {2, 2, "WIDTH HEIGHT"}},
      {"render", {1, 1, "FILE.svg|FILE.png"}},
      {"save", {1, 1, "FILE"}},
      {"expect", {1, 8, "WHAT ..."}},
      {"zitblt", {3, 3, "NODE BUTTON show|hide|click"}},
      {"list", {3, 3, "NODE BUTTON open|close"}},
      {"scroll", {3, 3, "NODE BUTTON FIRST"}},
      {"row", {4, 4, "NODE BUTTON ROW select|hide|show"}},
  };
  const auto shape = shapes.find(step.verb);
  if (shape == shapes.end()) return KivStepResult::Fail("unknown verb");
  const std::vector<std::string>& a = step.args;
  if (a.size() < shape->second.min || a.size() > shape->second.max)
    return KivStepResult::Fail(
        "expects " +
        std::string(shape->second.usage).append(shape->second.max == 0 ? "no argument" : "") +
        ", got " + std::to_string(a.size()) + " argument" + (a.size() == 1 ? "" : "s"));
  const std::string& v = step.verb;
  std::vector<double> n;
  if (v == "open") return session_.Open(a[0]);
  if (v == "start") return session_.Start(a[0]);
  if (v == "pick") return session_.Pick(a[0]);
  if (v == "view") return session_.View(a.empty() ? std::string() : a[0]);
  if (v == "arrange") return session_.Arrange();
  if (v == "expand" || v == "collapse") return session_.Expand(a[0], v == "expand");
  if (v == "zitblt") {
    std::string error;
    KivBaseUnknown_var node = KivInteraction::FindObject(a[0], error);
    if (!node) return KivStepResult::Fail(error);
    return PexDriveNodeButton(node.get(), a[1], a[2]);
  }
  if (v == "list" || v == "scroll" || v == "row")
    return PexRunListStep(v, a, session_.CurrentViewer());
  if (v == "move") {
    if (KivStepResult r = Numbers(a, 1, 2, n); !r) return r;
    return session_.Move(a[0], n[0], n[1]);
  }
  if (v == "click" || v == "menu") {
    if (KivStepResult r = Numbers(a, 0, 2, n); !r) return r;
    KivViewer* viewer = session_.CurrentViewer();
    if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
    const float x = static_cast<float>(n[0]), y = static_cast<float>(n[1]);
    return v == "click" ? KivPertInteraction::ClickAt(viewer, x, y)
                        : KivPertInteraction::OpenContextMenu(viewer, x, y);
  }
  if (v == "drag") {
    if (KivStepResult r = Numbers(a, 0, 4, n); !r) return r;
    int steps = 4;
    if (a.size() == 5 && (!ToInteger(a[4], steps) || steps < 1 || steps > 1000))
      return KivStepResult::Fail(Quoted(a[4]) + " is not a step count from 1 to 1000");
    KivViewer* viewer = session_.CurrentViewer();
    if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
    std::vector<KivMathPoint2Df> path;
    for (int i = 1; i <= steps; ++i) {
      const double t = static_cast<double>(i) / steps;
      path.push_back(KivMathPoint2Df(static_cast<float>(n[0] + t * (n[2] - n[0])),
                                     static_cast<float>(n[1] + t * (n[3] - n[1]))));
    }
    return KivPertInteraction::Drag(
        viewer, KivMathPoint2Df(static_cast<float>(n[0]), static_cast<float>(n[1])), path);
  }
  if (v == "choose") return KivPertInteraction::ChooseMenuItem(KivString(a[0]));
  if (v == "type") return KivInteraction::TypeText(KivString(a[0]), KivString(a[1]), a[2]);
  if (v == "select") return KivInteraction::ChooseLine(KivString(a[0]), KivString(a[1]), a[2]);
  if (v == "check") {
    if (a[2] != "on" && a[2] != "off")
      return KivStepResult::Fail(Quoted(a[2]) + " is not on or off");
    return KivInteraction::Check(KivString(a[0]), KivString(a[1]), a[2] == "on");
  }
  if (v == "activate") return KivInteraction::ActivateItem(KivString(a[0]), KivString(a[1]));
  if (v == "ok") return KivInteraction::PressOK(KivString(a[0]));
  if (v == "cancel") return KivInteraction::PressCancel(KivString(a[0]));
  if (v == "close") return KivInteraction::CloseWindow(KivString(a[0]));
  if (v == "answer") {
    if (a[0] != "ok" && a[0] != "cancel")
      return KivStepResult::Fail(Quoted(a[0]) + " is not ok or cancel");
    KivMessageLog::QueueAnswer(a[0] == "ok" ? KivDlgNfyAnswerOK : KivDlgNfyAnswerCancel);
    return KivStepResult::Ok();
  }
  if (v == "abort") return KivInteraction::CancelCommands();
  if (v == "resize") {
    int w = 0, h = 0;
    if (!ToInteger(a[0], w) || !ToInteger(a[1], h))
      return KivStepResult::Fail("the size must be two whole numbers of pixels");
    return session_.Resize(w, h);
  }
  if (v == "render") return session_.Render(a[0]);
  if (v == "save") return session_.Save(a[0]);
  return Expect(a);
}

KivStepResult PexScriptRunner::Expect(const std::vector<std::string>& a) {
  const std::string& what = a[0];
  auto arity = [&](std::size_t count, const char* usage) -> KivStepResult {
    if (a.size() != count + 1) return KivStepResult::Fail("expect " + what + " takes " + usage);
    return KivStepResult::Ok();
  };
  if (what == "title") {
    if (KivStepResult r = arity(1, "TEXT"); !r) return r;
    KivFrmWindow* window = session_.CurrentPertWindow();
    const std::string title = window ? window->GetTitle().ConvertToUTF8() : std::string();
    if (!window) return KivStepResult::Fail("the current window shows no PERT level");
    if (title != a[1])
      return KivStepResult::Fail("the title is " + Quoted(title) + ", not " + Quoted(a[1]));
    return KivStepResult::Ok();
  }
  if (what == "level") {
    if (KivStepResult r = arity(1, "ACTIVITY"); !r) return r;
    KivFrmWindow* window = session_.CurrentPertWindow();
    if (!window) return KivStepResult::Fail("the current window shows no PERT level");
    KivBaseUnknown_var level;
    MoxIPertWindow_var(static_cast<KivBaseUnknown*>(window))->GetPertLevel(level);
    KivIGENode_var node(level.get());
    const std::string name = node ? node->GetNodeName().ConvertToUTF8() : std::string();
    if (name != a[1])
      return KivStepResult::Fail("the current level is " + Quoted(name) + ", not " + Quoted(a[1]));
    return KivStepResult::Ok();
  }
  if (what == "windows") {
    if (KivStepResult r = arity(1, "COUNT"); !r) return r;
    int expected = 0;
    if (!ToInteger(a[1], expected)) return KivStepResult::Fail(Quoted(a[1]) + " is not a count");
    const int count = KivFrmLayout::GetCurrentLayout()->GetWindowCount();
    if (count != expected)
      return KivStepResult::Fail(std::to_string(count) + " windows are open, not " + a[1]);
    return KivStepResult::Ok();
  }
  if (what == "nodes") {
    if (KivStepResult r = arity(1, "COUNT"); !r) return r;
    int expected = 0;
    if (!ToInteger(a[1], expected)) return KivStepResult::Fail(Quoted(a[1]) + " is not a count");
    MoxPertController* controller = session_.CurrentController();
    if (!controller) return KivStepResult::Fail("the current window shows no PERT level");
    const int count = controller->GetDrawnNodes().Size();
    if (count != expected)
      return KivStepResult::Fail(std::to_string(count) + " nodes are drawn, not " + a[1]);
    return KivStepResult::Ok();
  }
  if (what == "position") {
    if (KivStepResult r = arity(3, "NODE X Y"); !r) return r;
    std::vector<double> n;
    if (KivStepResult r = Numbers(a, 2, 2, n); !r) return r;
    std::string error;
    KivBaseUnknown_var node = FindNode(a[1], error);
    if (!node) return KivStepResult::Fail(error);
    MoxIPertNode_var pert(node.get());
    double x = 0, y = 0;
    if (!pert || FAILED(pert->GetPosition(x, y, 1)))
      return KivStepResult::Fail(Quoted(a[1]) + " is not a PERT node");
    if (std::fabs(x - n[0]) > 1e-6 || std::fabs(y - n[1]) > 1e-6)
      return KivStepResult::Fail(Quoted(a[1]) + " is at (" + Format(x) + ", " + Format(y) +
                                 "), not (" + a[2] + ", " + a[3] + ")");
    return KivStepResult::Ok();
  }
  if (what == "button") {
    if (KivStepResult r = arity(3, "NODE BUTTON shown|hidden|open|closed"); !r) return r;
    std::string error;
    KivBaseUnknown_var node = FindNode(a[1], error);
    if (!node) return KivStepResult::Fail(error);
    return PexCheckNodeButton(node.get(), a[2], a[3]);
  }
  if (what == "rows" || what == "row") return PexExpectListRows(a);
  if (what == "state") {
    if (KivStepResult r = arity(2, "NODE expanded|collapsed|plain"); !r) return r;
    std::string error;
    KivBaseUnknown_var node = FindNode(a[1], error);
    if (!node) return KivStepResult::Fail(error);
    MoxIPertNodeExt_var ext(node.get());
    int state = 0;
    if (!ext || FAILED(ext->GetSuperNodeState(state, 1)))
      return KivStepResult::Fail(Quoted(a[1]) + " is not a PERT node");
    const std::string name = state == 1 ? "expanded" : state == 2 ? "collapsed" : "plain";
    if (name != a[2]) return KivStepResult::Fail(Quoted(a[1]) + " is " + name + ", not " + a[2]);
    return KivStepResult::Ok();
  }
  if (what == "message") {
    if (KivStepResult r = arity(1, "TEXT"); !r) return r;
    for (const KivLoggedMessage& m : KivMessageLog::GetMessages())
      if (m.text.ConvertToUTF8().find(a[1]) != std::string::npos) return KivStepResult::Ok();
    return KivStepResult::Fail("no message shown contains " + Quoted(a[1]));
  }
  if (what == "no-message") {
    if (KivStepResult r = arity(0, "nothing"); !r) return r;
    if (KivMessageLog::Count() > 0)
      return KivStepResult::Fail("a message was shown: " +
                                 Quoted(KivMessageLog::Last().text.ConvertToUTF8()));
    return KivStepResult::Ok();
  }
  return KivStepResult::Fail("unknown expectation " + Quoted(what) +
                             " (title, level, windows, nodes, position, state, button, rows, row, "
                             "message, no-message)");
}

int PexRunScriptVerb(const std::string& scriptPath, std::ostream& out, std::ostream& err) {
  std::ifstream in(scriptPath, std::ios::binary);
  if (!in) {
    err << "pexhost: cannot read script " << scriptPath << "\n";
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();
  const PexScriptParseResult parsed = PexScriptParser::Parse(text.str());
  if (!parsed.ok) {
    err << scriptPath << ":" << parsed.errorLine << ": " << parsed.error << "\n";
    return 2;
  }
  const std::size_t slash = scriptPath.find_last_of('/');
  PexSession session(slash == std::string::npos ? std::string(".") : scriptPath.substr(0, slash));
  if (KivStepResult loaded = session.LoadPlugIn(); !loaded) {
    err << "pexhost: " << loaded.message << "\n";
    return 1;
  }
  PexScriptRunner runner(session, scriptPath, out);
  if (!runner.Run(parsed.steps)) {
    err << runner.GetError() << "\n";
    return 1;
  }
  out << scriptPath << ": all " << parsed.steps.size() << " steps succeeded\n";
  return 0;
}
