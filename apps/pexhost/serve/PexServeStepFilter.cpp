#include "PexServeStepFilter.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "KivPathSearch.h"

namespace {
bool EndsWithXml(const std::string& name) {
  if (name.size() <= 4) return false;
  std::string extension = name.substr(name.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".xml";
}
}  // namespace

bool PexServeStepFilter::Admit(const std::string& line, const std::string& documentPath,
                               PexScriptStep& step, std::string& error) {
  if (line.find_first_of("\r\n") != std::string::npos) {
    error = "one step per request";
    return false;
  }
  std::vector<std::string> words;
  if (!PexScriptParser::SplitLine(line, words, error)) return false;
  if (words.empty()) {
    error = "no step given";
    return false;
  }
  step = {1, words[0], {words.begin() + 1, words.end()}};
  if (step.verb == "open") {
    error = "open: this server serves one document; start another pexhost serve for another";
    return false;
  }
  if (step.verb == "render") {
    error = "render: the page draws the viewer itself; pexhost view writes pictures";
    return false;
  }
  if (step.verb == "save") {
    if (step.args.size() > 1) {
      error = "save: give at most one file name";
      return false;
    }
    if (step.args.empty()) {
      if (documentPath.empty()) {
        error = "save: the document has no file yet; give a file name";
        return false;
      }
      step.args = {documentPath};
      return true;
    }
    const std::string& name = step.args[0];
    if (!KivIsPlainFileName(name) || !EndsWithXml(name)) {
      error = "save: give a plain file name ending in .xml; it is written beside the document";
      return false;
    }
    const std::size_t slash = documentPath.find_last_of('/');
    step.args[0] = (slash == std::string::npos ? std::string() : documentPath.substr(0, slash + 1)) +
                   name;
  }
  return true;
}
