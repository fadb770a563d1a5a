#pragma once
// The host's ordered lists, indexed from 1. Lists of handles, integers and
// Unicode strings share one template; duplicates of handles are judged by the
// identity of the component behind them.
#include <type_traits>
#include <unordered_set>
#include <utility>
#include <vector>

#include "KivFatalError.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

namespace kiv_detail {
template <class T>
struct IsKivVar : std::false_type {};
template <class U>
struct IsKivVar<KivVar<U>> : std::true_type {};

template <class T>
auto ListKey(const T& v) {
  if constexpr (IsKivVar<T>::value)
    return static_cast<const void*>(KivIdentity(v.get()));
  else
    return v;
}
template <class T>
bool ListEqual(const T& a, const T& b) {
  return ListKey(a) == ListKey(b);
}
}  // namespace kiv_detail

template <class T>
class KivListVal {
 public:
  KivListVal() = default;
  KivListVal(std::initializer_list<T> values) : items_(values) {}

  int Size() const { return static_cast<int>(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }

  void Append(const T& value) { items_.push_back(value); }
  void Append(T&& value) { items_.push_back(std::move(value)); }
  void Append(const KivListVal& other) {
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
  }
  // Inserts before position `index` (1 to Size()+1).
  bool InsertAt(int index, const T& value) {
    if (index < 1 || index > Size() + 1) return false;
    items_.insert(items_.begin() + (index - 1), value);
    return true;
  }

  // Position 1..Size(); anything else is a programming error and stops.
  const T& operator[](int index) const { return items_[Checked(index)]; }
  T& operator[](int index) { return items_[Checked(index)]; }
  // The value at `index`, or an empty value when out of range.
  T Get(int index) const { return InRange(index) ? items_[static_cast<std::size_t>(index - 1)] : T{}; }

  // Position (1-based) of the first element equal to `value` at or after
  // `from`, or 0 when absent.
  int Locate(const T& value, int from = 1) const {
    for (int i = from < 1 ? 1 : from; i <= Size(); ++i)
      if (kiv_detail::ListEqual(items_[static_cast<std::size_t>(i - 1)], value)) return i;
    return 0;
  }
  // Removes the first element equal to `value`; false when there is none.
  bool RemoveValue(const T& value) {
    const int at = Locate(value);
    return at ? RemovePosition(at) : false;
  }
  bool RemovePosition(int index) {
    if (!InRange(index)) return false;
    items_.erase(items_.begin() + (index - 1));
    return true;
  }
  void RemoveAll() { items_.clear(); }
  void Swap(int i, int j) {
    std::swap(items_[Checked(i)], items_[Checked(j)]);
  }

  // Keeps the first occurrence of each value, in order; returns how many
  // were removed. Linear in the list's size.
  int RemoveDuplicates() {
    using Key = decltype(kiv_detail::ListKey(std::declval<const T&>()));
    std::unordered_set<Key> seen;
    seen.reserve(items_.size());
    std::vector<T> kept;
    kept.reserve(items_.size());
    for (auto& v : items_)
      if (seen.insert(kiv_detail::ListKey(v)).second) kept.push_back(std::move(v));
    const int removed = Size() - static_cast<int>(kept.size());
    items_.swap(kept);
    return removed;
  }

  // Removes empty handles; returns how many were removed.
  int RemoveNulls()
    requires kiv_detail::IsKivVar<T>::value
  {
    const auto before = items_.size();
    std::erase_if(items_, [](const T& v) { return !v; });
    return static_cast<int>(before - items_.size());
  }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  void Reserve(int n) { items_.reserve(static_cast<std::size_t>(n)); }

 private:
  bool InRange(int index) const { return index >= 1 && index <= Size(); }
  std::size_t Checked(int index) const {
    if (!InRange(index)) KivFatalError("AssertionFailed:list index in range", __FILE__, __LINE__);
    return static_cast<std::size_t>(index - 1);
  }

  std::vector<T> items_;
};

using KivListValKivBaseUnknown_var = KivListVal<KivBaseUnknown_var>;
using KivListOfInt = KivListVal<int>;
using KivListValKivUnicodeString = KivListVal<KivUnicodeString>;
