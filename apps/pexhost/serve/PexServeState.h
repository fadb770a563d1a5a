#pragma once
// The state a served page draws, as one JSON object: the document and its
// levels (for the level chooser), the current viewer's nodes and buttons
// (the listing of `pexhost view --json`) with the frame of its picture, the
// pointer's cursor, the running command, the shown dialogs, the open
// contextual menu and the messages the user has not acknowledged yet. docs/serve.md describes it.
#include <cstddef>
#include <string>

#include "KivPictureFrame.h"

class PexSession;

struct PexServeStateInputs {
  long revision = 0;
  // Messages of the log before this index have been acknowledged.
  std::size_t firstUnseenMessage = 0;
  // The frame of the current picture, when a viewer is drawn.
  const KivPictureFrame* frame = nullptr;
  // The revision that drew the current picture.
  long pictureRevision = 0;
};

class PexServeState {
 public:
  static std::string Write(PexSession& session, const PexServeStateInputs& inputs);
};
