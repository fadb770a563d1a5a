#pragma once
// A 2D viewer: a scene (the root bag it owns, then the models of the
// registries attached to it), a viewpoint, a background colour, a cursor and
// a redraw counter. It picks the reps under a point and delivers the user's
// pointer actions (click, drag, context menu, hover) to the manipulators of
// the reps there. Coordinates are viewer units, y upwards.
#include <string>
#include <vector>

#include "Kiv2DBagRep.h"
#include "Kiv2DViewpoint.h"
#include "KivCallback.h"
#include "KivDrawItem.h"
#include "KivManipulator.h"
#include "KivString.h"
#include "KivVis2DRegistry.h"

class KivViewer : public KivImplement<> {
  KIV_CLASS(KivViewer, KivBaseUnknown, "Visualization")
 public:
  static constexpr float kPickTolerance = 0.5f;  // units around lines and points

  explicit KivViewer(const KivString& name = KivString(), int style = 0, int width = 800,
                     int height = 500);

  const KivString& GetName() const { return name_; }
  int GetStyle() const { return style_; }
  int GetGraphicWidth() const { return width_; }
  int GetGraphicHeight() const { return height_; }
  void SetGraphicSize(int width, int height);

  // The viewer's own scene; reps added here are owned by the viewer.
  Kiv2DBagRep* GetRootBag() const { return root_.get(); }
  // Shows the models of an editor's registry (a reference is held); E_FAIL
  // for null or a registry already attached.
  HRESULT AttachRegistry(KivVis2DRegistry* registry);
  HRESULT DetachRegistry(KivVis2DRegistry* registry);

  // The scene flattened in draw order: the root bag, then each attached
  // registry's models in order. Hidden reps give nothing.
  std::vector<KivDrawItem> CollectScene() const;
  // The box of the items that count for framing (of all items when none does).
  Kiv2DBoundingBox GetSceneBounds() const;
  static Kiv2DBoundingBox FramingBounds(const std::vector<KivDrawItem>& items);

  // Reps under (x, y), topmost (last drawn) first, each once; hidden reps
  // and reps inside hidden bags are never picked.
  std::vector<KivVar<Kiv2DRep>> PickAll(float x, float y, float tolerance = kPickTolerance) const;

  // Redraws: counts, and remembers the scene state drawn.
  void Draw();
  int GetRedrawCount() const { return redraws_; }
  // True when some rep changed since the last Draw.
  bool NeedsRedraw() const;

  // Prepares a new viewer for use: default background and a viewpoint
  // framing the scene.
  void InitialSetup();
  bool IsSetUp() const { return setUp_; }
  Kiv2DViewpoint* GetMain2DViewpoint() const { return viewpoint_.get(); }
  // Frames the whole scene in the window, then redraws.
  void ResetViewpoint();

  // Components 0..1 (values outside are clamped); a non-zero `redraw` draws now.
  HRESULT SetBackgroundColor(float r, float g, float b, int redraw = 1);
  void GetBackgroundColor(float& r, float& g, float& b) const;

  void SetCursor(int cursor) { cursor_ = cursor; }
  int GetCursor() const { return cursor_; }

  // Pointer actions at a point in viewer units. Each goes to the manipulator
  // of the topmost rep under the point that has one (on the rep or a bag
  // around it). They return false when no manipulator took the action.
  bool Click(float x, float y);
  bool DragStart(float x, float y);
  // Steps and the release go to the manipulator that accepted the press,
  // wherever the pointer is.
  bool DragStep(float x, float y);
  bool DragEnd(float x, float y);
  KivManipulator* GetGrabber() const { return grabber_.get(); }
  // Hovering: pre-activation for the manipulator entered, its end for the
  // one left.
  void MoveTo(float x, float y);
  // Sends a KivContext to the manipulator under the point (if any), then
  // publishes it on the viewer's events. Returns how many receivers handled
  // or heard it.
  int ContextMenu(float x, float y, KivBaseUnknown* menu = nullptr);
  // The viewer's own events (KivContext).
  KivEventPublisher* GetEventPublisher() const { return events_.get(); }

 protected:
  ~KivViewer() override;

 private:
  KivManipulator* ManipulatorAt(float x, float y) const;

  KivString name_;
  int style_;
  int width_;
  int height_;
  KivVar<Kiv2DBagRep> root_;
  std::vector<KivVar<KivVis2DRegistry>> registries_;
  KivVar<Kiv2DViewpoint> viewpoint_;
  KivVar<KivEventPublisher> events_;
  KivVar<KivManipulator> grabber_;
  KivVar<KivManipulator> hovered_;
  float background_[3] = {1.0f, 1.0f, 1.0f};
  int cursor_ = 0;
  int redraws_ = 0;
  unsigned long drawnGeneration_ = 0;
  bool everDrawn_ = false;
  bool setUp_ = false;
};
KIV_DECLARE_VAR(KivViewer);
