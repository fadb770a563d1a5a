#pragma once
// The entry point of the product flow viewer: the user picks one activity and
// the command opens a product flow viewer window on its level, brings the
// viewer already showing that level to the front, re-targets the viewer open
// on another level of the same document, or refuses while a PERT chart window
// of the same document is open. One pick, one action, then the command ends.
#include "KivStateCommand.h"

class KivPathElementAgent;
class MoxIPFVNodeOrganiser;

class MoxPexProductFlowViewerCmd : public KivStateCommand {
  KIV_CLASS(MoxPexProductFlowViewerCmd, KivStateCommand, "MoxPexViewers")
 public:
  MoxPexProductFlowViewerCmd();

  void BuildGraph() override;
  // Acquisition filter: only activities that can be shown as graph nodes.
  bool IsValidActivity(KivDialogAgent* agent, void* data);
  // The action of the only transition.
  virtual bool CreateProductFlowViewer(void* data);

  // The organiser of the last window this command opened (null before).
  MoxIPFVNodeOrganiser* GetNodeOrganiser() const { return nodeOrganiser_; }

 protected:
  ~MoxPexProductFlowViewerCmd() override;

 private:
  KivPathElementAgent* activityAgent_ = nullptr;
  MoxIPFVNodeOrganiser* nodeOrganiser_ = nullptr;
};

extern "C" KivBaseUnknown* fctCreateMoxPexProductFlowViewerCmd();
