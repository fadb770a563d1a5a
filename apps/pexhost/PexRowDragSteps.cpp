// Session steps that drag list rows onto other activities: pickrow,
// dragrow, droprow, and the checks `expect cursor` and `expect checked`.
// A row is picked into the current selection as the host picks it inside a
// node's list (the node, the row's drawing, the listed item); a drag is a
// press on the row, pointer steps and a release over the target, through
// the viewer's pointer actions like any other drag: it moves the picked rows
// of the list when the row pressed is one of them, else that row alone.
#include "Kiv2DBagRep.h"
#include "KivCSO.h"
#include "KivDelayedDestruction.h"
#include "KivDlgCheckButton.h"
#include "KivFrmEditor.h"
#include "KivIVisu.h"
#include "KivPathElement.h"
#include "KivPertInteraction.h"
#include "KivViewer.h"
#include "MoxIPertNode.h"
#include "MoxIScrollListZitBlt.h"
#include "MoxIZitBltMgr.h"
#include "PexSession.h"
#include "PexStepArgs.h"
#include "PexVerbRegistry.h"

namespace {
using Args = const std::vector<std::string>&;

struct PickedRow {
  KivBaseUnknown_var node;
  MoxScrollListRow row;
  KivMathPoint2Df centre;
};

// The row of an open list, where the user sees it.
KivStepResult FindRow(Args a, PickedRow& found) {
  std::string error;
  found.node = KivInteraction::FindObject(a[0], error);
  if (!found.node) return KivStepResult::Fail(error);
  MoxIZitBltMgr_var manager(found.node.get());
  MoxIZitBltButton_var button = manager ? manager->GetZitBltButton(a[1]) : NULL_var;
  MoxIScrollListZitBlt_var list(button.get());
  if (!list) return KivStepResult::Fail("the node has no list " + PexQuoted(a[1]));
  if (!button->IsOpen()) return KivStepResult::Fail("the list is closed");
  int index = 0;
  if (!PexToInteger(a[2], index) || !list->GetRow(index, found.row))
    return KivStepResult::Fail("the list has " + std::to_string(list->GetRowCount()) +
                               " rows, no row " + PexQuoted(a[2]));
  KivIVisu_var visu(found.row.visu.get());
  auto* rep = visu ? dynamic_cast<Kiv2DBagRep*>(visu->GiveRep()) : nullptr;
  Kiv2DRep* label = rep ? rep->GetChild(1) : nullptr;
  if (!found.row.visible || !label || !label->IsVisibleInTree())
    return KivStepResult::Fail("row " + a[2] + " is not shown");
  const Kiv2DBoundingBox box =
      label->GetFather()->GetWorldMatrix().Apply(label->GetBoundingElement());
  found.centre = KivMathPoint2Df((box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2);
  return KivStepResult::Ok();
}

// Adds the row to the selection; picking it again keeps it picked.
KivStepResult PickRow(const PickedRow& picked) {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  if (!editor) return KivStepResult::Fail("no document is open");
  KivListValKivBaseUnknown_var objects;
  objects.Append(picked.node);
  objects.Append(picked.row.visu);
  objects.Append(picked.row.item);
  auto path = KivMake<KivPathElement>(objects);
  if (!editor->GetCSO()->Contains(path.get())) editor->GetCSO()->AddElement(path.get());
  KivDelayedDestruction::Flush();
  return KivStepResult::Ok("picked " + PexQuoted(picked.row.label.ConvertToUTF8()));
}

// The drop point: the centre of an activity's node, or X Y.
KivStepResult TargetPoint(Args a, std::size_t first, KivMathPoint2Df& at) {
  if (a.size() - first >= 2) {
    std::vector<double> n;
    if (KivStepResult r = PexNumbers(a, first, 2, n); !r) return r;
    at = KivMathPoint2Df(static_cast<float>(n[0]), static_cast<float>(n[1]));
    return KivStepResult::Ok();
  }
  std::string error;
  KivBaseUnknown_var target = KivInteraction::FindObject(a[first], error);
  if (!target) return KivStepResult::Fail(error);
  MoxIPertNode_var node(target.get());
  double x = 0, y = 0;
  if (!node || FAILED(node->GetPosition(x, y, 1)))
    return KivStepResult::Fail(PexQuoted(a[first]) + " is not drawn in this viewer");
  at = KivMathPoint2Df(static_cast<float>(x), static_cast<float>(y));
  return KivStepResult::Ok();
}

// dragrow NODE BUTTON ROW (TARGET | X Y) [hold]
KivStepResult DragRow(PexSession& session, Args args) {
  KivViewer* viewer = session.CurrentViewer();
  if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
  std::vector<std::string> a = args;
  const bool hold = a.back() == "hold";
  if (hold) a.pop_back();
  if (a.size() < 4 || a.size() > 5)
    return KivStepResult::Fail("dragrow takes NODE BUTTON ROW and a target or X Y");
  PickedRow picked;
  KivMathPoint2Df to;
  if (KivStepResult r = FindRow(a, picked); !r) return r;
  if (KivStepResult r = TargetPoint(a, 3, to); !r) return r;
  if (viewer->GetGrabber()) return KivStepResult::Fail("a drag is under way");
  const std::string from = PexFormat(picked.centre.x) + " " + PexFormat(picked.centre.y);
  const std::string at = PexFormat(to.x) + " " + PexFormat(to.y);
  constexpr int kSteps = 4;
  std::vector<KivMathPoint2Df> path;
  for (int i = 1; i <= kSteps; ++i)
    path.push_back(picked.centre + (to - picked.centre) * (static_cast<float>(i) / kSteps));
  if (!hold) {
    KivStepResult dragged = KivPertInteraction::Drag(viewer, picked.centre, path);
    return dragged ? KivStepResult::Ok("dragged from " + from + " to " + at) : dragged;
  }
  bool moved = viewer->DragStart(picked.centre.x, picked.centre.y);
  for (const auto& point : path) moved = viewer->DragStep(point.x, point.y) && moved;
  KivDelayedDestruction::Flush();
  if (!moved) return KivStepResult::Fail("the row did not follow the pointer");
  return KivStepResult::Ok("dragged from " + from + ", holding at " + at + ", cursor " +
                           std::to_string(viewer->GetCursor()));
}

// Releases a held drag where the pointer is.
KivStepResult DropRow(PexSession& session, Args) {
  KivViewer* viewer = session.CurrentViewer();
  KivManipulator* grabber = viewer ? viewer->GetGrabber() : nullptr;
  if (!grabber) return KivStepResult::Fail("no drag is under way");
  const KivMathPoint2Df at = grabber->GetPointerPosition();
  viewer->DragEnd(at.x, at.y);
  KivDelayedDestruction::Flush();
  return KivStepResult::Ok("dropped at " + PexFormat(at.x) + " " + PexFormat(at.y));
}

KivStepResult CursorCheck(PexSession& session, Args a) {
  KivViewer* viewer = session.CurrentViewer();
  if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
  int expected = 0;
  if (!PexToInteger(a[0], expected)) return KivStepResult::Fail(PexQuoted(a[0]) + " is not a cursor");
  if (viewer->GetCursor() != expected)
    return KivStepResult::Fail("the cursor is " + std::to_string(viewer->GetCursor()) + ", not " +
                               a[0]);
  return KivStepResult::Ok();
}

KivStepResult CheckedCheck(PexSession&, Args a) {
  if (a[2] != "on" && a[2] != "off") return KivStepResult::Fail(PexQuoted(a[2]) + " is not on or off");
  KivDialog* dialog = KivInteraction::FindDialog(KivString(a[0]));
  auto* button = dialog ? dynamic_cast<KivDlgCheckButton*>(dialog->FindChild(KivString(a[1])))
                        : nullptr;
  if (!button) return KivStepResult::Fail("no check button " + PexQuoted(a[1]) + " in " + PexQuoted(a[0]));
  const char* state = button->IsChecked() ? "on" : "off";
  if (a[2] != state) return KivStepResult::Fail(PexQuoted(a[1]) + " is " + state);
  return KivStepResult::Ok();
}
}  // namespace

void PexRegisterRowDragSteps(PexVerbRegistry& registry) {
  registry.AddVerb({"pickrow", 3, 3, "NODE BUTTON ROW", [](PexSession&, Args a) {
                      PickedRow picked;
                      if (KivStepResult r = FindRow(a, picked); !r) return r;
                      return PickRow(picked);
                    }});
  registry.AddVerb({"dragrow", 4, 6, "NODE BUTTON ROW (TARGET | X Y) [hold]", DragRow});
  registry.AddVerb({"droprow", 0, 0, "", DropRow});
  registry.AddCheck({"cursor", 1, "N", CursorCheck});
  registry.AddCheck({"checked", 3, "DIALOG BUTTON on|off", CheckedCheck});
}
