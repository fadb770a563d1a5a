#include "MoxPexPertChartWindow.h"

#include "KivIGENode.h"
#include "MoxGE0Config.h"
#include "MoxPertClientVisuServices.h"
#include "MoxPertNodeAccess.h"

MoxPexPertChartWindow::MoxPexPertChartWindow(const KivString& name, KivFrmEditor* editor,
                                             const KivBaseUnknown_var& activity)
    : KivExtend<KivFrmWindow, MoxIPertWindow>(name, editor), level_(activity) {
  viewer_ = new MoxPertViewer(GetViewerFrame(), "PERT Chart Viewer", 0, 800, 500, 0);
  if (editor) editor->GetISO()->AddViewer(viewer_);
  viewer_->InitialSetup();
  MoxIGE0Config_var config = MoxGE0Config::GetCurrent();
  if (!config || config->IsGridWanted()) MoxPertClientVisuServices::CreateGrid(viewer_);
  double r = 1.0, g = 1.0, b = 1.0;
  if (config && config->GetBackgroundColor(r, g, b) == S_OK)
    viewer_->SetBackgroundColor(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b),
                                1);
  controller_ = KivVar<MoxPertController>::Adopt(
      new MoxPertController(this, level_, viewer_, 0, 1, 1, KivBaseUnknown_var()));
  DrawLevel(nullptr);
}

MoxPexPertChartWindow::~MoxPexPertChartWindow() = default;

void MoxPexPertChartWindow::DrawLevel(KivBaseUnknown* leaveOut) {
  KivIGENode_var root(level_.get());
  if (!root) return;
  MoxPertClientVisuServices::SetChildPertPositions(level_, 1);
  KivListValKivBaseUnknown_var children = MoxPertNodeAccess::Children(level_.get());
  for (const auto& child : children)
    if (KivIdentity(child.get()) != KivIdentity(leaveOut)) controller_->AddPertNode(child);
  for (const auto& child : children)
    if (controller_->IsNodeDrawn(child)) controller_->BuildLinks(child, 0);
  SetPertWindowName(root);
  viewer_->ResetViewpoint();
}

void MoxPexPertChartWindow::SetPertLevel(KivBaseUnknown_var& activity, KivBaseUnknown* leaveOut,
                                         unsigned char) {
  if (!controller_) return;
  controller_->RemoveAllPertNodes();
  level_ = activity;
  controller_->SetRoot(activity);
  DrawLevel(leaveOut);
}

void MoxPexPertChartWindow::SetPertWindowName(const KivVar<KivIGENode>& node) {
  KivUnicodeString path;
  for (KivBaseUnknown_var n(node.get()); n; n = MoxPertNodeAccess::Parent(n.get())) {
    const KivUnicodeString name = MoxPertNodeAccess::Label(n.get());
    path = path.IsEmpty() ? name : name + KivUnicodeString("/") + path;
  }
  SetTitle(KivUnicodeString("PERT Chart ") + path);
}

void MoxPexPertChartWindow::DeleteWindow() {
  if (IsDeleted()) return;
  if (controller_) {
    controller_->RemoveNodeManipCmdCB();
    controller_->RemoveAllPertNodes();
    controller_ = NULL_var;
  }
  if (GetEditor() && viewer_) GetEditor()->GetISO()->RemoveViewer(viewer_);
  KivFrmWindow::DeleteWindow();
}
