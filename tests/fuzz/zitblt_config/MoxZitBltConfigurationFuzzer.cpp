// Feeds arbitrary bytes to the XML builder and walks the document as the
// status buttons do: every ActivityType value is selected, every selected
// ZitBlt read. A selected ZitBlt must lie below a block of exactly that type.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "KivIXMLDOMDocumentBuilder.h"
#include "MoxZitBltConfiguration.h"

namespace {
bool BelowBlockOfType(KivIDOMNode* node, const KivUnicodeString& type) {
  for (KivIDOMNode_var n = node->GetParentNode(); n; n = n->GetParentNode()) {
    KivIDOMElement_var element(n.get());
    if (element && element->GetTagName() == KivUnicodeString("ActivityZitBlt") &&
        element->GetAttribute("ActivityType") == type)
      return true;
  }
  return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  KivIXMLDOMDocumentBuilder_var builder;
  if (FAILED(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder))) std::abort();
  const KivListValKivUnicodeString names{KivUnicodeString(kKivXMLOptionDoValidation)};
  const KivListValKivUnicodeString values{KivUnicodeString("false")};
  KivIDOMDocument_var document;
  if (FAILED(builder->ParseBuffer(reinterpret_cast<const char*>(data), size, "fuzz.xml", document,
                                  names, values)) ||
      !document)
    return 0;
  for (const auto& block : document->GetElementsByTagName("ActivityZitBlt")) {
    const KivUnicodeString type = block->GetAttribute("ActivityType");
    for (const auto& zitBlt : MoxZitBltConfiguration::SelectZitBlts(document, type)) {
      if (zitBlt->GetTagName() != KivUnicodeString("ZitBlt") ||
          !BelowBlockOfType(zitBlt.get(), type))
        std::abort();
      const MoxZitBltEntry entry = MoxZitBltConfiguration::ReadZitBlt(zitBlt);
      if (entry.name != zitBlt->GetAttribute("Name")) std::abort();
      MoxZitBltUpdateData update;
      MoxZitBltConfiguration::ReadUpdateData(zitBlt, update);
    }
  }
  return 0;
}
