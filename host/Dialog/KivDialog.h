#pragma once
// The base of every dialog object (windows, boxes, frames, widgets, menu
// items). A dialog object is a command: its father is its parent unless set
// otherwise, so the notifications of a widget travel to its container and up
// to the dialog box and the box's father command.
//
// Ownership: an object created with a parent belongs to that parent (the
// parent takes over the creation reference) and dies with it;
// RequestDelayedDestruction() takes it out of its parent first. An object
// without a parent belongs to its creator.
#include <vector>

#include "KivCommand.h"
#include "KivDlgNotifications.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

using KivDlgStyle = long;

// Visibility values.
inline constexpr int KivDlgShow = 2;
inline constexpr int KivDlgHide = 4;

struct KivDlgGridConstraints {
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
  int justification = 0;
  friend bool operator==(const KivDlgGridConstraints&, const KivDlgGridConstraints&) = default;
};

class KivDialog : public KivCommand {
  KIV_CLASS(KivDialog, KivCommand, "Dialog")
 public:
  KivDialog(KivDialog* parent, const KivString& name, KivDlgStyle style = 0);

  KivDialog* GetParent() const { return parent_; }
  KivDlgStyle GetStyle() const { return style_; }
  void SetTitle(const KivUnicodeString& title) { title_ = title; }
  const KivUnicodeString& GetTitle() const { return title_; }

  // KivDlgShow or KivDlgHide; anything else is refused with E_INVALIDARG.
  HRESULT SetVisibility(int visibility);
  int GetVisibility() const { return visible_ ? KivDlgShow : KivDlgHide; }
  bool IsVisible() const { return visible_; }
  // Visible itself and inside visible containers: what a user can reach.
  bool IsShownOnScreen() const;
  void SetSensitivity(bool sensitive) { sensitive_ = sensitive; }
  bool GetSensitivity() const { return sensitive_; }
  bool IsReachable() const { return IsShownOnScreen() && sensitive_; }

  void SetGridConstraints(int row, int column, int rowSpan, int columnSpan, int justification);
  void SetGridConstraints(const KivDlgGridConstraints& constraints);
  bool HasGridConstraints() const { return hasGrid_; }
  const KivDlgGridConstraints& GetGridConstraints() const { return grid_; }

  int GetChildCount() const { return static_cast<int>(children_.size()); }
  // Child at `index` (1-based), or null.
  KivDialog* GetChild(int index) const;
  // The object named `name` among the children, else among their children
  // (recursively), or null.
  KivDialog* FindChild(const KivString& name) const;

  // Hides the object, takes it out of its parent and releases the parent's
  // (or the creator's) reference after the current user event. Once only; a
  // child whose parent has died has no owning reference left to release.
  void RequestDelayedDestruction() override;

 protected:
  ~KivDialog() override;
  // Top-level windows start hidden; widgets start visible in their container.
  void SetInitialVisibility(bool visible) { visible_ = visible; }
  // The notification instance of kind N, made on first use.
  template <class N>
  KivNotification* NotificationOf() {
    for (const auto& n : notifications_)
      if (n->IsAKindOf(N::MetaObject().ClassName())) return n.get();
    notifications_.push_back(KivMake<N>());
    return notifications_.back().get();
  }
  // Sends the notification of kind N: the object's own analyse callbacks
  // hear it first (a box handling its own OK), then its fathers.
  template <class N>
  void Notify() {
    SendNotification(this, NotificationOf<N>());
  }

 private:
  KivDialog* parent_;
  KivDlgStyle style_;
  KivUnicodeString title_;
  bool visible_ = true;
  bool sensitive_ = true;
  bool hasGrid_ = false;
  bool destructionRequested_ = false;
  KivDlgGridConstraints grid_;
  std::vector<KivVar<KivDialog>> children_;
  std::vector<KivVar<KivNotification>> notifications_;
};
