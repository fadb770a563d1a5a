#include "MoxScrollListRowDrag.h"

#include <algorithm>

#include "Kiv2DBagRep.h"
#include "Kiv2DManipulator.h"
#include "KivCSO.h"
#include "KivCSOChangeNotification.h"
#include "KivFrmEditor.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivISPPFlowMgt.h"
#include "KivManipulatorNotification.h"
#include "KivPathElement.h"
#include "KivViewer.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxIListZitBltItemDD.h"
#include "MoxIZitBltCBSubscriber.h"
#include "MoxIZitBltMgr.h"
#include "MoxPexTraces.h"
#include "MoxZitBltRefreshBatch.h"

namespace {
bool Same(KivBaseUnknown* a, KivBaseUnknown* b) { return KivIdentity(a) == KivIdentity(b); }

void TranslateRow(const MoxIScrollListZitBltItemVisu_var& row, float dx, float dy) {
  auto* bag = dynamic_cast<Kiv2DBagRep*>(row->GiveRep());
  if (!bag) return;
  const KivMathVector2Df t =
      bag->GetMatrix() ? bag->GetMatrix()->GetTranslation() : KivMathVector2Df(0.0f, 0.0f);
  bag->SetMatrix(Kiv3x3Matrix::Translation(t.x + dx, t.y + dy));
}

// The activity and its ancestors whose buttons are drawn, and the
// activities after it in the flow (whose input lists show what precedes
// them), each once.
void AddInvolved(KivBaseUnknown* activity, std::vector<KivBaseUnknown_var>& out) {
  auto add = [&out](KivBaseUnknown* a) {
    for (const auto& known : out)
      if (Same(known.get(), a)) return false;
    out.emplace_back(a);
    return true;
  };
  for (KivISPPAbstractActivity_var up(activity); up; up = up->GetParentActivity()) {
    MoxIZitBltCBSubscriber_var subscriber(up.get());
    if (!Same(up.get(), activity) && (!subscriber || !subscriber->IsSubscribed())) continue;
    if (!add(up.get())) break;
  }
  std::vector<KivBaseUnknown_var> queue{KivBaseUnknown_var(activity)};
  for (std::size_t i = 0; i < queue.size(); ++i) {
    KivISPPFlowMgt_var flow(queue[i].get());
    const KivSPPList next = flow ? flow->NextActivities("Activity") : nullptr;
    if (!next) continue;
    for (const KivBaseUnknown_var& follower : *next)
      if (add(follower.get())) queue.push_back(follower);
  }
}
}  // namespace

MoxScrollListRowDrag::MoxScrollListRowDrag(MoxBaseScrollListZitBltRep* list) : list_(list) {
  manipulator_ = KivVar<Kiv2DManipulator>::Adopt(
      new Kiv2DManipulator(list, KivString("ActivManip"), nullptr, 2));
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  selection_ = editor ? editor->GetCSO() : nullptr;
  if (!selection_) return;
  selectionCallback_ = AddCallback(selection_.get(), "KivCSOChangeNotification",
                                   KivMemberCallback(this, &MoxScrollListRowDrag::OnCSONotif));
  const KivListValKivBaseUnknown_var selected = selection_->GetElements();
  for (const KivBaseUnknown_var& path : selected) ValidateAddRemElem(KivAsPathElement(path.get()), false);
}

MoxScrollListRowDrag::~MoxScrollListRowDrag() {
  if (selectionCallback_ != kKivNoCallback) RemoveCallback(selectionCallback_);
  dragged_.clear();
  moving_.clear();
  if (manipulator_) {
    manipulator_->RemoveAllRepsToManipulate();
    KivCommandDeletion(manipulator_.Detach());
  }
}

void MoxScrollListRowDrag::OnCSONotif(KivBaseUnknown*, KivNotification* notification, void*) {
  auto* change = dynamic_cast<KivCSOChangeNotification*>(notification);
  if (!change) return;
  for (const KivBaseUnknown_var& path : change->GetRemovedElements())
    ValidateAddRemElem(KivAsPathElement(path.get()), true);
  for (const KivBaseUnknown_var& path : change->GetAddedElements())
    ValidateAddRemElem(KivAsPathElement(path.get()), false);
}

