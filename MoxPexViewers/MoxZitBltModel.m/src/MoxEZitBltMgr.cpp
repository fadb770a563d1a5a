#include "MoxEZitBltMgr.h"

#include <cmath>
#include <memory>

#include "KivCallback.h"
#include "KivCommandHeader.h"
#include "KivIModelObject.h"
#include "KivISPPActivity.h"
#include "KivNotification.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxIPertNode.h"
#include "MoxIZitBltCBSubscriber.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxPexTraces.h"
#include "MoxZitBltConfiguration.h"
#include "MoxZitBltRefreshBatch.h"
#include "MoxZitBltRep.h"

KIV_BOA_DATA_EXTENSION(MoxIZitBltMgr, MoxEZitBltMgr, "PhysicalActivity");

namespace {
const KivUnicodeString kAll("All");
const KivUnicodeString kStationStatusBars("BIWStationStatusBars");
const KivUnicodeString kGroupingStatusBars("BIWGroupingStatusBars");

// The names whose refresh also refreshes the station and grouping lists of
// the ancestors: those lists summarise their children.
bool CascadesUpwards(const KivUnicodeString& name) {
  return name == kStationStatusBars || name == kGroupingStatusBars ||
         name == KivUnicodeString("BIWPointFasteningStatusBars") ||
         name == KivUnicodeString("BIWCurveFasteningStatusBars");
}

bool AllFinite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}
}  // namespace

MoxEZitBltMgr::MoxEZitBltMgr() = default;

MoxEZitBltMgr::~MoxEZitBltMgr() {
  // The activity is being destroyed: its other extensions (the subscriber
  // among them) go with it and must not be queried any more, so only the
  // buttons are deleted here.
  DeleteButtons();
  initialised_ = false;
  nodeX_ = nodeY_ = nodeW_ = nodeH_ = 0.0;
  placed_ = false;
}

KivVar<MoxIZitBltCBSubscriber> MoxEZitBltMgr::GetSubscriber() {
  return KivVar<MoxIZitBltCBSubscriber>(GetImpl());
}

void MoxEZitBltMgr::InitializeData() {
  const KivTraceScope scope(MoxZitBltModelTrace(), "MoxEZitBltMgr::InitializeData");
  KivIDOMDocument_var document;
  const bool available = MoxZitBltConfiguration::GetDomDocument(document);

  // The list commands exist before the buttons, so each button can be filled
  // by its command as soon as it is made.
  KivVar<MoxIZitBltCBSubscriber> subscriber = GetSubscriber();
  if (subscriber && !subscriber->IsSubscribed()) subscriber->Subscribe();
  if (!available) return;

  KivBaseUnknown* activity = GetImpl();
  KivIModelObject_var named(activity);
  if (!named) return;
  const KivUnicodeString activityType(named->ObjectType().str());

  const MoxZitBltDeclarations declarations =
      MoxZitBltConfiguration::DeclaredFor(document, activityType);
  for (const MoxZitBltDeclaration& declaration : *declarations) {
    const MoxZitBltEntry& entry = declaration.entry;
    auto header = KivMake<KivCommandHeader>(KivString(entry.name.ConvertToUTF8()), entry.loadModule,
                                            entry.type, activity, 1);
    auto instance = KivBaseUnknown_var::Adopt(header->GetCommand());
    KivVar<MoxZitBltRep> rep(instance.get());
    if (!rep) {
      MoxZitBltModelTrace().Print("button \"%s\": class %s of module %s is not a button rep",
                                  entry.name.ConvertToUTF8().c_str(), entry.type.c_str(),
                                  entry.loadModule.c_str());
      continue;
    }
    // The button shares its declaration, and so the declarations of its type.
    rep->SetDeclaration(std::shared_ptr<const MoxZitBltEntry>(declarations, &entry));
    // The table keeps the creation reference; Remove gives it up.
    MoxZitBltRep* button = rep.Detach();
    buttons_.Insert(entry.name.ConvertToUTF8(), button);

    MoxBaseListZitBltCmd* command = nullptr;
    if (subscriber && SUCCEEDED(subscriber->FindZitBltCmd(entry.name, &command)) && command)
      command->Activate(button, nullptr);
  }
}

int MoxEZitBltMgr::Init(KivViewer* viewer) {
  const KivTraceScope scope(MoxZitBltModelTrace(), "MoxEZitBltMgr::Init");
  if (!viewer) return 1;
  if (!initialised_) {
    InitializeData();
    initialised_ = true;
  }
  MoxIPertNode_var node(GetImpl());
  if (!node) return 1;
  double x = 0.0, y = 0.0, w = 0.0, h = 0.0;
  if (FAILED(node->GetPosition(x, y, 1)) || FAILED(node->GetSize(w, h, 1))) return 1;
  nodeX_ = x;
  nodeY_ = y;
  nodeW_ = w;
  nodeH_ = h;
  placed_ = true;
  for (MoxZitBltRep* rep : buttons_.Values()) {
    rep->BuildRep(viewer);
    if (rep->GetZitBltBtn()) PositionBtn(rep, x, y, w, h);
    if (!rep->IsButtonCollapse()) rep->ChangeBtnState();
  }
  return 1;
}

