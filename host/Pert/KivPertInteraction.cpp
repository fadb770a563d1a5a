#include "KivPertInteraction.h"

#include <cstdio>

#include "Kiv2DManipulator.h"
#include "KivDelayedDestruction.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivProcessDocumentFormat.h"
#include "MoxIPertNode.h"
#include "MoxIPertWindow.h"
#include "MoxPertController.h"
#include "MoxPertNodeAccess.h"
#include "MoxPertViewer.h"

namespace {
KivStepResult EndOfEvent(KivStepResult result) {
  KivDelayedDestruction::Flush();
  return result;
}

std::string Point(double x, double y) {
  char text[64];
  std::snprintf(text, sizeof text, "(%g, %g)", x, y);
  return text;
}

KivVar<KivDlgContextualMenu>& OpenMenu() {
  static KivVar<KivDlgContextualMenu> menu;
  return menu;
}

// The centre of the rep's box in the coordinates of the viewer's scene.
bool WorldCentre(Kiv2DRep* rep, KivMathPoint2Df& centre) {
  if (!rep) return false;
  Kiv2DBoundingBox box = rep->GetBoundingElement();
  if (box.IsEmpty()) return false;
  if (Kiv2DBagRep* father = rep->GetFather()) box = father->GetWorldMatrix().Apply(box);
  centre = {(box.xmin + box.xmax) / 2.0f, (box.ymin + box.ymax) / 2.0f};
  return true;
}

MoxIPertWindow_var CurrentPertWindow() {
  KivFrmLayout* layout = KivFrmLayout::GetCurrentLayout();
  KivFrmWindow* window = layout ? layout->GetCurrentWindow() : nullptr;
  return window ? MoxIPertWindow_var(window) : MoxIPertWindow_var();
}
}  // namespace

KivViewer* KivPertInteraction::GetCurrentViewer() {
  MoxIPertWindow_var window = CurrentPertWindow();
  return window ? window->GetPertViewer() : nullptr;
}

MoxPertController* KivPertInteraction::GetCurrentController() {
  MoxIPertWindow_var window = CurrentPertWindow();
  return window ? window->GetPertController() : nullptr;
}

KivStepResult KivPertInteraction::ClickAt(KivViewer* viewer, float x, float y) {
  if (!viewer) return EndOfEvent(KivStepResult::Fail("click: no viewer"));
  KivViewer_var keep(viewer);
  if (!viewer->Click(x, y))
    return EndOfEvent(KivStepResult::Fail("click at " + Point(x, y) + ": nothing to click there"));
  return EndOfEvent(KivStepResult::Ok("clicked at " + Point(x, y)));
}

KivStepResult KivPertInteraction::ClickRep(KivViewer* viewer, Kiv2DRep* rep) {
  KivMathPoint2Df centre;
  if (!WorldCentre(rep, centre))
    return EndOfEvent(KivStepResult::Fail("click: the rep is empty or missing"));
  return ClickAt(viewer, centre.x, centre.y);
}

KivStepResult KivPertInteraction::Drag(KivViewer* viewer, const KivMathPoint2Df& from,
                                       const std::vector<KivMathPoint2Df>& path) {
  if (!viewer) return EndOfEvent(KivStepResult::Fail("drag: no viewer"));
  if (path.empty()) return EndOfEvent(KivStepResult::Fail("drag: no point to drag to"));
  KivViewer_var keep(viewer);
  if (!viewer->DragStart(from.x, from.y))
    return EndOfEvent(
        KivStepResult::Fail("drag from " + Point(from.x, from.y) + ": nothing to drag there"));
  KivVar<KivManipulator> grabber(viewer->GetGrabber());
  for (const auto& p : path) viewer->DragStep(p.x, p.y);
  std::string axis;
  if (auto* manipulator2D = dynamic_cast<Kiv2DManipulator*>(grabber.get())) {
    const KivMathPoint2Df o = manipulator2D->GetCurrentAxis().GetOrigin();
    axis = ", axis origin " + Point(o.x, o.y);
  }
  viewer->DragEnd(path.back().x, path.back().y);
  return EndOfEvent(KivStepResult::Ok("dragged " + std::string(grabber->GetName().c_str()) +
                                      " from " + Point(from.x, from.y) + " to " +
                                      Point(path.back().x, path.back().y) + axis));
}

KivStepResult KivPertInteraction::DragRep(KivViewer* viewer, Kiv2DRep* rep,
                                          const KivMathVector2Df& by, int steps) {
  KivMathPoint2Df start;
  if (!WorldCentre(rep, start))
    return EndOfEvent(KivStepResult::Fail("drag: the rep is empty or missing"));
  if (steps < 1) steps = 1;
  std::vector<KivMathPoint2Df> path;
  for (int i = 1; i <= steps; ++i) path.push_back(start + by * (static_cast<float>(i) / steps));
  return Drag(viewer, start, path);
}