void MoxScrollListRowDrag::ValidateAddRemElem(KivPathElement* path, bool remove) {
  if (!path) return;
  MoxIScrollListZitBltItemVisu_var row(path->GetFatherElement(1));
  if (!row) return;
  // Only this list's own rows: another node's list of the same name drags
  // its own.
  if (!list_->HoldsRow(row.get())) return;
  if (remove)
    RemoveObjectToManip(row);
  else
    AddObjectToManip(row);
}

void MoxScrollListRowDrag::AddObjectToManip(const MoxIScrollListZitBltItemVisu_var& row) {
  for (const auto& held : dragged_)
    if (Same(held.get(), row.get())) return;
  dragged_.push_back(row);
}

void MoxScrollListRowDrag::RemoveObjectToManip(const MoxIScrollListZitBltItemVisu_var& row) {
  auto at = std::find_if(dragged_.begin(), dragged_.end(),
                         [&row](const auto& held) { return Same(held.get(), row.get()); });
  if (at != dragged_.end()) dragged_.erase(at);
}

void MoxScrollListRowDrag::AddRow(const MoxIScrollListZitBltItemVisu_var& row) {
  manipulator_->AddRepToManipulate(row->GiveRep());
}

void MoxScrollListRowDrag::ForgetRows(const Rows& rows) {
  moving_.clear();
  for (const auto& row : rows) {
    manipulator_->RemoveRepToManipulate(row->GiveRep());
    RemoveObjectToManip(row);
    if (!selection_) continue;
    // The paths that select the row go with it.
    const KivListValKivBaseUnknown_var selected = selection_->GetElements();
    for (const KivBaseUnknown_var& entry : selected)
      if (KivPathElement* path = KivAsPathElement(entry.get());
          path && Same(path->GetFatherElement(1), row.get()))
        selection_->RemoveElement(path);
  }
}

void MoxScrollListRowDrag::OnManipulatorNotification(KivNotification* notification) {
  if (notification->IsAKindOf(KivManipulator::GetKivManipulate()))
    OnKivManipulate();
  else if (notification->IsAKindOf(KivManipulator::GetKivEndManipulate()))
    OnKivEndManipulate();
}

bool MoxScrollListRowDrag::TakesEveryItem(const Rows& rows, KivBaseUnknown* source,
                                          KivBaseUnknown* target) {
  if (!source || !target || Same(source, target) || rows.empty()) return false;
  for (const auto& row : rows) {
    MoxIListZitBltItemDD_var dd(row->GetAssociatedPFItem().get());
    KivUnicodeString message;
    if (!dd || !dd->IsValidToReassign(source, target, message)) return false;
  }
  return true;
}

void MoxScrollListRowDrag::OnKivManipulate() {
  KivViewer* viewer = manipulator_->GetViewer();
  if (!dragging_) {
    dragging_ = true;
    cursorBefore_ = viewer ? viewer->GetCursor() : 0;
    dragOrigin_ = manipulator_->GetReferenceAxis().origin;
    moving_ = RowsToMove(viewer);
  }
  dropAllowed_ = false;
  if (viewer) viewer->SetCursor(kCursorRefused);
  KivListValKivBaseUnknown_var under;
  manipulator_->PickAllUnder(under);
  target_ = NULL_var;
  for (const KivBaseUnknown_var& object : under)
    if (KivISPPActivity_var(object.get())) {
      target_ = object;
      break;
    }
  KivBaseUnknown* source = moving_.empty() ? nullptr : moving_.front()->GetAssociatedActivityNode();
  if (TakesEveryItem(moving_, source, target_.get())) {
    dropAllowed_ = true;
    if (viewer) viewer->SetCursor(kCursorAccepted);
  }
  const KivMathPoint2Df at = manipulator_->GetCurrentAxis().origin;
  for (const auto& row : moving_) TranslateRow(row, at.x - dragOrigin_.x, at.y - dragOrigin_.y);
  dragOrigin_ = at;
  if (viewer) viewer->Draw();
}

