#pragma once
// The base of every representation: the show mode, the manipulator attached
// to the rep, the bag that owns it and the model object it stands for.
#include "KivImplement.h"
#include "KivVar.h"

class KivManipulator;
class KivRep;

// Makes the manipulator of a rep when it is first asked for: a scene of tens
// of thousands of reps that could be dragged needs only the few that are.
class KivManipulatorSource {
 public:
  // The manipulator now attached to `rep`, or null.
  virtual KivManipulator* MakeManipulator(KivRep* rep) = 0;

 protected:
  ~KivManipulatorSource() = default;
};

class KivRep : public KivImplement<> {
  KIV_CLASS(KivRep, KivBaseUnknown, "Visualization")
 public:
  static constexpr int kShown = 0;
  static constexpr int kHidden = 1;

  // 0 shown, 1 hidden; any other value is refused with E_INVALIDARG.
  HRESULT SetShowMode(int mode);
  int GetShowMode() const { return showMode_; }
  bool IsShown() const { return showMode_ == kShown; }
  // Shown itself and inside bags that are all shown.
  bool IsVisibleInTree() const;

  // The manipulator attached to this rep or, failing that, to the nearest
  // enclosing bag that has one (made by its source when it has none yet);
  // null when none.
  KivManipulator* GetManipulator() const;
  KivManipulator* GetOwnManipulator() const { return manipulator_; }
  // Who makes this rep's manipulator on demand; the source must outlive the
  // rep or take itself back with SetManipulatorSource(nullptr).
  void SetManipulatorSource(KivManipulatorSource* source) { source_ = source; }

  // The bag that owns this rep; null at the top of a scene.
  KivRep* GetFatherRep() const { return father_; }

  // The model object the rep stands for (a reference is held), reported by
  // KivManipulator::PickAllUnder; the nearest one up the bags counts.
  void SetModelObject(KivBaseUnknown* object) { model_ = object; }
  KivBaseUnknown* GetModelObject() const { return model_.get(); }
  KivBaseUnknown* FindModelObject() const;

 protected:
  KivRep() = default;
  ~KivRep() override;
  // Called after the rep changed; `geometry` when its extent may differ.
  virtual void OnChanged(bool geometry) {}

  void SetFatherRep(KivRep* father) { father_ = father; }

 private:
  friend class KivManipulator;
  friend class Kiv2DBagRep;
  void AttachManipulator(KivManipulator* manipulator) { manipulator_ = manipulator; }

  KivRep* father_ = nullptr;
  KivManipulator* manipulator_ = nullptr;
  KivManipulatorSource* source_ = nullptr;
  KivBaseUnknown_var model_;
  int showMode_ = kShown;
};
KIV_DECLARE_VAR(KivRep);
