#include "PexServePicture.h"

#include <algorithm>

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
  std::optional<PexServeEdits> edits = PexServeEditsBetween(before.elements_, elements_, maxEdits);
  if (!edits) return std::nullopt;
  PexServePicturePatch patch;
  patch.edits = std::move(edits->edits);
  for (const std::size_t line : edits->inserted) patch.lines.append(elements_[line]).append("\n");
  return patch;
}
