#pragma once
// The notifications a manipulator sends to its father command. Their class
// is their kind: KivManipulator::GetKivActivate() and the other kind
// accessors give the class names to test with IsAKindOf or to register
// analyse callbacks with.
#include "KivMathPoint2Df.h"
#include "KivNotification.h"
#include "KivVar.h"

class KivManipulator;
class KivViewer;

class KivManipulatorNotification : public KivNotification {
  KIV_CLASS(KivManipulatorNotification, KivNotification, "Visualization")
 public:
  KivManipulatorNotification(KivManipulator* manipulator, KivViewer* viewer,
                             const KivMathPoint2Df& position)
      : manipulator_(manipulator), viewer_(viewer), position_(position) {}
  // The manipulator that sends it; null for a viewer's own context event.
  KivManipulator* GetManipulator() const { return manipulator_; }
  KivViewer* GetViewer() const { return viewer_; }
  // The pointer position in viewer units.
  const KivMathPoint2Df& GetPosition() const { return position_; }

 private:
  KivManipulator* manipulator_;
  KivViewer* viewer_;
  KivMathPoint2Df position_;
};

// A click on a manipulated rep.
class KivActivateNotification : public KivManipulatorNotification {
  KIV_CLASS(KivActivateNotification, KivManipulatorNotification, "Visualization")
 public:
  using KivManipulatorNotification::KivManipulatorNotification;
};

// One step of a drag.
class KivManipulateNotification : public KivManipulatorNotification {
  KIV_CLASS(KivManipulateNotification, KivManipulatorNotification, "Visualization")
 public:
  using KivManipulatorNotification::KivManipulatorNotification;
};

// The release that ends a drag.
class KivEndManipulateNotification : public KivManipulatorNotification {
  KIV_CLASS(KivEndManipulateNotification, KivManipulatorNotification, "Visualization")
 public:
  using KivManipulatorNotification::KivManipulatorNotification;
};

// The pointer entered a manipulated rep.
class KivPreactivateNotification : public KivManipulatorNotification {
  KIV_CLASS(KivPreactivateNotification, KivManipulatorNotification, "Visualization")
 public:
  using KivManipulatorNotification::KivManipulatorNotification;
};

// The pointer left a manipulated rep.
class KivEndPreactivateNotification : public KivManipulatorNotification {
  KIV_CLASS(KivEndPreactivateNotification, KivManipulatorNotification, "Visualization")
 public:
  using KivManipulatorNotification::KivManipulatorNotification;
};

// A context menu was asked for at a point. It carries the menu that the
// receivers fill (the host's contextual menu object, or null when the caller
// offers none).
class KivContext : public KivManipulatorNotification {
  KIV_CLASS(KivContext, KivManipulatorNotification, "Visualization")
 public:
  KivContext(KivManipulator* manipulator, KivViewer* viewer, const KivMathPoint2Df& position,
             KivBaseUnknown* menu)
      : KivManipulatorNotification(manipulator, viewer, position), menu_(menu) {}
  KivBaseUnknown* GetContextualMenu() const { return menu_.get(); }

 private:
  KivBaseUnknown_var menu_;
};
