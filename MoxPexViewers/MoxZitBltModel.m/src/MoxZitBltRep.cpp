#include "MoxZitBltRep.h"

#include "Kiv2DImagePixelRep.h"
#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivFrmEditor.h"
#include "KivManipulatorNotification.h"
#include "KivPixelImage.h"
#include "KivViewer.h"
#include "KivVisManager.h"
#include "MoxPexTraces.h"
#include "MoxZitBltIconCache.h"

extern "C" KivBaseUnknown* fctCreateMoxZitBltRep() { return new MoxZitBltRep(); }

KIV_DECLARE_CLASS(MoxZitBltRep, "MoxPexViewers");
static const KivCreationRegistrar kMoxZitBltRepFactory("MoxZitBltRep", &fctCreateMoxZitBltRep,
                                                       "MoxPexViewers");

namespace {
// The icon's bottom-left corner before the location's offset: a 16-pixel
// icon (4 units) centred on the bag's origin.
constexpr float kIconCorner = -2.0f;

bool IsTopOrBottom(const KivUnicodeString& location) {
  for (const char* keyword :
       {"topleft", "topmiddle", "topright", "bottomleft", "bottommiddle", "bottomright"})
    if (location.EqualsAscii(keyword)) return true;
  return false;
}
}  // namespace

void MoxZitBltIconOffset(const KivUnicodeString& location, float w, float h, float& dx, float& dy) {
  const float hw = static_cast<float>(w / 2.0);
  const float hh = static_cast<float>(h / 2.0);
  struct Offset {
    const char* location;
    float dx, dy;
  };
  // Left and right buttons sit beside the node's side, top and bottom ones
  // above or below it; a corner keyword draws towards the inside of its side.
  const Offset table[] = {
      {"lefttop", -hw, -hh},   {"leftmiddle", -hw, 0},   {"leftbottom", -hw, -hh},
      {"righttop", hw, -hh},   {"rightmiddle", hw, 0},   {"rightbottom", hw, -hh},
      {"topleft", hw, hh},     {"topmiddle", 0, hh},     {"topright", -hw, hh},
      {"bottomleft", hw, -hh}, {"bottommiddle", 0, -hh}, {"bottomright", -hw, -hh},
  };
  dx = dy = 0.0f;
  for (const Offset& o : table) {
    if (location.EqualsAscii(o.location)) {
      dx = o.dx;
      dy = o.dy;
      return;
    }
  }
}

namespace {
// What a button is declared with until it is given its declaration.
const std::shared_ptr<const MoxZitBltEntry>& NoDeclaration() {
  static const auto none = std::make_shared<const MoxZitBltEntry>();
  return none;
}
}  // namespace

MoxZitBltRep::MoxZitBltRep() : KivExtend(nullptr, KivString()), entry_(NoDeclaration()) {}

MoxZitBltRep::~MoxZitBltRep() {
  ReleaseGraphics();
  movesVertically_ = movesHorizontally_ = false;
  viewer_ = nullptr;
}

void MoxZitBltRep::ReleaseGraphics() {
  if (buttonBag_) buttonBag_->SetManipulatorSource(nullptr);
  if (manipulator_) KivCommandDeletion(manipulator_.Detach());
  if (registry_) {
    if (expandedModel_) registry_->RemoveModel(expandedModel_);
    if (buttonModel_) registry_->RemoveModel(buttonModel_);
  }
  registry_ = NULL_var;
  expandedModel_ = NULL_var;
  buttonModel_ = NULL_var;
  buttonBag_ = NULL_var;
  expandedBag_ = NULL_var;
}

void MoxZitBltRep::SetDeclaration(std::shared_ptr<const MoxZitBltEntry> entry) {
  entry_ = entry ? std::move(entry) : NoDeclaration();
  KivCommand::SetName(KivString(entry_->name.ConvertToUTF8()));
}

void MoxZitBltRep::Declare(KivUnicodeString MoxZitBltEntry::*field, const KivUnicodeString& value) {
  // A list refreshes at its location again and again; that changes nothing.
  if (entry_.get()->*field == value) return;
  auto own = std::make_shared<MoxZitBltEntry>(*entry_);
  own.get()->*field = value;
  entry_ = std::move(own);
}

void MoxZitBltRep::SetName(const KivUnicodeString& name) {
  Declare(&MoxZitBltEntry::name, name);
  KivCommand::SetName(KivString(name.ConvertToUTF8()));
}

