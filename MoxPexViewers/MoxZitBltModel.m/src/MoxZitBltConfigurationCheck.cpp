#include "MoxZitBltConfigurationCheck.h"

#include <cstdio>
#include <map>
#include <utility>

#include "MoxPexTraces.h"

namespace {
constexpr const char* kLocations[] = {"lefttop",     "leftmiddle",  "leftbottom",   "righttop",
                                      "rightmiddle", "rightbottom", "topleft",      "topmiddle",
                                      "topright",    "bottomleft",  "bottommiddle", "bottomright"};

class Warnings {
 public:
  explicit Warnings(std::string path) : path_(std::move(path)) {}
  void Add(KivIDOMNode* node, const std::string& text) {
    lines_.push_back(path_ + ":" + std::to_string(node ? node->GetLineNumber() : 0) +
                     ": warning: " + text);
  }
  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  std::string path_;
  std::vector<std::string> lines_;
};

void CheckRoot(KivIDOMDocument* document, const char* expected, Warnings& warnings) {
  KivIDOMElement_var root = document->GetDocumentElement();
  if (root && root->GetTagName() != KivUnicodeString(expected))
    warnings.Add(root.get(), "the root element is <" + root->GetTagName().ConvertToUTF8() +
                                 ">, not <" + expected + ">: is this the right file?");
}

bool IsLocation(const std::string& location) {
  for (const char* known : kLocations)
    if (location == known) return true;
  return false;
}
}  // namespace

std::vector<std::string> MoxZitBltConfigurationCheck::CheckZitBltFile(KivIDOMDocument* document,
                                                                      const std::string& path) {
  Warnings warnings(path);
  if (!document) return warnings.Take();
  CheckRoot(document, "ZitBltConfiguration", warnings);
  // The names already given per activity type, with the line of the first.
  std::map<std::string, std::map<std::string, int>> names;
  for (const KivIDOMElement_var& block : document->GetElementsByTagName("ActivityZitBlt")) {
    const std::string type = block->GetAttribute("ActivityType").ConvertToUTF8();
    for (const KivIDOMElement_var& zitBlt : block->GetElementsByTagName("ZitBlt")) {
      const std::string name = zitBlt->GetAttribute("Name").ConvertToUTF8();
      const std::string location = zitBlt->GetAttribute("Location").ConvertToUTF8();
      const std::string button = "ZitBlt \"" + name + "\"";
      if (location.empty())
        warnings.Add(zitBlt.get(),
                     button + " has no Location: the button sits at the node's centre");
      else if (!IsLocation(location))
        warnings.Add(zitBlt.get(), button + ": unknown Location \"" + location +
                                       "\": the button sits at the node's centre");
      const auto [first, added] = names[type].emplace(name, zitBlt->GetLineNumber());
      if (!added)
        warnings.Add(zitBlt.get(), button + " is named twice for activity type \"" + type +
                                       "\" (first on line " + std::to_string(first->second) +
                                       "): only one of them is found by name");
    }
  }
  return warnings.Take();
}

std::vector<std::string> MoxZitBltConfigurationCheck::CheckStatusBarFile(KivIDOMDocument* document,
                                                                         const std::string& path) {
  Warnings warnings(path);
  if (document) CheckRoot(document, "StatusBarConfiguration", warnings);
  return warnings.Take();
}

void MoxZitBltConfigurationCheck::Report(const std::vector<std::string>& warnings) {
  for (const std::string& line : warnings) {
    std::fprintf(stderr, "%s\n", line.c_str());
    MoxZitBltModelTrace().Write(line);
  }
  if (!warnings.empty()) std::fflush(stderr);
}
