#pragma once
// The status buttons ("ZitBlts") of one activity node: a data extension of
// the activity that builds the buttons configured for the activity's type,
// draws them around the node in a viewer, and keeps them and their lists up
// to date. Operations in slot order; GetZitBltButton, last, serves the
// clients outside the plug-in.
#include "KivImplement.h"
#include "KivList.h"
#include "KivUnicodeString.h"
#include "KivVar.h"
#include "MoxIZitBltButton.h"

class KivViewer;
class MoxZitBltRep;
class KivIDOMDocument;

inline constexpr IID IID_MoxIZitBltMgr = KivGUID::Literal("{69A21240-62C8-11D6-80F7-0050040CD0C6}");

class MoxIZitBltMgr : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIZitBltMgr)
 public:
  // Builds the buttons (once), draws them in the viewer and places them
  // around the node. Returns 1.
  virtual int Init(KivViewer* viewer) = 0;
  // A new list (the caller deletes it) of the button names, in table order.
  virtual HRESULT GetAllZitBlts(KivListValKivUnicodeString** names) = 0;
  // "All" sets the status of every button; another name that button's.
  virtual HRESULT SetZitBltStatus(const KivUnicodeString& name, unsigned char status) = 0;
  virtual HRESULT GetZitBltStatus(const KivUnicodeString& name, unsigned char& status) = 0;
  // The button of that name (no reference added); E_FAIL when not found.
  virtual HRESULT FindZitBlt(const KivUnicodeString& name, MoxZitBltRep** rep) = 0;
  // Deletes every button and unsubscribes. Returns 0.
  virtual int Remove() = 0;
  // Follows the node after it moved or changed size.
  virtual void UpdatePositions() = 0;
  // Has the list command of that name refresh its button.
  virtual void UpdateZitBltReps(const KivUnicodeString& name) = 0;
  // The shared configuration document.
  virtual unsigned char GetDomDocument(KivVar<KivIDOMDocument>& document) = 0;
  virtual void UpdateAllZitBltReps() = 0;
  // The button of that name through its public interface, for clients that
  // do not see the rep's class; an empty handle when not found.
  virtual MoxIZitBltButton_var GetZitBltButton(const KivUnicodeString& name) = 0;
};
KIV_DECLARE_VAR(MoxIZitBltMgr);
