#include "KivXMLEntityReferences.h"

namespace {
constexpr std::string_view kPredefined[] = {"lt", "gt", "amp", "apos", "quot"};

bool EndsName(char c) {
  return c == ';' || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'' || c == ' ' ||
         c == '\t' || c == '\r' || c == '\n';
}

// Skipped sections: what opens them and what closes them.
struct Section {
  std::string_view open;
  std::string_view close;
};
constexpr Section kSkipped[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
}  // namespace

std::optional<KivXMLEntityReference> KivXMLFindUndeclaredReference(
    std::string_view text, const std::set<std::string, std::less<>>& declared) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t next = text.find_first_of("<&", i);
    if (next == std::string_view::npos) break;
    i = next;
    if (text[i] == '<') {
      std::size_t end = i + 1;
      for (const Section& section : kSkipped) {
        if (text.compare(i, section.open.size(), section.open) != 0) continue;
        end = text.find(section.close, i + section.open.size());
        end = end == std::string_view::npos ? text.size() : end + section.close.size();
        break;
      }
      i = end;
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size() && !EndsName(text[end])) ++end;
    const std::string_view name = text.substr(i + 1, end - i - 1);
    const bool reference =
        end < text.size() && text[end] == ';' && !name.empty() && name.front() != '#';
    bool known = !reference || declared.find(name) != declared.end();
    for (std::string_view predefined : kPredefined) known = known || name == predefined;
    if (!known) return KivXMLEntityReference{std::string(name), i};
    i = end;
  }
  return std::nullopt;
}
