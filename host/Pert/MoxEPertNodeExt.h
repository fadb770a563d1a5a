#pragma once
// MoxIPertNodeExt on the graph nodes of a process document: the super node
// state kept in the document and the node's visibility in the open charts.
#include "KivExtension.h"
#include "KivImplement.h"
#include "MoxIPertNodeExt.h"

class MoxEPertNodeExt : public KivExtend<KivExtension, MoxIPertNodeExt> {
  KIV_CLASS(MoxEPertNodeExt, KivExtension, "Pert")
 public:
  MoxEPertNodeExt() = default;

  HRESULT GetSuperNodeState(int& state, int flag) override;
  bool IsNodeHidden() override;
  HRESULT SetPosition(double x, double y, int flag) override;

 protected:
  ~MoxEPertNodeExt() override = default;
};