void MoxZitBltRep::BuildRep(KivViewer* viewer) {
  // A rebuild replaces the graphics: the old bags must not stay drawn.
  ReleaseGraphics();
  buttonBag_ = KivMake<Kiv2DBagRep>();
  expandedBag_ = KivMake<Kiv2DBagRep>();
  viewer_ = viewer;

  if (KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor()) {
    if (KivVis2DRegistry* registry = editor->GetVis2DRegistry()) {
      registry_ = registry;
      buttonModel_ = KivMake<KivModelForRep2D>(buttonBag_.get());
      expandedModel_ = KivMake<KivModelForRep2D>(expandedBag_.get());
      registry->AddModel(buttonModel_);
      registry->AddModel(expandedModel_);
    }
  }

  SetZitbltButtonGrey(0);
  if (collapsed_) expandedBag_->SetShowMode(KivRep::kHidden);
  if (status_ == 0) {
    buttonBag_->SetShowMode(KivRep::kHidden);
    expandedBag_->SetShowMode(KivRep::kHidden);
  }

  buttonBag_->SetManipulatorSource(this);
}

Kiv2DManipulator* MoxZitBltRep::GetManipulator() {
  if (!manipulator_ && buttonBag_) MakeManipulator(buttonBag_.get());
  return manipulator_.get();
}

KivManipulator* MoxZitBltRep::MakeManipulator(KivRep* rep) {
  if (manipulator_ || !buttonBag_ || rep != buttonBag_.get()) return manipulator_.get();
  manipulator_ = KivVar<Kiv2DManipulator>::Adopt(
      new Kiv2DManipulator(this, KivString("ActivManip"), buttonBag_.get(), 1));
  // The manipulator's axis starts afresh: drags are measured from it.
  lastDragX_ = manipulator_->GetCurrentAxis().origin.x;
  lastDragY_ = manipulator_->GetCurrentAxis().origin.y;
  if (IsTopOrBottom(entry_->location)) {
    manipulator_->SetDirection(KivMathDirection2D(1.0, 0.0));
    movesHorizontally_ = true;
    movesVertically_ = false;
  } else {
    manipulator_->SetDirection(KivMathDirection2D(0.0, 1.0));
    movesVertically_ = true;
    movesHorizontally_ = false;
  }
  return manipulator_.get();
}

void MoxZitBltRep::SetZitbltButtonGrey(unsigned char grey) {
  // The image comes converted already: RGBA, opaque, grey levels when asked.
  auto image = KivVar<KivPixelImage>::Adopt(MoxZitBltIconCache::Load(entry_->iconFile, grey == 1));
  if (!image) return;

  if (buttonBag_) {
    for (int i = buttonBag_->GetChildCount(); i >= 1; --i)
      if (Kiv2DRep* child = buttonBag_->GetChild(i)) child->Destroy();
  }
  auto icon = KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df{kIconCorner, kIconCorner}, image.get());
  const Kiv2DBoundingBox box = icon->GetBoundingElement();
  float dx = 0.0f, dy = 0.0f;
  MoxZitBltIconOffset(entry_->location, box.xmax - box.xmin, box.ymax - box.ymin, dx, dy);
  icon->Modify(KivMathPoint2Df{kIconCorner + dx, kIconCorner + dy});
  grey_ = grey == 1;
  icon->SetAlphaMode(1);
  if (buttonBag_) buttonBag_->AddChild(icon);
}

void MoxZitBltRep::SetStatus(unsigned char status) {
  status_ = status;
  if (status != 0 && status != 1) return;
  const int mode = status == 1 ? KivRep::kShown : KivRep::kHidden;
  if (buttonBag_) buttonBag_->SetShowMode(mode);
  // Showing a button shows its list only when the list is open.
  if (expandedBag_) expandedBag_->SetShowMode(status == 1 && collapsed_ ? KivRep::kHidden : mode);
}

void MoxZitBltRep::ExpandZitBlt() {
  collapsed_ = false;
  if (expandedBag_) SetShowMode(KivRep::kShown);
}

void MoxZitBltRep::CollapseZitBlt() {
  collapsed_ = true;
  if (expandedBag_) SetShowMode(KivRep::kHidden);
}

void MoxZitBltRep::SetShowMode(int mode) {
  if (!expandedBag_) return;
  expandedBag_->SetShowMode(mode);
  ReDraw();
}

void MoxZitBltRep::ChangeBtnState() {
  if (expanded_ == 1) {
    collapsed_ = true;
    expanded_ = 0;
    CollapseZitBlt();
  } else {
    collapsed_ = false;
    expanded_ = 1;
    ExpandZitBlt();
  }
}

void MoxZitBltRep::ReDraw() {
  // The viewer may have been closed since BuildRep.
  if (viewer_ && KivVisManager::GetVisManager()->IsLiveViewer(viewer_)) viewer_->Draw();
}

