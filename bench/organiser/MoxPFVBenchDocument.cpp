#include "MoxPFVBenchDocument.h"

#include <vector>

#include "KivProcessDocumentWriter.h"

MoxPFVBenchDocument MoxPFVMakeOneLevelDocument(const MoxPFVBenchGraph& graph) {
  MoxPFVBenchDocument level;
  level.document = KivProcessDocument::Create();
  level.root = level.document->CreateRootActivity("Line");
  std::vector<KivBaseUnknown_var> activities;
  activities.reserve(static_cast<size_t>(graph.nodeCount));
  for (int i = 0; i < graph.nodeCount; ++i) {
    activities.emplace_back(level.document->CreateActivity(
        level.root.get(), "BIWActivityStation", KivUnicodeString("S" + std::to_string(i))));
  }
  for (int from = 0; from < graph.nodeCount; ++from) {
    for (int k = graph.first[static_cast<size_t>(from)];
         k < graph.first[static_cast<size_t>(from) + 1]; ++k) {
      const auto to = static_cast<size_t>(graph.targets[static_cast<size_t>(k)]);
      if (level.document->AddPrecedence(activities[static_cast<size_t>(from)].get(),
                                        activities[to].get()) == S_OK) {
        ++level.links;
      }
    }
  }
  return level;
}

bool MoxPFVWriteOneLevelDocument(int size, const std::string& path, std::string& error) {
  MoxPFVBenchDocument level = MoxPFVMakeOneLevelDocument(MoxPFVRandomLevel(size, 42));
  return SUCCEEDED(
      KivProcessDocumentWriter::SaveFile(*level.document, KivUnicodeString(path), error));
}
