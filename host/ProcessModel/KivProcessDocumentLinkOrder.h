#pragma once
// The order in which a saved document lists the precedence links of one
// level. The reader makes the links in file order, and a node's successors
// and predecessors are kept in the order their links were made; so the file
// must list the links in an order that respects both: each node's outgoing
// links in its successor order and its incoming links in its predecessor
// order. Such an order always exists (the order the links were once made in
// is one); among them the one closest to the model's listing (by source node)
// is chosen, so the result depends only on the document.
#include <vector>

#include "KivProcessDocument.h"

// `links`: the links of one level as the model lists them. Returns the same
// links, reordered; linear in the number of links (plus a log factor).
std::vector<KivSPPPrecedence> KivProcessDocumentLinkOrder(
    const std::vector<KivSPPPrecedence>& links);
