// Feeds arbitrary text to the session script parser. What may never happen:
// a crash, a refused script that still hands out steps, a step numbered
// outside the script or out of order, a word holding a control character
// other than a tab, or steps that do not read back the same once their words
// are written quoted and escaped again.
#include "../KivFuzz.h"
#include "PexScriptParser.h"

namespace {
std::string Quoted(const std::string& word) {
  std::string text = "\"";
  for (const char c : word) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text + "\"";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = Text(data, size);
  const PexScriptParseResult result = PexScriptParser::Parse(text);
  int lines = 1;
  for (const char c : text) lines += c == '\n';
  if (!result.ok) {
    Require(result.steps.empty() && result.errorLine >= 1 && result.errorLine <= lines &&
            !result.error.empty());
    return 0;
  }
  std::string again;
  int previous = 0;
  for (const PexScriptStep& step : result.steps) {
    Require(step.line > previous && step.line <= lines);
    previous = step.line;
    again += Quoted(step.verb);
    for (const std::string& word : step.args) {
      for (const char c : word)
        Require(static_cast<unsigned char>(c) >= 0x20 || c == '\t');
      again += " " + Quoted(word);
    }
    again += "\n";
  }
  const PexScriptParseResult reread = PexScriptParser::Parse(again);
  Require(reread.ok && reread.steps.size() == result.steps.size());
  for (std::size_t i = 0; i < reread.steps.size(); ++i)
    Require(reread.steps[i].verb == result.steps[i].verb &&
            reread.steps[i].args == result.steps[i].args);
  return 0;
}
