#include "MoxPexProductFlowViewerTie.h"

#include "MoxPexProductFlowViewer.h"

KIV_TIE_BINDING(MoxIPertWindow, MoxPexProductFlowViewer, MoxPexProductFlowViewerTie);

MoxPexProductFlowViewer* MoxPexProductFlowViewerTie::Window() {
  return dynamic_cast<MoxPexProductFlowViewer*>(GetImpl());
}

MoxPertViewer* MoxPexProductFlowViewerTie::GetPertViewer() {
  MoxPexProductFlowViewer* window = Window();
  return window ? window->GetPertViewer() : nullptr;
}

void MoxPexProductFlowViewerTie::SetPertLevel(KivBaseUnknown_var& activity,
                                              KivBaseUnknown* leaveOut, unsigned char flag) {
  if (MoxPexProductFlowViewer* window = Window()) window->SetPertLevel(activity, leaveOut, flag);
}

void MoxPexProductFlowViewerTie::GetPertLevel(KivBaseUnknown_var& activity) {
  if (MoxPexProductFlowViewer* window = Window()) window->GetPertLevel(activity);
}

void MoxPexProductFlowViewerTie::SetPertWindowName(const KivVar<KivIGENode>& node) {
  if (MoxPexProductFlowViewer* window = Window()) window->SetPertWindowName(node);
}

MoxPertController* MoxPexProductFlowViewerTie::GetPertController() {
  MoxPexProductFlowViewer* window = Window();
  return window ? window->GetPertController() : nullptr;
}
