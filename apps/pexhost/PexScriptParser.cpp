#include "PexScriptParser.h"

#include <sstream>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
// Control characters other than the blanks, and DEL: never part of a word.
bool IsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 && !IsBlank(c)) || u == 0x7f;
}

const char* const kControl = "control character in the line";

bool Fail(std::string& error, const char* reason) {
  error = reason;
  return false;
}
}  // namespace

bool PexScriptParser::SplitLine(const std::string& line, std::vector<std::string>& words,
                                std::string& error) {
  words.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (IsBlank(c)) {
      ++i;
      continue;
    }
    if (c == '#') break;
    if (IsControl(c)) return Fail(error, kControl);
    std::string word;
    if (c == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char q = line[i++];
        // A carriage return is a blank only between words (the end of a
        // CRLF line); inside quotes it would end up in a file or object name.
        if (IsControl(q) || q == '\r') return Fail(error, kControl);
        if (q == '"') {
          closed = true;
          break;
        }
        if (q == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
          word += line[i++];
          continue;
        }
        word += q;
      }
      if (!closed) {
        error = "a quoted word is not closed";
        return false;
      }
      if (i < line.size() && !IsBlank(line[i]) && line[i] != '#') {
        error = "a quoted word must be followed by a blank";
        return false;
      }
    } else {
      while (i < line.size() && !IsBlank(line[i])) {
        if (line[i] == '"') return Fail(error, "a quote inside a word");
        if (IsControl(line[i])) return Fail(error, kControl);
        word += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return true;
}

PexScriptParseResult PexScriptParser::Parse(const std::string& text) {
  PexScriptParseResult result;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::vector<std::string> words;
    std::string error;
    if (!SplitLine(line, words, error)) {
      result.ok = false;
      result.errorLine = number;
      result.error = error;
      result.steps.clear();
      return result;
    }
    if (words.empty()) continue;
    PexScriptStep step;
    step.line = number;
    step.verb = words.front();
    step.args.assign(words.begin() + 1, words.end());
    result.steps.push_back(std::move(step));
  }
  return result;
}
