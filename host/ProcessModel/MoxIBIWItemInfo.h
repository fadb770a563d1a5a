#pragma once
// Body-in-white item information of an activity: four lists and the replace of
// an output. Each list operation appends to a caller-owned list.
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIBIWItemInfo = KivGUID::FromName("MoxIBIWItemInfo");

class MoxIBIWItemInfo : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIBIWItemInfo)
 public:
  // (a) the items of its input links, in link order, each once.
  virtual HRESULT GetInputProducts(KivListValKivBaseUnknown_var& out) = 0;
  // (b) its own output links.
  virtual HRESULT GetOutputs(KivListValKivBaseUnknown_var& out) = 0;
  // (c) the output links of its child activities (mode 0: direct children;
  // any other mode: every descendant).
  virtual HRESULT GetChildOutputs(KivListValKivBaseUnknown_var& out, int mode) = 0;
  // (d) the activities that precede it: every activity from which a
  // precedence path leads to it, nearest first, each once (cycles allowed;
  // the activity itself is left out).
  virtual HRESULT GetPrecedingActivities(KivListValKivBaseUnknown_var& out) = 0;
  // Replaces one of its output links: the link is removed and, when
  // `replacement` is an item, an output link to it is created. Sends kind 39
  // (son: the new link, or the removed one when there is no replacement).
  virtual HRESULT ReplaceOutput(KivBaseUnknown* output, KivBaseUnknown* replacement) = 0;
};
KIV_DECLARE_VAR(MoxIBIWItemInfo);
