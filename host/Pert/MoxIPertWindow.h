#pragma once
// The interface of a window that shows one PERT level (the child nodes of its
// level activity). The host's own chart window implements it, and so does a
// plug-in window, usually through a TIE binding that forwards to the
// window's own methods (see docs/pert-editor.md).
#include "KivImplement.h"
#include "KivVar.h"

class MoxPertViewer;
class MoxPertController;
class KivIGENode;

inline constexpr IID IID_MoxIPertWindow =
    KivGUID::Literal("{5B2E7A10-3C41-4F8E-9A61-0D7C2E4B1A04}");

class MoxIPertWindow : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIPertWindow)
 public:
  virtual MoxPertViewer* GetPertViewer() = 0;
  // Shows another level: `activity` becomes the level; `leaveOut` (may be
  // null) is the implementation of a node not to draw; `flag` is the
  // window's own.
  virtual void SetPertLevel(KivBaseUnknown_var& activity, KivBaseUnknown* leaveOut,
                            unsigned char flag) = 0;
  virtual void GetPertLevel(KivBaseUnknown_var& activity) = 0;
  virtual void SetPertWindowName(const KivVar<KivIGENode>& node) = 0;
  virtual MoxPertController* GetPertController() = 0;
};
KIV_DECLARE_VAR(MoxIPertWindow);
