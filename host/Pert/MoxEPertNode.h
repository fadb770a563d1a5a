#pragma once
// MoxIPertNode and MoxIPertPosition on the graph nodes of a process document
// (activities and their Start and Stop nodes). A code extension: it keeps no
// state, the data lives in the document.
#include "KivExtension.h"
#include "KivImplement.h"
#include "MoxIPertNode.h"
#include "MoxIPertPosition.h"

class MoxEPertNode : public KivExtend<KivExtension, MoxIPertNode, MoxIPertPosition> {
  KIV_CLASS(MoxEPertNode, KivExtension, "Pert")
 public:
  MoxEPertNode() = default;

  HRESULT GetPosition(double& x, double& y, int flag) override;
  HRESULT SetPosition(double x, double y, int flag) override;
  HRESULT GetSize(double& width, double& height, int flag) override;

  KivBaseUnknown_var GetPertPositionOwner() override;
  HRESULT GetPertPosition(double& x, double& y) override;
  HRESULT SetPertPosition(double x, double y) override;

 protected:
  ~MoxEPertNode() override = default;
};
