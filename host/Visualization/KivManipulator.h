#pragma once
// A manipulator turns the user's pointer actions on its reps into
// notifications to its father command: a click gives an activation, each
// step of a drag a manipulation, the release an end of manipulation, the
// pointer entering and leaving a rep a pre-activation and its end, the
// context button a KivContext. The viewer delivers these actions to the
// manipulator of the topmost rep under the pointer; the manipulator that
// accepted a press receives every step and the release of that drag.
#include <vector>

#include "KivCommand.h"
#include "KivList.h"
#include "KivMathPoint2Df.h"
#include "KivRep.h"

class KivViewer;

class KivManipulator : public KivCommand {
  KIV_CLASS(KivManipulator, KivCommand, "Visualization")
 public:
  // Notification kinds (class names).
  static const char* GetKivActivate();
  static const char* GetKivManipulate();
  static const char* GetKivEndManipulate();
  static const char* GetKivPreactivate();
  static const char* GetKivEndPreactivate();
  static const char* GetKivContext();

  KivManipulator(KivCommand* father, const KivString& name, int style);

  int GetStyle() const { return style_; }

  // The reps this manipulator handles; each rep has at most one manipulator
  // (the last one added wins). A reference to the rep is held.
  HRESULT AddRepToManipulate(KivRep* rep);
  HRESULT RemoveRepToManipulate(KivRep* rep);
  void RemoveAllRepsToManipulate();
  const std::vector<KivVar<KivRep>>& GetRepsToManipulate() const { return reps_; }

  // The viewer and pointer position of the latest action delivered (null
  // once that viewer is gone).
  KivViewer* GetViewer() const;
  const KivMathPoint2Df& GetPointerPosition() const { return pointer_; }
  bool IsDragging() const { return dragging_; }

  // The objects under the pointer of the latest action, topmost first: for
  // each rep picked there, the model object of the rep or of its nearest bag
  // that has one, else the rep itself; each object once.
  void PickAllUnder(KivListValKivBaseUnknown_var& objects) const;

  // Actions, called by the viewer. Each returns 1 when the father chain
  // handled the notification sent.
  int Click(KivViewer* viewer, const KivMathPoint2Df& at);
  void BeginDrag(KivViewer* viewer, const KivMathPoint2Df& at);
  int DragTo(KivViewer* viewer, const KivMathPoint2Df& at);
  int EndDrag(KivViewer* viewer, const KivMathPoint2Df& at);
  int Enter(KivViewer* viewer, const KivMathPoint2Df& at);
  int Leave(KivViewer* viewer, const KivMathPoint2Df& at);
  int Context(KivViewer* viewer, const KivMathPoint2Df& at, KivBaseUnknown* menu);

 protected:
  ~KivManipulator() override;
  // One drag step from the previous pointer position to `at`, before the
  // manipulation notification is sent.
  virtual void OnDragStep(const KivMathVector2Df& delta) {}
  int Send(KivNotification* notification);

 private:
  void Track(KivViewer* viewer, const KivMathPoint2Df& at);

  int style_;
  std::vector<KivVar<KivRep>> reps_;
  KivViewer* viewer_ = nullptr;
  KivMathPoint2Df pointer_;
  bool dragging_ = false;
};
KIV_DECLARE_VAR(KivManipulator);
