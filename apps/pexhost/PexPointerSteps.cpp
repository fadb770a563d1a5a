// Session steps of the pointer as single events: press, motion, release.
// A press starts a drag on the manipulator under the point and the drag
// stays in progress across the steps that follow, so that a client can show
// what the host shows while it lasts (the viewer's cursor, the dragged
// rows) and decide where to release. Motion without a press hovers.
#include <string>

#include "KivDelayedDestruction.h"
#include "KivManipulator.h"
#include "PexSession.h"
#include "PexStepArgs.h"
#include "PexVerbRegistry.h"

namespace {
using Args = const std::vector<std::string>&;

// The point of the arguments and the current viewer, or the failure.
KivStepResult Pointer(PexSession& session, Args a, KivViewer*& viewer, float& x, float& y) {
  std::vector<double> n;
  if (KivStepResult r = PexNumbers(a, 0, 2, n); !r) return r;
  viewer = session.CurrentViewer();
  if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
  x = static_cast<float>(n[0]);
  y = static_cast<float>(n[1]);
  return KivStepResult::Ok();
}

// Like every user event, a pointer event ends with the delayed destructions.
KivStepResult EndOfEvent(KivStepResult result) {
  KivDelayedDestruction::Flush();
  return result;
}

std::string At(float x, float y) { return " at (" + PexFormat(x) + ", " + PexFormat(y) + ")"; }

std::string GrabberName(KivViewer* viewer) {
  KivManipulator* grabber = viewer->GetGrabber();
  return grabber ? std::string(grabber->GetName().c_str()) : std::string("nothing");
}

KivStepResult Press(PexSession& session, Args a) {
  KivViewer* viewer = nullptr;
  float x = 0, y = 0;
  if (KivStepResult r = Pointer(session, a, viewer, x, y); !r) return r;
  KivViewer_var keep(viewer);
  // A press without a release before it ends that drag first, as the host does.
  if (!viewer->DragStart(x, y))
    return EndOfEvent(KivStepResult::Fail("press" + At(x, y) + ": nothing to press there"));
  return EndOfEvent(KivStepResult::Ok("pressed " + GrabberName(viewer) + At(x, y)));
}

KivStepResult Motion(PexSession& session, Args a) {
  KivViewer* viewer = nullptr;
  float x = 0, y = 0;
  if (KivStepResult r = Pointer(session, a, viewer, x, y); !r) return r;
  KivViewer_var keep(viewer);
  if (viewer->DragStep(x, y))
    return EndOfEvent(KivStepResult::Ok("dragging " + GrabberName(viewer) + At(x, y)));
  viewer->MoveTo(x, y);
  return EndOfEvent(KivStepResult::Ok("hovering" + At(x, y)));
}

KivStepResult Release(PexSession& session, Args a) {
  KivViewer* viewer = nullptr;
  float x = 0, y = 0;
  if (KivStepResult r = Pointer(session, a, viewer, x, y); !r) return r;
  KivViewer_var keep(viewer);
  const std::string name = GrabberName(viewer);
  if (!viewer->DragEnd(x, y))
    return EndOfEvent(KivStepResult::Fail("release" + At(x, y) + ": no press in progress"));
  return EndOfEvent(KivStepResult::Ok("released " + name + At(x, y)));
}
}  // namespace

void PexRegisterPointerSteps(PexVerbRegistry& registry) {
  registry.AddVerb({"press", 2, 2, "X Y", Press});
  registry.AddVerb({"motion", 2, 2, "X Y", Motion});
  registry.AddVerb({"release", 2, 2, "X Y", Release});
}
