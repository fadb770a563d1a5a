#pragma once
// A selection set: the ordered paths an editor has selected (CSO), or
// highlighted and preselected (HSO, PSO). A path is in the set at most once.
// It publishes a KivCSOChangeNotification after every change that altered
// it, so subscribe with AddCallback(cso, "KivCSOChangeNotification", ...).
//
// The editor that is current (host/Frame) names its selection through
// SetCurrent, so that commands in this framework reach it without knowing
// about editors.
#include "KivCallback.h"
#include "KivPathElement.h"

class KivCSO : public KivEventPublisher {
  KIV_CLASS(KivCSO, KivEventPublisher, "Dialog")
 public:
  KivCSO() = default;

  // Each returns true when the set changed (and then notifies once).
  bool AddElement(KivPathElement* path);
  bool AddElements(const KivListValKivBaseUnknown_var& paths);
  bool RemoveElement(KivPathElement* path);
  // Removes every path whose leaf is this object.
  bool RemoveElementsOf(KivBaseUnknown* object);
  bool Empty();

  int GetSize() const { return elements_.Size(); }
  bool IsEmpty() const { return elements_.IsEmpty(); }
  // Path at `index` (1-based), or null.
  KivPathElement* GetElement(int index) const;
  // A copy of the paths, in selection order.
  KivListValKivBaseUnknown_var GetElements() const { return elements_; }
  bool Contains(const KivPathElement* path) const { return Find(path) != 0; }
  // True when some path of the set ends with this object.
  bool ContainsObject(KivBaseUnknown* object) const;

  static KivCSO* GetCurrent();
  static void SetCurrent(KivCSO* cso);

 protected:
  ~KivCSO() override;

 private:
  int Find(const KivPathElement* path) const;
  void Notify(KivListValKivBaseUnknown_var added, KivListValKivBaseUnknown_var removed);

  KivListValKivBaseUnknown_var elements_;
};

// Highlighted and preselected object sets: the same container, told apart by
// class.
class KivHSO : public KivCSO {
  KIV_CLASS(KivHSO, KivCSO, "Dialog")
};
class KivPSO : public KivCSO {
  KIV_CLASS(KivPSO, KivCSO, "Dialog")
};
