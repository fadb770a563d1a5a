#include "MoxStatusBarRows.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "KivIDOMElement.h"
#include "MoxPexTraces.h"

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

std::optional<MoxStatusBarRow> RowOf(KivIDOMElement* element,
                                     const MoxStatusBarRows::ValueOf& valueOf) {
  const KivUnicodeString tag = element->GetTagName();
  const bool cycleTime = tag == KivUnicodeString("CycleTime");
  if (!cycleTime && tag != KivUnicodeString("Attribute")) return std::nullopt;
  const KivUnicodeString name = cycleTime ? KivUnicodeString() : element->GetAttribute("Name");
  if (!cycleTime && name.IsEmpty()) {
    MoxZitBltModelTrace().Print("status-bar file, line %d: an Attribute without a Name",
                                element->GetLineNumber());
    return std::nullopt;
  }
  const std::optional<KivUnicodeString> value = valueOf(name);
  if (!value) return std::nullopt;
  KivUnicodeString label = element->GetAttribute("Label");
  if (label.IsEmpty()) label = cycleTime ? KivUnicodeString("Cycle time") : name;
  const KivUnicodeString unit = element->GetAttribute("Unit");
  MoxStatusBarRow row;
  row.text = label + KivUnicodeString(": ") + *value;
  if (!unit.IsEmpty()) row.text = row.text + KivUnicodeString(" ") + unit;
  const std::optional<double> number = Number(*value);
  const std::optional<double> warning = Threshold(element, "Warning");
  const std::optional<double> limit = Threshold(element, "Limit");
  if (number && limit && *number > *limit) {
    row.marked = true;
    row.text = row.text + KivUnicodeString(" (over limit)");
  } else if (number && warning && *number > *warning) {
    row.marked = true;
  }
  return row;
}
}  // namespace

std::vector<MoxStatusBarRow> MoxStatusBarRows::Read(KivIDOMDocument* document,
                                                    const KivUnicodeString& zitBlt,
                                                    const ValueOf& valueOf) {
  std::vector<MoxStatusBarRow> rows;
  if (!document || zitBlt.IsEmpty()) return rows;
  for (const KivIDOMElement_var& bar : document->GetElementsByTagName("StatusBar")) {
    if (!bar || bar->GetAttribute("Name") != zitBlt) continue;
    for (const KivIDOMElement_var& element : bar->GetChildElements())
      if (element)
        if (std::optional<MoxStatusBarRow> row = RowOf(element, valueOf)) rows.push_back(*row);
  }
  return rows;
}
