#pragma once
// One status button of an activity node as clients outside the ZitBlt module
// see it (the host shell lists and drives buttons through it): its name and
// location, its icon, whether it is shown, greyed and its list open, where it is
// drawn, and a click. Showing and hiding go through the activity's MoxIZitBltMgr, which
// also tells the node's listeners.
#include "KivImplement.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

class KivPixelImage;

inline constexpr IID IID_MoxIZitBltButton = KivGUID::FromName("MoxIZitBltButton");

class MoxIZitBltButton : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIZitBltButton)
 public:
  // The name and the location keyword the configuration gave the button.
  virtual KivUnicodeString GetButtonName() = 0;
  virtual KivUnicodeString GetButtonLocation() = 0;
  // The icon the button shows while its list has rows: a new image whose
  // creation reference the caller owns; null when the icon cannot be found.
  virtual KivPixelImage* GetButtonIcon() = 0;
  // Shown: status 1. Open: the list behind the button is expanded.
  virtual bool IsShown() = 0;
  virtual bool IsOpen() = 0;
  // Greyed: the list behind the button has no rows, and the icon is drawn
  // in grey levels to say so.
  virtual bool IsGreyed() = 0;
  // The centre of the button's icon in its viewer (a click there hits the
  // button); false (x, y untouched) while the button is not drawn in a viewer.
  virtual bool GetButtonPosition(double& x, double& y) = 0;
  // A click: opens a closed list, closes an open one. E_FAIL while the
  // button is not drawn in a viewer.
  virtual HRESULT Click() = 0;
};
KIV_DECLARE_VAR(MoxIZitBltButton);
