// Session steps on the nodes of the current viewer and its pointer: expand,
// collapse, move, click, drag, menu, choose.
#include "KivPertInteraction.h"
#include "PexClickTarget.h"
#include "PexSession.h"
#include "PexStepArgs.h"
#include "PexVerbRegistry.h"

namespace {
using Args = const std::vector<std::string>&;

// A click or a context menu at the point the two arguments give.
KivStepResult AtPoint(PexSession& session, Args a, bool menu) {
  std::vector<double> n;
  if (KivStepResult r = PexNumbers(a, 0, 2, n); !r) return r;
  KivViewer* viewer = session.CurrentViewer();
  if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
  const float x = static_cast<float>(n[0]), y = static_cast<float>(n[1]);
  return menu ? KivPertInteraction::OpenContextMenu(viewer, x, y) : PexClickAndSay(session, x, y);
}

KivStepResult Drag(PexSession& session, Args a) {
  std::vector<double> n;
  if (KivStepResult r = PexNumbers(a, 0, 4, n); !r) return r;
  int steps = 4;
  if (a.size() == 5 && (!PexToInteger(a[4], steps) || steps < 1 || steps > 1000))
    return KivStepResult::Fail(PexQuoted(a[4]) + " is not a step count from 1 to 1000");
  KivViewer* viewer = session.CurrentViewer();
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
}  // namespace

void PexRegisterNodeSteps(PexVerbRegistry& registry) {
  registry.AddVerb({"expand", 1, 1, "NODE",
                    [](PexSession& s, Args a) { return s.Expand(a[0], true); },
                    "expands a super node drawn in the current viewer"});
  registry.AddVerb({"collapse", 1, 1, "NODE",
                    [](PexSession& s, Args a) { return s.Expand(a[0], false); },
                    "collapses a super node drawn in the current viewer"});
  registry.AddVerb({"move", 3, 3, "NODE X Y",
                    [](PexSession& s, Args a) {
                      std::vector<double> n;
                      if (KivStepResult r = PexNumbers(a, 1, 2, n); !r) return r;
                      return s.Move(a[0], n[0], n[1]);
                    },
                    "drags the node's box so that its centre goes to (X, Y)"});
  registry.AddVerb({"click", 2, 2, "X Y",
                    [](PexSession& s, Args a) { return AtPoint(s, a, false); },
                    "clicks the topmost node or button at the point and says what it hit"});
  registry.AddVerb({"menu", 2, 2, "X Y", [](PexSession& s, Args a) { return AtPoint(s, a, true); },
                    "opens the context menu at the point"});
  registry.AddVerb({"drag", 4, 5, "X1 Y1 X2 Y2 [STEPS]", Drag,
                    "presses at (X1, Y1), moves in STEPS steps, releases at (X2, Y2)"});
  registry.AddVerb(
      {"choose", 1, 1, "ITEM",
       [](PexSession&, Args a) { return KivPertInteraction::ChooseMenuItem(KivString(a[0])); },
       "chooses an item of the open context menu"});
}
