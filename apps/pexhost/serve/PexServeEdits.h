#pragma once
// The change from one sequence of lines to the next as a few edits, each
// replacing a run of the older lines by a run of the newer ones. The page
// is sent these for the picture's elements and the viewer's nodes: a step
// that moves one node changes a few of thousands.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

struct PexServeEdit {
  std::size_t at = 0;        // the first line replaced, counted in the older sequence
  std::size_t removed = 0;   // how many lines of the older sequence go
  std::size_t inserted = 0;  // how many lines of the newer sequence come in their place
};

struct PexServeEdits {
  std::vector<PexServeEdit> edits;    // by position, none overlapping
  std::vector<std::size_t> inserted;  // the newer lines inserted, by index, in order
};

// The fewest edits that turn `before` into `after`, lines compared whole;
// empty when more than `maxEdits` lines would be removed or inserted.
std::optional<PexServeEdits> PexServeEditsBetween(const std::vector<std::string_view>& before,
                                                  const std::vector<std::string_view>& after,
                                                  std::size_t maxEdits);
