#pragma once
// The status buttons ("ZitBlts") of one activity node: a data extension of
// the activity that builds the buttons configured for the activity's type,
// draws them around the node in a viewer, and keeps them and their lists up
// to date. Operations in slot order.
#include "KivImplement.h"
#include "KivList.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

class KivViewer;
class MoxZitBltRep;
class KivIDOMDocument;

extern const IID IID_MoxIZitBltMgr;

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
};
KIV_DECLARE_VAR(MoxIZitBltMgr);
