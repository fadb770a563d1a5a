#pragma once
// An agent valued by picked objects. Its element type (an interface name)
// restricts what it takes: the picked path's leaf must answer that interface.
// Its values are the picked paths (KivPathElement); with KivAgentMultiValue
// they accumulate, otherwise a new pick replaces the value.
#include "KivCSO.h"
#include "KivDialogAgent.h"
#include "KivPathElement.h"

class KivPathElementAgent : public KivDialogAgent {
  KIV_CLASS(KivPathElementAgent, KivDialogAgent, "Dialog")
 public:
  // Picks are taken by default, one at a time.
  explicit KivPathElementAgent(const KivString& name);

  // Restricts picks to objects that answer the interface of that name
  // (queried by name); empty = any object.
  void SetElementType(const KivString& interfaceName) { elementType_ = interfaceName; }
  const KivString& GetElementType() const { return elementType_; }
  // True when the object answers the element type.
  bool IsOfElementType(KivBaseUnknown* object) const;

  // A client of the current selection puts what it takes into the current
  // selection set and takes back what it gives up; with KivAgentMultiValue
  // the selection values it when its command starts.
  void SetCSOClient(bool client) { csoClient_ = client; }
  bool IsCSOClient() const { return csoClient_; }

  enum class PickResult { Refused, Accepted, TakenBack };
  // Offers one picked path. Refused when the agent does not take picks, the
  // leaf is not of the element type or the filter refuses it (the previous
  // values are then restored). With KivAgentMultiValue, a path already held
  // is taken back instead. Accepting or taking back values the agent when
  // values remain, which lets the owner command evaluate its transitions;
  // `notify` false defers that to a later ValueFromOffers().
  PickResult OfferPick(KivPathElement* path, bool notify = true);
  // Values the agent after picks offered with notify = false.
  void ValueFromOffers();
  // Offers the elements of a selection set (multi-value agents take all
  // that pass, single-value agents the last one); true when one was taken.
  bool AcquireFromSelection(KivCSO* cso);

  // The last picked path and its leaf object (null when not valued).
  KivPathElement* GetValue() const;
  KivBaseUnknown* GetElementValue() const;
  // The picked paths, in picking order (a copy).
  KivListValKivBaseUnknown_var GetListOfValues() const { return values_; }

  void InitializeAcquisition() override;

 protected:
  ~KivPathElementAgent() override;

 private:
  bool IsMulti() const { return (GetBehavior() & KivAgentMultiValue) != 0; }
  int Find(const KivPathElement* path) const;

  KivString elementType_;
  bool csoClient_ = false;
  KivListValKivBaseUnknown_var values_;
};
KIV_DECLARE_VAR(KivPathElementAgent);
