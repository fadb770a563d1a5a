#pragma once
// The flow of a graph node: precedence links among the children of one activity
// (Start and Stop nodes included) and, for activities, product input and output links.
// A precedence cycle is accepted data; no operation here walks further than one step.
#include "KivISPPProductIO.h"
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPFlowMgt = KivGUID::FromName("KivISPPFlowMgt");

class KivISPPFlowMgt : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPFlowMgt)
 public:
  // Links this node before `next` (same parent, not itself). S_OK when made,
  // S_FALSE when the link already existed, E_FAIL otherwise. Sends kind 3.
  virtual HRESULT AddNextLink(KivISPPFlowMgt* next) = 0;
  // Direct predecessors / successors. Kind "Activity": activities only (Start
  // and Stop nodes left out); "" (or any other kind): every node. Never empty pointer.
  virtual KivSPPList PreviousActivities(const KivString& kind) = 0;
  virtual KivSPPList NextActivities(const KivString& kind) = 0;
  // Removes the precedence link between this node and the neighbour, in either
  // direction. S_OK when a link was removed, S_FALSE when there was none.
  virtual HRESULT RemoveLink(KivISPPFlowMgt* neighbour) = 0;
  // New product links of this activity to a product or assembly; sends kind 29.
  // Empty for a Start or Stop node, a deleted activity or an item of another document.
  virtual KivVar<KivISPPProductIO> CreateProductInput(KivBaseUnknown* item) = 0;
  virtual KivVar<KivISPPProductIO> CreateProductOutput(KivBaseUnknown* item) = 0;
  // Removes one of this activity's product links; sends kind 29.
  virtual HRESULT RemoveProductLink(KivBaseUnknown* link) = 0;
  // Product links by kind: "ProductInput", "ProductOutput", or "" for both, in creation order.
  virtual KivSPPList ProductLinks(const KivString& kind) = 0;
  // This activity's product links whose item is `item`.
  virtual KivSPPList LinksWithItem(KivBaseUnknown* item) = 0;
};
KIV_DECLARE_VAR(KivISPPFlowMgt);