void MoxScrollListRowDrag::OnKivEndManipulate() {
  manipulator_->ResetAxis();
  if (KivViewer* viewer = manipulator_->GetViewer()) viewer->SetCursor(cursorBefore_);
  const Rows rows = moving_;
  KivBaseUnknown_var source(rows.empty() ? nullptr : rows.front()->GetAssociatedActivityNode());
  KivBaseUnknown_var target = target_;
  // The document may have changed since the last step: ask again.
  const bool allowed =
      dragging_ && dropAllowed_ && TakesEveryItem(rows, source.get(), target.get());
  EndDrag();
  if (!source) return;
  if (allowed)
    Drop(rows, source.get(), target.get());
  else
    PutRowsBack(source.get());
}

MoxScrollListRowDrag::Rows MoxScrollListRowDrag::RowsToMove(KivViewer* viewer) {
  // The row pressed: where the pointer was when the drag began.
  const KivMathPoint2Df at = manipulator_->GetPointerPosition();
  const KivMathAxis2D& moved = manipulator_->GetCurrentAxis();
  const KivMathAxis2D& start = manipulator_->GetReferenceAxis();
  const float x = at.x - (moved.origin.x - start.origin.x);
  const float y = at.y - (moved.origin.y - start.origin.y);
  MoxIScrollListZitBltItemVisu_var pressed;
  if (viewer)
    for (const auto& rep : viewer->PickAll(x, y)) {
      MoxIScrollListZitBltItemVisu_var row(rep->FindModelObject());
      if (row && list_->HoldsRow(row.get())) {
        pressed = row;
        break;
      }
    }
  // A selected row drags every selected row; another row drags alone.
  const bool selected = std::any_of(dragged_.begin(), dragged_.end(), [&pressed](const auto& held) {
    return Same(held.get(), pressed.get());
  });
  if (selected || !pressed) return dragged_;
  return {pressed};
}

void MoxScrollListRowDrag::EndDrag() {
  moving_.clear();
  dragging_ = false;
  dropAllowed_ = false;
  target_ = NULL_var;
  dragOrigin_ = KivMathPoint2Df(0.0f, 0.0f);
}

void MoxScrollListRowDrag::PutRowsBack(KivBaseUnknown* source) {
  // The list is drawn anew: the rows return to their places, unselected.
  if (selection_) selection_->Empty();
  if (MoxIZitBltMgr_var manager = source) manager->UpdateZitBltReps(list_->GetName());
}

void MoxScrollListRowDrag::Drop(const Rows& rows, KivBaseUnknown* source,
                                KivBaseUnknown* target) {
  const KivTraceScope scope(MoxZitBltModelTrace(), "MoxScrollListRowDrag::Drop");
  std::vector<KivBaseUnknown_var> items;
  for (const auto& row : rows) {
    KivBaseUnknown_var item = row->GetAssociatedPFItem();
    if (std::none_of(items.begin(), items.end(),
                     [&item](const auto& known) { return Same(known.get(), item.get()); }))
      items.push_back(item);
  }
  if (selection_) selection_->Empty();
  MoxIZitBltCBSubscriber_var subscriber(source);
  // The moves notify the document; the lists are rebuilt once, below.
  const unsigned char ignored = subscriber ? subscriber->GetIgnoreNotifFlag() : 0;
  if (subscriber) subscriber->SetIgnoreNotifFlag(1);
  for (const auto& item : items)
    if (MoxIListZitBltItemDD_var dd = item.get(); dd && FAILED(dd->ReassignItem(source, target)))
      MoxZitBltModelTrace().Print("an item dropped was not moved");
  if (subscriber) subscriber->SetIgnoreNotifFlag(ignored);
  std::vector<KivBaseUnknown_var> involved;
  AddInvolved(source, involved);
  AddInvolved(target, involved);
  MoxZitBltRefreshBatch batch;
  for (const auto& activity : involved)
    if (MoxIZitBltMgr_var manager = activity.get()) manager->UpdateAllZitBltReps();
}
