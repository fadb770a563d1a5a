#pragma once
// The product flow viewer window, as the plug-in's other modules open and
// read it. Its viewer, level and controller are reached through the host's
// MoxIPertWindow, which the window answers as well.
#include "KivImplement.h"
#include "KivList.h"
#include "KivString.h"
#include "KivVar.h"

class KivFrmEditor;

inline constexpr IID IID_MoxIProductFlowViewer = KivGUID::FromName("MoxIProductFlowViewer");

class MoxIProductFlowViewer : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIProductFlowViewer)
 public:
  // A new list (the caller owns it) of the child graph nodes of `activity`.
  virtual KivListValKivBaseUnknown_var* GetProductFlowViewerNodes(KivBaseUnknown_var& activity) = 0;
  // Appends the nodes that were not placed yet when the window was built.
  virtual void NodesForReArrangement(KivListValKivBaseUnknown_var& nodes) = 0;
  // Builds the status buttons that a window opened with `laidOutNext` left
  // for after the layout, at the nodes' final places; nothing otherwise.
  virtual void AttachButtons() = 0;
};
KIV_DECLARE_VAR(MoxIProductFlowViewer);

// Opens a product flow viewer window named `name` on the level of
// `activity` in `editor`. The window joins the current layout, which owns
// it; the handle adds a reference of its own. With `laidOutNext` the caller
// lays out the nodes not placed yet (NodesForReArrangement) right after and
// then calls AttachButtons: their links, the viewpoint and the buttons are
// left to that layout, so that each is made once, at its final place.
MoxIProductFlowViewer_var MoxOpenProductFlowViewer(const KivString& name, KivFrmEditor* editor,
                                                   KivBaseUnknown_var& activity,
                                                   bool laidOutNext = false);
