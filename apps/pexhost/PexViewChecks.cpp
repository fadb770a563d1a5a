// The `expect` checks of what the user sees: the current window's title and
// level, the windows open, the nodes drawn, a node's position and super node
// state, and the messages shown.
#include <cmath>

#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "KivMessageLog.h"
#include "MoxIPertNode.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertWindow.h"
#include "MoxPertController.h"
#include "PexSession.h"
#include "PexStepArgs.h"
#include "PexVerbRegistry.h"

namespace {
using Args = const std::vector<std::string>&;

KivStepResult Title(PexSession& session, Args a) {
  KivFrmWindow* window = session.CurrentPertWindow();
  if (!window) return KivStepResult::Fail("the current window shows no PERT level");
  const std::string title = window->GetTitle().ConvertToUTF8();
  if (title != a[0])
    return KivStepResult::Fail("the title is " + PexQuoted(title) + ", not " + PexQuoted(a[0]));
  return KivStepResult::Ok();
}

KivStepResult Level(PexSession& session, Args a) {
  KivFrmWindow* window = session.CurrentPertWindow();
  if (!window) return KivStepResult::Fail("the current window shows no PERT level");
  KivBaseUnknown_var level;
  MoxIPertWindow_var(window)->GetPertLevel(level);
  KivIGENode_var node(level.get());
  const std::string name = node ? node->GetNodeName().ConvertToUTF8() : std::string();
  if (name != a[0])
    return KivStepResult::Fail("the current level is " + PexQuoted(name) + ", not " +
                               PexQuoted(a[0]));
  return KivStepResult::Ok();
}

KivStepResult Windows(PexSession&, Args a) {
  int expected = 0;
  if (!PexToInteger(a[0], expected))
    return KivStepResult::Fail(PexQuoted(a[0]) + " is not a count");
  const int count = KivFrmLayout::GetCurrentLayout()->GetWindowCount();
  if (count != expected)
    return KivStepResult::Fail(std::to_string(count) + " windows are open, not " + a[0]);
  return KivStepResult::Ok();
}

KivStepResult Nodes(PexSession& session, Args a) {
  int expected = 0;
  if (!PexToInteger(a[0], expected))
    return KivStepResult::Fail(PexQuoted(a[0]) + " is not a count");
  MoxPertController* controller = session.CurrentController();
  if (!controller) return KivStepResult::Fail("the current window shows no PERT level");
  const int count = controller->GetDrawnNodes().Size();
  if (count != expected)
    return KivStepResult::Fail(std::to_string(count) + " nodes are drawn, not " + a[0]);
  return KivStepResult::Ok();
}

KivStepResult Position(PexSession&, Args a) {
  std::vector<double> n;
  if (KivStepResult r = PexNumbers(a, 1, 2, n); !r) return r;
  std::string error;
  KivBaseUnknown_var node = KivInteraction::FindObject(a[0], error);
  if (!node) return KivStepResult::Fail(error);
  MoxIPertNode_var pert(node.get());
  double x = 0, y = 0;
  if (!pert || FAILED(pert->GetPosition(x, y, 1)))
    return KivStepResult::Fail(PexQuoted(a[0]) + " is not a PERT node");
  if (std::fabs(x - n[0]) > 1e-6 || std::fabs(y - n[1]) > 1e-6)
    return KivStepResult::Fail(PexQuoted(a[0]) + " is at (" + PexFormat(x) + ", " + PexFormat(y) +
                               "), not (" + a[1] + ", " + a[2] + ")");
  return KivStepResult::Ok();
}

KivStepResult State(PexSession&, Args a) {
  std::string error;
  KivBaseUnknown_var node = KivInteraction::FindObject(a[0], error);
  if (!node) return KivStepResult::Fail(error);
  MoxIPertNodeExt_var ext(node.get());
  int state = 0;
  if (!ext || FAILED(ext->GetSuperNodeState(state, 1)))
    return KivStepResult::Fail(PexQuoted(a[0]) + " is not a PERT node");
  const std::string name = state == 1 ? "expanded" : state == 2 ? "collapsed" : "plain";
  if (name != a[1]) return KivStepResult::Fail(PexQuoted(a[0]) + " is " + name + ", not " + a[1]);
  return KivStepResult::Ok();
}

KivStepResult Message(PexSession&, Args a) {
  for (const KivLoggedMessage& m : KivMessageLog::GetMessages())
    if (m.text.ConvertToUTF8().find(a[0]) != std::string::npos) return KivStepResult::Ok();
  return KivStepResult::Fail("no message shown contains " + PexQuoted(a[0]));
}

KivStepResult NoMessage(PexSession&, Args) {
  if (KivMessageLog::Count() > 0)
    return KivStepResult::Fail("a message was shown: " +
                               PexQuoted(KivMessageLog::Last().text.ConvertToUTF8()));
  return KivStepResult::Ok();
}
}  // namespace

void PexRegisterViewChecks(PexVerbRegistry& registry) {
  registry.AddCheck({"title", 1, "TEXT", Title, 0, "the current window's title is TEXT"});
  registry.AddCheck(
      {"level", 1, "ACTIVITY", Level, 0, "the current viewer shows the activity's level"});
  registry.AddCheck({"windows", 1, "COUNT", Windows, 0, "COUNT windows are open"});
  registry.AddCheck({"nodes", 1, "COUNT", Nodes, 0, "the current viewer draws COUNT nodes"});
  registry.AddCheck(
      {"position", 3, "NODE X Y", Position, 0, "the node's box is centred at (X, Y)"});
  registry.AddCheck(
      {"state", 2, "NODE expanded|collapsed|plain", State, 0, "the node's super node state"});
  registry.AddCheck({"message", 1, "TEXT", Message, 0, "a message shown contains TEXT"});
  registry.AddCheck({"no-message", 0, "nothing", NoMessage, 0, "no message was shown"});
}
