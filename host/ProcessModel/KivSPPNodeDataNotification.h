#pragma once
// The PERT node data of a graph node changed (see KivISPPNodeData); dispatched
// on the model events of the activity whose level shows the node.
#include "KivNotification.h"
#include "KivProcessModelTypes.h"
#include "KivVar.h"

class KivSPPNodeDataNotification : public KivNotification {
  KIV_CLASS(KivSPPNodeDataNotification, KivNotification, "ProcessModel")
 public:
  KivSPPNodeDataNotification(KivBaseUnknown* node, const KivPertNodeData& data)
      : node_(node), data_(data) {}

  KivBaseUnknown* GetNode() const { return node_.get(); }
  const KivPertNodeData& GetPertNodeData() const { return data_; }

 protected:
  ~KivSPPNodeDataNotification() override = default;

 private:
  KivBaseUnknown_var node_;
  KivPertNodeData data_;
};
