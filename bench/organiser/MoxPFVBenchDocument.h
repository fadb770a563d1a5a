#pragma once
// A process document whose root holds one level: the generated graph's nodes
// as stations "S0", "S1", ... in child order, linked as the graph says, none
// placed. The organiser benchmarks and the whole-viewer benchmark use it, so
// that their figures are on the same graphs as the layout core's.
#include <string>

#include "KivProcessDocument.h"
#include "MoxPFVBenchGraphs.h"

struct MoxPFVBenchDocument {
  KivVar<KivProcessDocument> document;
  KivBaseUnknown_var root;
  int links = 0;  // precedence links made
};

MoxPFVBenchDocument MoxPFVMakeOneLevelDocument(const MoxPFVBenchGraph& graph);
// Writes the document of MoxPFVRandomLevel(size, 42) to `path`; false (with
// `error` set) when it cannot be written.
bool MoxPFVWriteOneLevelDocument(int size, const std::string& path, std::string& error);
