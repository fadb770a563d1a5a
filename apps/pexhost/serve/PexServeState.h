#pragma once
// The state a served page draws, as one JSON object: the document and its
// levels (for the level chooser), the current viewer's nodes and buttons
// (the listing of `pexhost view --json`) with the frame of its picture, the
// pointer's cursor, the running command, the shown dialogs, the open
// contextual menu and the messages the user has not acknowledged yet. docs/serve.md describes it.
//
// The levels and the viewer's nodes are the large parts (some 850 KB on a
// level of 1,000 stations). The writer keeps those of the last state it
// wrote, so that a page holding that state can be sent what changed: the
// levels only when they differ, the nodes as edits of its list.
#include <cstddef>
#include <optional>
#include <string>

#include "KivPictureFrame.h"
#include "PexSession.h"

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
  // The whole state.
  std::string Write(PexSession& session, const PexServeStateInputs& inputs);
  // The state for a page that holds the one of revision `since`: when that
  // is the state written last, the levels are left out if they are the same
  // and the viewer's nodes are given as edits; otherwise the whole state.
  std::string WriteSince(PexSession& session, const PexServeStateInputs& inputs, long since);

 private:
  struct Written {
    long revision = -1;
    std::string levels;
    std::optional<PexViewerListing> viewer;
  };
  std::string Compose(PexSession& session, const PexServeStateInputs& inputs, const Written* base);

  Written last_;
};
