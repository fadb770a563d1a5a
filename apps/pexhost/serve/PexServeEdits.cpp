#include "PexServeEdits.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace {
using Lines = std::vector<std::string_view>;

// The edits that turn `a` into `b`, from a shortest edit script found with
// Myers' greedy algorithm (the furthest-reaching point of every diagonal is
// kept for each round, to walk back). Empty beyond `maxEdits` differences.
std::optional<std::vector<PexServeEdit>> ShortestEdits(const Lines& a, const Lines& b,
                                                       std::size_t maxEdits) {
  const long n = static_cast<long>(a.size()), m = static_cast<long>(b.size());
  const long limit = std::min<long>(n + m, static_cast<long>(maxEdits));
  std::vector<std::vector<long>> rounds;  // furthest x on diagonal k, k from -d to d
  std::vector<long> v(2 * static_cast<std::size_t>(limit) + 3, 0);
  const long offset = limit + 1;
  long end = -1;
  for (long d = 0; d <= limit && end < 0; ++d) {
    for (long k = -d; k <= d; k += 2) {
      long x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]))
                   ? v[offset + k + 1]
                   : v[offset + k - 1] + 1;
      long y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      v[offset + k] = x;
      if (x >= n && y >= m) {
        end = d;
        break;
      }
    }
    rounds.emplace_back(v.begin() + (offset - d), v.begin() + (offset + d + 1));
  }
  if (end < 0) return std::nullopt;

  // Back from the end: each round adds one insertion or removal.
  std::vector<PexServeEdit> edits;
  long x = n, y = m;
  for (long d = end; d > 0; --d) {
    const std::vector<long>& previous = rounds[d - 1];  // k from -(d-1) to d-1
    const auto at = [&](long k) { return previous[k + d - 1]; };
    const long k = x - y;
    const bool down = k == -d || (k != d && at(k - 1) < at(k + 1));
    const long previousK = down ? k + 1 : k - 1;
    const long previousX = at(previousK);
    // The step of this round: b's line inserted before a's line previousX
    // (down), or a's line previousX removed.
    const auto position = static_cast<std::size_t>(previousX);
    const PexServeEdit edit = down ? PexServeEdit{position, 0, 1} : PexServeEdit{position, 1, 0};
    // Steps at the same place of `a` join into one edit.
    if (!edits.empty() && edits.back().at == edit.at + edit.removed) {
      edits.back().at = edit.at;
      edits.back().removed += edit.removed;
      edits.back().inserted += edit.inserted;
    } else {
      edits.push_back(edit);
    }
    x = previousX;
    y = previousX - previousK;
  }
  std::reverse(edits.begin(), edits.end());
  return edits;
}
}  // namespace

std::optional<PexServeEdits> PexServeEditsBetween(const Lines& before, const Lines& after,
                                                  std::size_t maxEdits) {
  // Common ends first: the search then runs over what changed only.
  const std::size_t shorter = std::min(after.size(), before.size());
  std::size_t prefix = 0;
  while (prefix < shorter && after[prefix] == before[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         after[after.size() - 1 - suffix] == before[before.size() - 1 - suffix])
    ++suffix;
  const Lines a(before.begin() + prefix, before.end() - suffix);
  const Lines b(after.begin() + prefix, after.end() - suffix);
  // Lines found on one side only must each be removed or inserted: when
  // they alone are too many, the search is not worth starting.
  const std::unordered_set<std::string_view> inA(a.begin(), a.end()), inB(b.begin(), b.end());
  const auto onlyIn = [](const Lines& lines, const std::unordered_set<std::string_view>& other) {
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [&](std::string_view line) { return !other.count(line); }));
  };
  if (onlyIn(a, inB) + onlyIn(b, inA) > maxEdits) return std::nullopt;
  std::optional<std::vector<PexServeEdit>> edits = ShortestEdits(a, b, maxEdits);
  if (!edits) return std::nullopt;

  PexServeEdits result;
  std::size_t shift = 0;  // lines of `b` minus lines of `a` before the current edit
  for (PexServeEdit& edit : *edits) {
    for (std::size_t i = 0; i < edit.inserted; ++i)
      result.inserted.push_back(prefix + edit.at + shift + i);
    shift += edit.inserted;
    shift -= edit.removed;
    edit.at += prefix;
    result.edits.push_back(edit);
  }
  return result;
}
