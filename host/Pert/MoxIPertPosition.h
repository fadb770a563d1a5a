#pragma once
// Where the PERT notifications of a node travel. Every activity of a document
// has the same position owner: the document's root activity (the top of its
// activity tree). A chart listens to the owner's KivIModelEvents and hears
// MoxPertPositionNotify and MoxPertAppInfoNotify for every node it may draw,
// whatever level it shows.
#include "KivImplement.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIPertPosition =
    KivGUID::Literal("{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A03}");

class MoxIPertPosition : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIPertPosition)
 public:
  // The owner (the document's root activity); empty for a detached activity.
  virtual KivBaseUnknown_var GetPertPositionOwner() = 0;
  // The node's anchor, as MoxIPertNode::GetPosition(x, y, 0).
  virtual HRESULT GetPertPosition(double& x, double& y) = 0;
  // As MoxIPertNode::SetPosition(x, y, 1).
  virtual HRESULT SetPertPosition(double x, double y) = 0;
};
KIV_DECLARE_VAR(MoxIPertPosition);
