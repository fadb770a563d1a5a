#include "PexServePicture.h"

#include <algorithm>
#include <unordered_set>

namespace {
using Lines = std::vector<std::string_view>;

// The edits that turn `a` into `b`, from a shortest edit script found with
// Myers' greedy algorithm (the furthest-reaching point of every diagonal is
// kept for each round, to walk back). Empty beyond `maxEdits` differences.
std::optional<std::vector<PexServePictureEdit>> ShortestEdits(const Lines& a, const Lines& b,
                                                              std::size_t maxEdits) {
  const long n = static_cast<long>(a.size()), m = static_cast<long>(b.size());
  const long limit = std::min<long>(n + m, static_cast<long>(maxEdits));
  std::vector<std::vector<long>> rounds;  // furthest x on diagonal k, k from -d to d
  std::vector<long> v(2 * static_cast<std::size_t>(limit) + 3, 0);
  const long offset = limit + 1;
  long end = -1;
  for (long d = 0; d <= limit && end < 0; ++d) {
    for (long k = -d; k <= d; k += 2) {
      long x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
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
  std::vector<PexServePictureEdit> edits;
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
    const PexServePictureEdit edit =
        down ? PexServePictureEdit{position, 0, 1} : PexServePictureEdit{position, 1, 0};
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

PexServePicture::PexServePicture() : text_(std::make_shared<const std::string>()) {}

PexServePicture::PexServePicture(std::string svg)
    : text_(std::make_shared<const std::string>(std::move(svg))) {
  const std::string_view text(*text_);
  const std::size_t open = text.find("<svg");
  const std::size_t close = text.rfind("</svg>");
  if (open == std::string_view::npos || close == std::string_view::npos) return;
  const std::size_t bodyStart = text.find('\n', open);
  if (bodyStart == std::string_view::npos || bodyStart >= close) return;
  head_ = text.substr(0, bodyStart + 1);
  oneElementPerLine_ = true;
  for (std::size_t start = bodyStart + 1; start < close;) {
    const std::size_t stop = std::min(text.find('\n', start), close);
    const std::string_view line = text.substr(start, stop - start);
    if (line.empty() || line.front() != '<' || line.back() != '>') oneElementPerLine_ = false;
    elements_.push_back(line);
    start = stop + 1;
  }
}

std::optional<PexServePicturePatch> PexServePicture::PatchFrom(const PexServePicture& before,
                                                               std::size_t maxEdits) const {
  if (!oneElementPerLine_ || !before.oneElementPerLine_ || head_ != before.head_)
    return std::nullopt;
  // Common ends first: the search then runs over what changed only.
  const std::size_t shorter = std::min(elements_.size(), before.elements_.size());
  std::size_t prefix = 0;
  while (prefix < shorter && elements_[prefix] == before.elements_[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         elements_[elements_.size() - 1 - suffix] == before.elements_[before.elements_.size() - 1 - suffix])
    ++suffix;
  const Lines a(before.elements_.begin() + prefix, before.elements_.end() - suffix);
  const Lines b(elements_.begin() + prefix, elements_.end() - suffix);
  // Lines found on one side only must each be removed or inserted: when
  // they alone are too many, the search is not worth starting.
  const std::unordered_set<std::string_view> inA(a.begin(), a.end()), inB(b.begin(), b.end());
  const auto onlyIn = [](const Lines& lines, const std::unordered_set<std::string_view>& other) {
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [&](std::string_view line) { return !other.count(line); }));
  };
  if (onlyIn(a, inB) + onlyIn(b, inA) > maxEdits) return std::nullopt;
  std::optional<std::vector<PexServePictureEdit>> edits = ShortestEdits(a, b, maxEdits);
  if (!edits) return std::nullopt;

  PexServePicturePatch patch;
  std::size_t inNew = 0;  // the next line of `b` to insert
  std::size_t shift = 0;  // lines of `b` minus lines of `a` before the current edit
  for (PexServePictureEdit& edit : *edits) {
    inNew = edit.at + shift;
    for (std::size_t i = 0; i < edit.inserted; ++i) patch.lines.append(b[inNew + i]).append("\n");
    shift += edit.inserted;
    shift -= edit.removed;
    edit.at += prefix;
    patch.edits.push_back(edit);
  }
  return patch;
}
