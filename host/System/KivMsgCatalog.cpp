#include "KivMsgCatalog.h"

#include <fstream>
#include <optional>
#include <string>

#include "KivEnvironment.h"
#include "KivPathSearch.h"
#include "KivSystemTrace.h"

namespace {
std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char next = s[i + 1];
      if (next == 'n' || next == 't' || next == '\\') {
        out += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
        ++i;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

// The text of the key in the catalogue file, if the file defines it.
std::optional<std::string> LookUp(const std::string& path, const std::string& key) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::optional<std::string> found;
  std::string line;
  while (std::getline(in, line)) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    const auto eq = trimmed.find('=');
    if (eq == std::string::npos) continue;
    if (Trim(trimmed.substr(0, eq)) == key) found = Unescape(Trim(trimmed.substr(eq + 1)));
  }
  return found;
}
}  // namespace

KivUnicodeString KivMsgCatalog::BuildMessage(const KivString& catalogName, const KivString& key,
                                             const KivUnicodeString& defaultText,
                                             const std::vector<KivUnicodeString>& parameters) {
  const std::string& name = catalogName.str();
  if (!KivIsPlainFileName(name)) {
    KivSystemTrace().Print("KivMsgCatalog: \"%s\" is not a catalogue name; default text used",
                           name.c_str());
    return Substitute(defaultText, parameters);
  }
  const KivString path = KivFindPath(KivString(name + ".kivmsg"), KivGetEnv("KivStartupPath"));
  if (path.IsEmpty()) {
    KivSystemTrace().Print("KivMsgCatalog: catalogue \"%s\" not found; default text for \"%s\"",
                           name.c_str(), key.c_str());
    return Substitute(defaultText, parameters);
  }
  const std::optional<std::string> text = LookUp(path.str(), key.str());
  if (!text) {
    KivSystemTrace().Print("KivMsgCatalog: key \"%s\" not in %s; default text used", key.c_str(),
                           path.c_str());
    return Substitute(defaultText, parameters);
  }
  return Substitute(KivUnicodeString(*text), parameters);
}

KivUnicodeString KivMsgCatalog::Substitute(const KivUnicodeString& text,
                                           const std::vector<KivUnicodeString>& parameters) {
  const std::u32string& in = text.Characters();
  std::u32string out;
  for (std::size_t i = 0; i < in.size();) {
    if (in[i] == U'/' && i + 2 < in.size() && in[i + 1] == U'P' && in[i + 2] >= U'0' &&
        in[i + 2] <= U'9') {
      std::size_t end = i + 2;
      std::size_t number = 0;
      while (end < in.size() && in[end] >= U'0' && in[end] <= U'9' && number < 100000) {
        number = number * 10 + static_cast<std::size_t>(in[end] - U'0');
        ++end;
      }
      if (number >= 1 && number <= parameters.size()) {
        out += parameters[number - 1].Characters();
        i = end;
        continue;
      }
    }
    out += in[i];
    ++i;
  }
  return KivUnicodeString(std::move(out));
}