void MoxZitBltRep::SetMatrixOnBags(const Kiv3x3Matrix& matrix) {
  if (buttonBag_) buttonBag_->SetMatrix(matrix);
  if (expandedBag_) expandedBag_->SetMatrix(matrix);
}

void MoxZitBltRep::SetPoDPosition(double x, double y) {
  SetMatrixOnBags(Kiv3x3Matrix::Translation(static_cast<float>(x), static_cast<float>(y)));
  ReDraw();
}

void MoxZitBltRep::TransfromPoD(double dx, double dy) {
  if (!buttonBag_ || !buttonBag_->GetMatrix()) return;
  const KivMathVector2Df t = buttonBag_->GetMatrix()->GetTranslation();
  SetMatrixOnBags(
      Kiv3x3Matrix::Translation(t.x + static_cast<float>(dx), t.y + static_cast<float>(dy)));
  ReDraw();
}

void MoxZitBltRep::GetPoDPosition(double& x, double& y) const {
  if (!buttonBag_ || !buttonBag_->GetMatrix()) return;
  const KivMathVector2Df t = buttonBag_->GetMatrix()->GetTranslation();
  x = t.x;
  y = t.y;
}

void MoxZitBltRep::SetPositioningLimits(double xmin, double ymin, double xmax, double ymax) {
  if (!buttonBag_) return;
  const Kiv2DBoundingBox box = buttonBag_->GetBoundingElement();
  const double w = box.Width();
  const double h = box.Height();
  limitXMin_ = static_cast<float>(xmin - w / 2.0);
  limitYMin_ = static_cast<float>(ymin + h / 2.0);
  limitXMax_ = static_cast<float>(xmax + w / 2.0);
  limitYMax_ = static_cast<float>(ymax + h / 2.0);
}

void MoxZitBltRep::GetPositioningLimits(double& xmin, double& ymin, double& xmax,
                                        double& ymax) const {
  xmin = limitXMin_;
  ymin = limitYMin_;
  xmax = limitXMax_;
  ymax = limitYMax_;
}

HRESULT MoxZitBltRep::EmptyExpandedBagRep() { return E_FAIL; }

KivPixelImage* MoxZitBltRep::GetButtonIcon() {
  return MoxZitBltIconCache::Load(entry_->iconFile, false);
}

bool MoxZitBltRep::GetButtonPosition(double& x, double& y) {
  if (!buttonBag_ || !buttonBag_->GetMatrix()) return false;
  // The icon's centre: the bag's origin is a corner that two buttons of one
  // node may share (lefttop and topleft), so only the centre is the button's
  // own point. The bag is at the top of its model: its box is in the viewer's
  // coordinates.
  const Kiv2DBoundingBox box = buttonBag_->GetBoundingElement();
  if (box.IsEmpty()) {
    GetPoDPosition(x, y);
  } else {
    x = (static_cast<double>(box.xmin) + box.xmax) / 2.0;
    y = (static_cast<double>(box.ymin) + box.ymax) / 2.0;
  }
  return true;
}

HRESULT MoxZitBltRep::Click() {
  if (!buttonBag_) return E_FAIL;
  ChangeBtnState();
  return S_OK;
}

int MoxZitBltRep::AnalyseNotification(KivCommand* sender, KivNotification* notification) {
  if (!notification || !IsOwnManipulator(sender)) return 1;
  if (notification->IsAKindOf(KivManipulator::GetKivActivate())) {
    ChangeBtnState();
    SendNotification(GetFather(), notification);
  } else if (notification->IsAKindOf(KivManipulator::GetKivManipulate())) {
    OnManipulate(notification);
  }
  return 1;
}

void MoxZitBltRep::OnManipulate(KivNotification* notification) {
  const KivMathPoint2Df origin = manipulator_->GetCurrentAxis().origin;
  if (buttonBag_ && buttonBag_->GetMatrix()) {
    const KivMathVector2Df t = buttonBag_->GetMatrix()->GetTranslation();
    const float x = t.x + (origin.x - lastDragX_);
    const float y = t.y + (origin.y - lastDragY_);
    // A step that would leave the limits is refused; the next step is then
    // measured from the last accepted point.
    if (movesHorizontally_ && (x > limitXMax_ || x < limitXMin_)) return;
    if (movesVertically_ && (y > limitYMax_ || y < limitYMin_)) return;
    SetMatrixOnBags(Kiv3x3Matrix::Translation(x, y));
    ReDraw();
  }
  lastDragX_ = origin.x;
  lastDragY_ = origin.y;
  SendNotification(GetFather(), notification);
}