KivStepResult KivPertInteraction::OpenContextMenu(KivViewer* viewer, float x, float y) {
  if (!viewer) return EndOfEvent(KivStepResult::Fail("context menu: no viewer"));
  CloseContextMenu();
  KivViewer_var keep(viewer);
  auto menu =
      KivVar<KivDlgContextualMenu>::Adopt(new KivDlgContextualMenu(nullptr, "ContextualMenu"));
  OpenMenu() = menu;
  const int receivers = viewer->ContextMenu(x, y, menu.get());
  std::string items;
  for (const KivString& name : GetMenuItemNames())
    items += (items.empty() ? "" : ", ") + name.str();
  if (receivers == 0 && menu->GetChildCount() == 0) {
    CloseContextMenu();
    return EndOfEvent(
        KivStepResult::Fail("context menu at " + Point(x, y) + ": nobody offers a menu there"));
  }
  return EndOfEvent(KivStepResult::Ok("context menu at " + Point(x, y) + ": " +
                                      (items.empty() ? std::string("no items") : items)));
}

KivDlgContextualMenu* KivPertInteraction::GetOpenContextMenu() { return OpenMenu().get(); }

std::vector<KivString> KivPertInteraction::GetMenuItemNames() {
  std::vector<KivString> names;
  if (KivDlgContextualMenu* menu = OpenMenu().get())
    for (int i = 1; i <= menu->GetChildCount(); ++i) names.push_back(menu->GetChild(i)->GetName());
  return names;
}

KivStepResult KivPertInteraction::ChooseMenuItem(const KivString& itemName) {
  KivVar<KivDlgContextualMenu> menu = OpenMenu();
  if (!menu)
    return EndOfEvent(KivStepResult::Fail("menu item " + itemName.str() + ": no menu open"));
  KivDlgPushItem* item = nullptr;
  for (int i = 1; i <= menu->GetChildCount() && !item; ++i)
    if (menu->GetChild(i)->GetName() == itemName)
      item = dynamic_cast<KivDlgPushItem*>(menu->GetChild(i));
  if (!item)
    return EndOfEvent(KivStepResult::Fail("menu item " + itemName.str() + ": not in the menu"));
  KivVar<KivDlgPushItem> keep(item);
  const bool pushed = item->Push();
  CloseContextMenu();
  if (!pushed)
    return EndOfEvent(KivStepResult::Fail("menu item " + itemName.str() + ": not available"));
  return EndOfEvent(KivStepResult::Ok("chose " + itemName.str()));
}

KivStepResult KivPertInteraction::CloseContextMenu() {
  KivVar<KivDlgContextualMenu> menu = std::move(OpenMenu());
  OpenMenu() = NULL_var;
  if (!menu) return KivStepResult::Ok("no menu open");
  menu->RemoveAllItems();
  menu = NULL_var;
  return EndOfEvent(KivStepResult::Ok("menu closed"));
}

KivStepResult KivPertInteraction::MovePertNode(MoxPertController* controller,
                                               const KivBaseUnknown_var& node, double x, double y,
                                               int steps) {
  if (!controller || !controller->GetViewer())
    return EndOfEvent(KivStepResult::Fail("move node: no PERT chart"));
  const std::string name = MoxPertNodeAccess::Label(node.get()).ConvertToUTF8();
  Kiv2DBagRep* rep = controller->GetNodeRep(node);
  MoxIPertNode_var pertNode(node.get());
  double cx = 0.0, cy = 0.0;
  if (!rep || !pertNode || FAILED(pertNode->GetPosition(cx, cy, 1)))
    return EndOfEvent(KivStepResult::Fail("move node " + name + ": not drawn in this chart"));
  // Where the node's anchor lands. The document refuses to store a position
  // its files could not hold, so such a move is refused before it starts,
  // with a margin for the grid snap and the chart's single precision (the
  // drop would otherwise be refused without a word).
  constexpr double kMargin = 1000.0;
  double ax = cx, ay = cy;
  pertNode->GetPosition(ax, ay, 0);
  const auto storable = [](double anchor) {
    return KivProcessDocumentFormat::IsStorableCoordinate(anchor +
                                                          (anchor < 0 ? -kMargin : kMargin));
  };
  if (!storable(ax + (x - cx)) || !storable(ay + (y - cy)))
    return EndOfEvent(KivStepResult::Fail("move node " + name + " to " + Point(x, y) +
                                          ": beyond the positions a document can hold (+-1e9)"));
  const KivMathPoint2Df from(static_cast<float>(cx), static_cast<float>(cy));
  const KivMathVector2Df by(static_cast<float>(x - cx), static_cast<float>(y - cy));
  if (steps < 1) steps = 1;
  std::vector<KivMathPoint2Df> path;
  for (int i = 1; i <= steps; ++i) path.push_back(from + by * (static_cast<float>(i) / steps));
  KivStepResult dragged = Drag(controller->GetViewer(), from, path);
  if (!dragged) return dragged;
  double nx = 0.0, ny = 0.0;
  pertNode->GetPosition(nx, ny, 0);
  return KivStepResult::Ok("moved " + name + " to " + Point(nx, ny));
}

KivStepResult KivPertInteraction::MovePertNode(const std::string& idOrName, double x, double y) {
  MoxPertController* controller = GetCurrentController();
  if (!controller)
    return EndOfEvent(KivStepResult::Fail("move node " + idOrName + ": no PERT window is current"));
  std::string error;
  KivBaseUnknown_var node = KivInteraction::FindObject(idOrName, error);
  if (!node) return EndOfEvent(KivStepResult::Fail("move node " + idOrName + ": " + error));
  return MovePertNode(controller, node, x, y);
}
