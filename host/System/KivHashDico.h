#pragma once
// The host's hash dictionary: string keys, values kept in insertion order
// (the "table order"). Two values may share a key; a lookup then finds the
// first one inserted. First/next iteration walks the table order.
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

template <class V = void*>
class KivHashDico {
 public:
  explicit KivHashDico(int initialSize = 10) {
    entries_.reserve(static_cast<std::size_t>(initialSize > 0 ? initialSize : 0));
  }

  void Insert(const std::string& key, V value) {
    index_.emplace(key, entries_.size());
    entries_.push_back({key, std::move(value), true});
    ++live_;
  }
  // The first value inserted under the key, or an empty value.
  V Locate(const std::string& key) const {
    auto range = index_.equal_range(key);
    const std::size_t none = entries_.size();
    std::size_t best = none;
    for (auto it = range.first; it != range.second; ++it)
      if (entries_[it->second].live && it->second < best) best = it->second;
    return best == none ? V{} : entries_[best].value;
  }
  bool Contains(const std::string& key) const { return index_.count(key) > 0; }
  // Removes one entry of the key holding `value`; true when one was removed.
  bool Remove(const std::string& key, const V& value) {
    auto range = index_.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
      if (entries_[it->second].live && entries_[it->second].value == value) {
        entries_[it->second].live = false;
        index_.erase(it);
        --live_;
        return true;
      }
    }
    return false;
  }
  void RemoveAll() {
    entries_.clear();
    index_.clear();
    live_ = 0;
    cursor_ = 0;
  }
  int Size() const { return static_cast<int>(live_); }

  // Iteration in table order: FirstItem, then NextItem until it gives an
  // empty value. The key of the item just returned is CurrentKey().
  V FirstItem() {
    cursor_ = 0;
    return NextItem();
  }
  V NextItem() {
    while (cursor_ < entries_.size()) {
      const auto& e = entries_[cursor_++];
      if (e.live) {
        currentKey_ = e.key;
        return e.value;
      }
    }
    return V{};
  }
  const std::string& CurrentKey() const { return currentKey_; }

  // The live values in table order: no key is copied.
  std::vector<V> Values() const {
    std::vector<V> out;
    out.reserve(live_);
    for (const auto& e : entries_)
      if (e.live) out.push_back(e.value);
    return out;
  }
  // All live (key, value) pairs in table order.
  std::vector<std::pair<std::string, V>> Items() const {
    std::vector<std::pair<std::string, V>> out;
    out.reserve(live_);
    for (const auto& e : entries_)
      if (e.live) out.emplace_back(e.key, e.value);
    return out;
  }

 private:
  struct Entry {
    std::string key;
    V value;
    bool live;
  };
  std::vector<Entry> entries_;
  std::unordered_multimap<std::string, std::size_t> index_;
  std::size_t live_ = 0;
  std::size_t cursor_ = 0;
  std::string currentKey_;
};