void MoxEZitBltMgr::PositionBtn(MoxZitBltRep* rep, double x, double y, double w, double h) {
  if (!rep || !rep->GetZitBltBtn() || !rep->GetZitBltExpanded()) return;
  rep->SetPositioningLimits(x - w / 2, y - h / 2, x + w / 2, y + h / 2);
  const float hw = static_cast<float>(w / 2);
  const float hh = static_cast<float>(h / 2);
  struct Offset {
    const char* location;
    float dx, dy;
  };
  // A corner keyword names the corner; the rep draws its icon along the side
  // named first.
  const Offset table[] = {
      {"lefttop", -hw, hh},     {"leftmiddle", -hw, 0},   {"leftbottom", -hw, -hh},
      {"righttop", hw, hh},     {"rightmiddle", hw, 0},   {"rightbottom", hw, -hh},
      {"topleft", -hw, hh},     {"topmiddle", 0, hh},     {"topright", hw, hh},
      {"bottomleft", -hw, -hh}, {"bottommiddle", 0, -hh}, {"bottomright", hw, -hh},
  };
  float dx = 0.0f, dy = 0.0f;
  for (const Offset& o : table) {
    if (rep->GetLocation().EqualsAscii(o.location)) {
      dx = o.dx;
      dy = o.dy;
      break;
    }
  }
  const Kiv3x3Matrix placement =
      Kiv3x3Matrix::Translation(static_cast<float>(x) + dx, static_cast<float>(y) + dy);
  rep->GetZitBltBtn()->SetMatrix(placement);
  rep->GetZitBltExpanded()->SetMatrix(placement);
}

void MoxEZitBltMgr::UpdatePositions() {
  const KivTraceScope scope(MoxZitBltModelTrace(), "MoxEZitBltMgr::UpdatePositions");
  MoxIPertNode_var node(GetImpl());
  if (!node) return;
  double x = 0.0, y = 0.0, w = 0.0, h = 0.0;
  if (FAILED(node->GetSize(w, h, 1)) || FAILED(node->GetPosition(x, y, 1))) return;
  // A box that is not finite would carry every button to nowhere.
  if (!AllFinite(x, y, w, h)) return;
  if (!placed_) {
    nodeX_ = x;
    nodeY_ = y;
    nodeW_ = w;
    nodeH_ = h;
    placed_ = true;
    return;
  }
  const bool resized = !(w == nodeW_) || !(h == nodeH_);
  const double x0 = nodeX_ - nodeW_ / 2, x1 = nodeX_ + nodeW_ / 2;
  const double y0 = nodeY_ - nodeH_ / 2, y1 = nodeY_ + nodeH_ / 2;
  const double nx0 = x - w / 2, nx1 = x + w / 2;
  const double ny0 = y - h / 2, ny1 = y + h / 2;
  for (MoxZitBltRep* rep : buttons_.Values()) {
    rep->SetPositioningLimits(nx0, ny0, nx1, ny1);
    if (!resized) {
      rep->TransfromPoD(x - nodeX_, y - nodeY_);
      continue;
    }
    if (!rep->GetZitBltBtn() || !rep->GetZitBltBtn()->GetMatrix()) continue;
    double px = 0.0, py = 0.0;
    rep->GetPoDPosition(px, py);
    // The button keeps its relative place in the box, anchored at the left
    // and top edges. Along an axis where the old box had no extent there is
    // no relative place: the button keeps its offset from the centre and
    // follows the node's displacement.
    const double npx = x1 != x0 ? nx0 - ((x0 - px) / (x0 - x1)) * (nx0 - nx1) : px + (x - nodeX_);
    const double npy = y1 != y0 ? ny1 - ((y1 - py) / (y1 - y0)) * (ny1 - ny0) : py + (y - nodeY_);
    rep->SetPoDPosition(npx, npy);
  }
  nodeX_ = x;
  nodeY_ = y;
  nodeW_ = w;
  nodeH_ = h;
}

void MoxEZitBltMgr::GetNodeBox(double& x, double& y, double& w, double& h) const {
  x = nodeX_;
  y = nodeY_;
  w = nodeW_;
  h = nodeH_;
}

HRESULT MoxEZitBltMgr::GetAllZitBlts(KivListValKivUnicodeString** names) {
  if (!initialised_) {
    InitializeData();
    initialised_ = true;
  }
  if (!names) return E_FAIL;
  auto* list = new KivListValKivUnicodeString();
  for (const auto& [key, rep] : buttons_.Items()) list->Append(KivUnicodeString(key));
  *names = list;
  return S_OK;
}

