#include "MoxStatusBarRows.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include "KivIDOMElement.h"
#include "MoxPexTraces.h"
#include "MoxZitBltConfiguration.h"

namespace {
// The number a text holds in full, if any.
std::optional<double> Number(const KivUnicodeString& text) {
  const std::string s = text.ConvertToUTF8();
  if (s.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(s.c_str(), &end);
  if (*end != '\0' || errno == ERANGE || !std::isfinite(value)) return std::nullopt;
  return value;
}

// A threshold attribute: absent is no threshold; a text that is no number is
// traced and ignored.
std::optional<double> Threshold(KivIDOMElement* element, const char* name) {
  if (!element->HasAttribute(name)) return std::nullopt;
  const KivUnicodeString text = element->GetAttribute(name);
  std::optional<double> value = Number(text);
  if (!value)
    MoxZitBltModelTrace().Print("status-bar file, line %d: %s \"%s\" is not a number",
                                element->GetLineNumber(), name, text.ConvertToUTF8().c_str());
  return value;
}

// What one CycleTime or Attribute element asks for, read once.
struct RowSource {
  bool cycleTime = false;
  KivUnicodeString name;  // of the attribute; empty for the cycle time
  KivUnicodeString label;
  KivUnicodeString unit;
  std::optional<double> warning;
  std::optional<double> limit;
};

std::optional<RowSource> SourceOf(KivIDOMElement* element) {
  const KivUnicodeString tag = element->GetTagName();
  RowSource source;
  source.cycleTime = tag.EqualsAscii("CycleTime");
  if (!source.cycleTime && !tag.EqualsAscii("Attribute")) return std::nullopt;
  if (!source.cycleTime) source.name = element->GetAttribute("Name");
  if (!source.cycleTime && source.name.IsEmpty()) {
    MoxZitBltModelTrace().Print("status-bar file, line %d: an Attribute without a Name",
                                element->GetLineNumber());
    return std::nullopt;
  }
  source.label = element->GetAttribute("Label");
  if (source.label.IsEmpty())
    source.label = source.cycleTime ? KivUnicodeString("Cycle time") : source.name;
  source.unit = element->GetAttribute("Unit");
  source.warning = Threshold(element, "Warning");
  source.limit = Threshold(element, "Limit");
  return source;
}

std::optional<MoxStatusBarRow> RowOf(const RowSource& source,
                                     const MoxStatusBarRows::ValueOf& valueOf) {
  const std::optional<KivUnicodeString> value = valueOf(source.name);
  if (!value) return std::nullopt;
  MoxStatusBarRow row;
  row.text = source.label + KivUnicodeString(": ") + *value;
  if (!source.unit.IsEmpty()) row.text = row.text + KivUnicodeString(" ") + source.unit;
  const std::optional<double> number = Number(*value);
  if (number && source.limit && *number > *source.limit) {
    row.marked = true;
    row.text = row.text + KivUnicodeString(" (over limit)");
  } else if (number && source.warning && *number > *source.warning) {
    row.marked = true;
  }
  return row;
}

std::vector<RowSource> ReadSources(KivIDOMDocument* document, const KivUnicodeString& zitBlt) {
  std::vector<RowSource> sources;
  for (const KivIDOMElement_var& bar : document->GetElementsByTagName("StatusBar")) {
    if (!bar || bar->GetAttribute("Name") != zitBlt) continue;
    for (const KivIDOMElement_var& element : bar->GetChildElements())
      if (element)
        if (std::optional<RowSource> source = SourceOf(element))
          sources.push_back(std::move(*source));
  }
  return sources;
}

// The rows a button's name asks for. Those of the configuration file are
// read once per parse of it: every status-bar list of a level asks the same
// few questions. Other documents are read into `scratch`.
const std::vector<RowSource>& SourcesOf(KivIDOMDocument* document, const KivUnicodeString& zitBlt,
                                        std::vector<RowSource>& scratch) {
  static unsigned long readFrom = 0;
  static std::unordered_map<KivUnicodeString, std::vector<RowSource>> byName;
  const unsigned long parse = MoxStatusBarConfiguration::ParseNumber();
  if (document != MoxStatusBarConfiguration::GetDocument().get() || parse == 0)
    return scratch = ReadSources(document, zitBlt);
  if (readFrom != parse) {
    byName.clear();
    readFrom = parse;
  }
  auto [at, added] = byName.try_emplace(zitBlt);
  if (added) at->second = ReadSources(document, zitBlt);
  return at->second;
}
}  // namespace

std::vector<MoxStatusBarRow> MoxStatusBarRows::Read(KivIDOMDocument* document,
                                                    const KivUnicodeString& zitBlt,
                                                    const ValueOf& valueOf) {
  std::vector<MoxStatusBarRow> rows;
  if (!document || zitBlt.IsEmpty()) return rows;
  std::vector<RowSource> scratch;
  for (const RowSource& source : SourcesOf(document, zitBlt, scratch))
    if (std::optional<MoxStatusBarRow> row = RowOf(source, valueOf)) rows.push_back(*row);
  return rows;
}
