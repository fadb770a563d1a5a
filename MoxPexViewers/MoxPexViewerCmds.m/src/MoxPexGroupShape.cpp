#include "MoxPexGroupShape.h"

#include <vector>

#include "KivISPPFlowMgt.h"

namespace {
const void* IdentityOf(KivBaseUnknown* object) { return KivIdentity(object); }

KivListValKivBaseUnknown_var Taken(KivSPPList list) {
  return list ? std::move(*list) : KivListValKivBaseUnknown_var();
}
}  // namespace

KivListValKivBaseUnknown_var MoxPreviousActivities(KivBaseUnknown* activity) {
  KivISPPFlowMgt_var flow(activity);
  return flow ? Taken(flow->PreviousActivities("Activity")) : KivListValKivBaseUnknown_var();
}

KivListValKivBaseUnknown_var MoxNextActivities(KivBaseUnknown* activity) {
  KivISPPFlowMgt_var flow(activity);
  return flow ? Taken(flow->NextActivities("Activity")) : KivListValKivBaseUnknown_var();
}

MoxPexGroupShape::MoxPexGroupShape(const KivListValKivBaseUnknown_var& group) : group_(group) {
  for (const auto& member : group_) members_.insert(IdentityOf(member.get()));
}

bool MoxPexGroupShape::Contains(KivBaseUnknown* activity) const {
  return activity && members_.count(IdentityOf(activity)) > 0;
}

void MoxPexGroupShape::WithOutsideNeighbour(Direction direction,
                                            KivListValKivBaseUnknown_var* out) const {
  if (!out) return;
  for (const auto& member : group_) {
    const auto neighbours = direction == Direction::Backward ? MoxPreviousActivities(member.get())
                                                             : MoxNextActivities(member.get());
    for (const auto& neighbour : neighbours)
      if (!Contains(neighbour.get())) {
        out->Append(member);
        break;
      }
  }
}

void MoxPexGroupShape::EntriesWithOutsidePrevious(KivListValKivBaseUnknown_var* out) const {
  WithOutsideNeighbour(Direction::Backward, out);
}

void MoxPexGroupShape::ExitsWithOutsideNext(KivListValKivBaseUnknown_var* out) const {
  WithOutsideNeighbour(Direction::Forward, out);
}

void MoxPexGroupShape::Walk(KivBaseUnknown* activity, Direction direction, bool& invalid,
                            std::unordered_set<const void*>& visited) const {
  if (invalid || !activity || group_.IsEmpty() || !KivISPPFlowMgt_var(activity)) return;
  // Walked already in this check without reaching the set: nothing new.
  if (!visited.insert(IdentityOf(activity)).second) return;
  // An explicit stack: a long chain must not exhaust the call stack.
  std::vector<KivBaseUnknown_var> pending{KivBaseUnknown_var(activity)};
  while (!pending.empty() && !invalid) {
    const KivBaseUnknown_var current = std::move(pending.back());
    pending.pop_back();
    const auto neighbours = direction == Direction::Backward ? MoxPreviousActivities(current.get())
                                                             : MoxNextActivities(current.get());
    for (const auto& neighbour : neighbours) {
      if (Contains(neighbour.get())) {
        invalid = true;
        return;
      }
      if (visited.insert(IdentityOf(neighbour.get())).second) pending.push_back(neighbour);
    }
  }
}

void MoxPexGroupShape::WalkBackward(KivBaseUnknown* activity, bool& invalid,
                                    std::unordered_set<const void*>& visited) const {
  Walk(activity, Direction::Backward, invalid, visited);
}

void MoxPexGroupShape::WalkForward(KivBaseUnknown* activity, bool& invalid,
                                   std::unordered_set<const void*>& visited) const {
  Walk(activity, Direction::Forward, invalid, visited);
}

bool MoxPexGroupShape::HasReEntry() const {
  bool invalid = false;
  for (Direction direction : {Direction::Backward, Direction::Forward}) {
    std::unordered_set<const void*> visited;
    KivListValKivBaseUnknown_var borders;
    WithOutsideNeighbour(direction, &borders);
    for (const auto& border : borders) {
      if (invalid) break;
      const auto outside = direction == Direction::Backward ? MoxPreviousActivities(border.get())
                                                            : MoxNextActivities(border.get());
      for (const auto& neighbour : outside)
        if (!Contains(neighbour.get())) Walk(neighbour.get(), direction, invalid, visited);
    }
    if (invalid) break;
  }
  return invalid;
}

bool MoxPexGroupShape::IsRuleViolated(Direction direction) const {
  const Direction back = direction == Direction::Backward ? Direction::Forward : Direction::Backward;
  auto neighboursOf = [](Direction d, KivBaseUnknown* a) {
    return d == Direction::Backward ? MoxPreviousActivities(a) : MoxNextActivities(a);
  };
  KivListValKivBaseUnknown_var outside;
  std::unordered_set<const void*> seen;
  for (const auto& member : group_)
    for (const auto& neighbour : neighboursOf(direction, member.get()))
      if (!Contains(neighbour.get()) && seen.insert(IdentityOf(neighbour.get())).second)
        outside.Append(neighbour);
  if (outside.Size() == 1) return false;
  seen.clear();
  int turnedBack = 0;
  for (const auto& border : outside)
    for (const auto& neighbour : neighboursOf(back, border.get()))
      if (seen.insert(IdentityOf(neighbour.get())).second) ++turnedBack;
  return turnedBack != 1;
}

bool MoxPexGroupShape::IsRuleOneViolated() const { return IsRuleViolated(Direction::Backward); }
bool MoxPexGroupShape::IsRuleTwoViolated() const { return IsRuleViolated(Direction::Forward); }

bool MoxPexGroupShape::IsSound() const {
  return !HasReEntry() && !IsRuleOneViolated() && !IsRuleTwoViolated();
}
