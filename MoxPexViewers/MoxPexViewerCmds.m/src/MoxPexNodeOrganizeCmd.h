#pragma once
// Re-arranges, on demand, the nodes of the product flow viewer window that is
// current: the expanded super nodes of its level are collapsed (so that their
// children take no room), the level is laid out again, and the same super
// nodes are expanded again. Needs no pick; does nothing when the current
// window is not a product flow viewer.
#include <memory>

#include "KivList.h"
#include "KivStateCommand.h"

class MoxIPFVNodeOrganiser;
class MoxPertNodeTraverser;

class MoxPexNodeOrganizeCmd : public KivStateCommand {
  KIV_CLASS(MoxPexNodeOrganizeCmd, KivStateCommand, "MoxPexViewers")
 public:
  MoxPexNodeOrganizeCmd();

  void BuildGraph() override;
  virtual bool ArrangeNodesInViewer(void* data);
  void CollapseAnySuperNodeIfExpanded(KivListValKivBaseUnknown_var* nodes,
                                      MoxPertNodeTraverser* traverser);
  void ExpandAndOrganiseChildActivities(KivListValKivBaseUnknown_var* nodes,
                                        MoxPertNodeTraverser* traverser);

  MoxIPFVNodeOrganiser* GetNodeOrganiser() const { return nodeOrganiser_; }
  const KivListValKivBaseUnknown_var* GetCollapsedNodes() const { return collapsedNodes_.get(); }

 protected:
  ~MoxPexNodeOrganizeCmd() override;

 private:
  MoxIPFVNodeOrganiser* nodeOrganiser_ = nullptr;
  std::unique_ptr<KivListValKivBaseUnknown_var> collapsedNodes_;
};

extern "C" KivBaseUnknown* fctCreateMoxPexNodeOrganizeCmd();
