#pragma once
// A picture of the viewer as the page gets it, and the change from one
// picture to the next. The renderer writes the <svg> line, then one element
// per line, then the closing line; a step that moves one node changes a few
// of thousands of lines, so the page is sent the edits of its elements
// rather than the whole picture to parse again.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PexServeEdits.h"

// `at` counts elements of the older picture.
using PexServePictureEdit = PexServeEdit;

struct PexServePicturePatch {
  std::vector<PexServePictureEdit> edits;  // by position, none overlapping
  std::string lines;                       // the inserted elements, one per line, in order
};

class PexServePicture {
 public:
  PexServePicture();
  explicit PexServePicture(std::string svg);

  const std::string& Text() const { return *text_; }
  // The lines between the <svg> line and the closing tag.
  const std::vector<std::string_view>& Elements() const { return elements_; }
  std::size_t ElementCount() const { return elements_.size(); }

  // The edits that turn the elements of `before` into this picture's. Empty
  // when the two are not drawn in the same frame (or not as one element per
  // line), or when more than `maxEdits` elements differ: the whole picture
  // is the cheaper answer then.
  std::optional<PexServePicturePatch> PatchFrom(const PexServePicture& before,
                                                std::size_t maxEdits) const;

 private:
  // Shared and never changed, so that the views into it stay valid when the
  // picture is copied or moved.
  std::shared_ptr<const std::string> text_;
  std::string_view head_;  // everything up to and including the <svg> line
  std::vector<std::string_view> elements_;
  bool oneElementPerLine_ = false;
};