HRESULT MoxEZitBltMgr::SetZitBltStatus(const KivUnicodeString& name, unsigned char status) {
  HRESULT result = S_OK;
  if (name == kAll) {
    allStatus_ = status;
  } else {
    MoxZitBltRep* rep = nullptr;
    if (SUCCEEDED(FindZitBlt(name, &rep)))
      rep->SetStatus(status);
    else
      result = E_FAIL;
  }
  // Whoever draws or lists the activity's buttons hears of the change.
  KivBaseUnknown* activity = GetImpl();
  KivIModelEvents_var events(activity);
  if (events) {
    events->Dispatch(KivMake<KivModify>(activity, KivBaseUnknown::ClassIID(), 1));
    events->Dispatch(KivMake<MoxPertAppInfoNotify>(KivBaseUnknown_var(activity), 0.0, 0.0,
                                                   MoxPertAppInfoNotify::kAttach));
  }
  return result;
}

HRESULT MoxEZitBltMgr::GetZitBltStatus(const KivUnicodeString& name, unsigned char& status) {
  if (name == kAll) {
    status = allStatus_;
    return S_OK;
  }
  MoxZitBltRep* rep = nullptr;
  if (FAILED(FindZitBlt(name, &rep))) return E_FAIL;
  status = rep->GetStatus();
  return S_OK;
}

HRESULT MoxEZitBltMgr::FindZitBlt(const KivUnicodeString& name, MoxZitBltRep** rep) {
  if (!rep) return E_FAIL;
  MoxZitBltRep* found = buttons_.Locate(name.ConvertToUTF8());
  if (!found) return E_FAIL;
  *rep = found;
  return S_OK;
}

void MoxEZitBltMgr::DeleteButtons() {
  for (MoxZitBltRep* rep : buttons_.Values()) KivCommandDeletion(rep);
  buttons_.RemoveAll();
}

int MoxEZitBltMgr::Remove() {
  const KivTraceScope scope(MoxZitBltModelTrace(), "MoxEZitBltMgr::Remove");
  KivVar<MoxIZitBltCBSubscriber> subscriber = GetSubscriber();
  if (subscriber && subscriber->IsSubscribed()) subscriber->UnSubscribe();
  DeleteButtons();
  initialised_ = false;
  allStatus_ = 0;
  return 0;
}

MoxEZitBltMgr::Refresh MoxEZitBltMgr::RefreshThroughCommand(const KivUnicodeString& name) {
  KivVar<MoxIZitBltCBSubscriber> subscriber = GetSubscriber();
  if (!subscriber) return Refresh::kNoCommand;
  MoxBaseListZitBltCmd* command = nullptr;
  if (FAILED(subscriber->FindZitBltCmd(name, &command)) || !command) return Refresh::kNoCommand;
  if (!MoxZitBltRefreshBatch::Claim(GetImpl(), name)) return Refresh::kDoneAlready;
  MoxZitBltRep* rep = nullptr;
  FindZitBlt(name, &rep);
  if (auto* list = dynamic_cast<MoxBaseScrollListZitBltRep*>(rep)) list->CountRefresh();
  command->UpdateZitbltData(rep);
  return Refresh::kRebuilt;
}

void MoxEZitBltMgr::UpdateZitBltReps(const KivUnicodeString& name) {
  if (RefreshThroughCommand(name) != Refresh::kRebuilt || !CascadesUpwards(name)) return;
  // The station and grouping lists of every ancestor summarise this list:
  // each ancestor is refreshed once, climbing while it has one of them (and
  // while a batch has not climbed from there already).
  MoxZitBltRefreshBatch batch;
  KivISPPActivity_var activity(GetImpl());
  KivISPPActivity_var parent = activity ? activity->ParentActivity() : KivISPPActivity_var();
  while (parent) {
    MoxIZitBltMgr_var parentManager(parent.get());
    if (!parentManager) return;
    auto* manager = dynamic_cast<MoxEZitBltMgr*>(parentManager.get());
    if (!manager) {
      // Another kind of manager climbs on by itself.
      parentManager->UpdateZitBltReps(kStationStatusBars);
      parentManager->UpdateZitBltReps(kGroupingStatusBars);
      return;
    }
    const Refresh station = manager->RefreshThroughCommand(kStationStatusBars);
    const Refresh grouping = manager->RefreshThroughCommand(kGroupingStatusBars);
    if (station != Refresh::kRebuilt && grouping != Refresh::kRebuilt) return;
    parent = parent->ParentActivity();
  }
}

unsigned char MoxEZitBltMgr::GetDomDocument(KivVar<KivIDOMDocument>& document) {
  return MoxZitBltConfiguration::GetDomDocument(document) ? 1 : 0;
}

MoxIZitBltButton_var MoxEZitBltMgr::GetZitBltButton(const KivUnicodeString& name) {
  MoxZitBltRep* rep = nullptr;
  if (FAILED(FindZitBlt(name, &rep))) return MoxIZitBltButton_var();
  return MoxIZitBltButton_var(rep);
}

void MoxEZitBltMgr::UpdateAllZitBltReps() {
  MoxZitBltRefreshBatch batch;
  KivListValKivUnicodeString* names = nullptr;
  GetAllZitBlts(&names);
  std::unique_ptr<KivListValKivUnicodeString> owned(names);
  if (!owned) return;
  for (int i = 1; i <= owned->Size(); ++i) UpdateZitBltReps((*owned)[i]);
}
