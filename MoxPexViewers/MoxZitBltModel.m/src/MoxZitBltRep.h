#pragma once
// One status button of an activity node: an icon in a bag rep (the button
// bag) and a second bag for what the button opens (the expanded bag, filled
// by the scroll list button). A click toggles the expanded bag; a drag moves
// the button along its side of the node within its positioning limits. The
// two bags always carry the same matrix, whose translation is the button's
// "PoD" position, so the list moves with the button.
//
// The rep is a command so that it can own the manipulator of its button bag
// and hear its notifications. The ZitBlt manager creates it by name
// (fctCreateMoxZitBltRep), places it and deletes it. Clients outside the
// module reach it through MoxIZitBltButton.
#include <memory>

#include "Kiv2DBagRep.h"
#include "Kiv2DManipulator.h"
#include "KivCommand.h"
#include "KivModelForRep2D.h"
#include "KivUnicodeString.h"
#include "KivVis2DRegistry.h"
#include "MoxIZitBltButton.h"
#include "MoxZitBltConfiguration.h"

class KivViewer;

class MoxZitBltRep : public KivExtend<KivCommand, MoxIZitBltButton>, public KivManipulatorSource {
  KIV_CLASS(MoxZitBltRep, KivCommand, "MoxPexViewers")
 public:
  MoxZitBltRep();

  virtual void ExpandZitBlt();
  virtual void CollapseZitBlt();
  // Builds both bags, the icon and the manipulator for `viewer` (again on a
  // second call: the old bags leave the editor's registry first).
  virtual void BuildRep(KivViewer* viewer);
  // A click: opens a closed list, closes an open one.
  virtual void ChangeBtnState();
  virtual void ReDraw();
  int AnalyseNotification(KivCommand* sender, KivNotification* notification) override;

  // The button's declaration (name, location keyword, priority, initial
  // state, icon): shared with every button declared by the same element, as
  // a level has thousands of each. The setters below give the button its own
  // copy first.
  void SetDeclaration(std::shared_ptr<const MoxZitBltEntry> entry);
  void SetIcon(const KivUnicodeString& icon) { Declare(&MoxZitBltEntry::iconFile, icon); }
  const KivUnicodeString& GetIcon() const { return entry_->iconFile; }
  // The button's name from the configuration (also the command's name).
  void SetName(const KivUnicodeString& name);
  const KivUnicodeString& GetName() const { return entry_->name; }
  void SetLocation(const KivUnicodeString& location) {
    Declare(&MoxZitBltEntry::location, location);
  }
  const KivUnicodeString& GetLocation() const { return entry_->location; }
  // Kept as given; nothing interprets them.
  void SetPriority(const KivUnicodeString& priority) {
    Declare(&MoxZitBltEntry::priority, priority);
  }
  const KivUnicodeString& GetPriority() const { return entry_->priority; }
  void SetInitialState(const KivUnicodeString& state) {
    Declare(&MoxZitBltEntry::initialState, state);
  }
  const KivUnicodeString& GetInitialState() const { return entry_->initialState; }

  // 1 shows the button (and its list when open), 0 hides both; other values
  // are kept without changing what is shown.
  void SetStatus(unsigned char status);
  unsigned char GetStatus() const { return status_; }

  Kiv2DBagRep* GetZitBltBtn() const { return buttonBag_.get(); }
  Kiv2DBagRep* GetZitBltExpanded() const { return expandedBag_.get(); }
  // The button's drag manipulator, made when first asked for (by the viewer
  // picking the button, or here): most buttons of a large level are never
  // touched. Null before BuildRep.
  Kiv2DManipulator* GetManipulator();
  KivManipulator* MakeManipulator(KivRep* rep) override;
  // Whether `sender` is the button's manipulator (never makes one).
  bool IsOwnManipulator(const KivCommand* sender) const {
    return sender && sender == manipulator_.get();
  }
  KivViewer* GetViewer() const { return viewer_; }
  bool IsButtonCollapse() const { return collapsed_; }
  // Show mode (0 shown, 1 hidden) of the expanded bag, then a redraw.
  void SetShowMode(int mode);

  void SetPoDPosition(double x, double y);
  void TransfromPoD(double dx, double dy);
  // Leaves x and y unchanged while the button bag has no matrix.
  void GetPoDPosition(double& x, double& y) const;

  // The node's box; the limits keep the button bag's origin within it,
  // widened by half the button's size.
  void SetPositioningLimits(double xmin, double ymin, double xmax, double ymax);
  void GetPositioningLimits(double& xmin, double& ymin, double& xmax, double& ymax) const;
  bool MovesVertically() const { return movesVertically_; }
  bool MovesHorizontally() const { return movesHorizontally_; }

  // (Re)loads the icon "<icon>.bmp" found through the image path, in grey
  // levels when `grey` is 1; keeps the present icon when none is found.
  void SetZitbltButtonGrey(unsigned char grey);

  // A plain button has no list to empty: always E_FAIL.
  HRESULT EmptyExpandedBagRep();

  // MoxIZitBltButton.
  KivUnicodeString GetButtonName() override { return entry_->name; }
  KivUnicodeString GetButtonLocation() override { return entry_->location; }
  KivPixelImage* GetButtonIcon() override;
  bool IsShown() override { return status_ == 1; }
  bool IsOpen() override { return !collapsed_; }
  bool IsGreyed() override { return grey_; }
  bool GetButtonPosition(double& x, double& y) override;
  HRESULT Click() override;

 protected:
  ~MoxZitBltRep() override;

 private:
  void SetMatrixOnBags(const Kiv3x3Matrix& matrix);
  void ReleaseGraphics();
  void OnManipulate(KivNotification* notification);
  void Declare(KivUnicodeString MoxZitBltEntry::*field, const KivUnicodeString& value);

  int expanded_ = 0;
  KivVar<Kiv2DBagRep> buttonBag_;
  KivVar<Kiv2DBagRep> expandedBag_;
  KivVar<Kiv2DManipulator> manipulator_;
  bool collapsed_ = true;
  std::shared_ptr<const MoxZitBltEntry> entry_;
  KivViewer* viewer_ = nullptr;
  unsigned char status_ = 1;
  float lastDragX_ = 0.0f;
  float lastDragY_ = 0.0f;
  float limitXMin_ = 0.0f;
  float limitYMin_ = 0.0f;
  float limitXMax_ = 0.0f;
  float limitYMax_ = 0.0f;
  bool movesVertically_ = false;
  bool movesHorizontally_ = false;
  bool grey_ = false;
  KivVar<KivModelForRep2D> buttonModel_;
  KivVar<KivModelForRep2D> expandedModel_;
  // The registry the two models were added to, so that they leave the same
  // one even when another editor has become current since.
  KivVar<KivVis2DRegistry> registry_;
};

// The exported factory the host's command headers call by class name.
extern "C" KivBaseUnknown* fctCreateMoxZitBltRep();

// The offset of a button's icon from the button bag's origin, for an icon of
// width w and height h at a location; (0, 0) for an unknown location.
void MoxZitBltIconOffset(const KivUnicodeString& location, float w, float h, float& dx, float& dy);
