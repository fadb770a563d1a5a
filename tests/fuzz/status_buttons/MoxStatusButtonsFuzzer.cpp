// Feeds arbitrary bytes to the XML builder and walks the document as the
// status buttons do. Every ActivityType value is selected and every selected
// ZitBlt read: a selected ZitBlt must lie below a block of exactly that type.
// The status bars of every StatusBar name are read as a status-bar list does,
// for an activity whose values are no numbers: such a row is never marked.
#include "../KivFuzz.h"
#include "KivIXMLDOMDocumentBuilder.h"
#include "MoxStatusBarRows.h"
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
  Require(SUCCEEDED(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder)));
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
      Require(zitBlt->GetTagName() == KivUnicodeString("ZitBlt") &&
              BelowBlockOfType(zitBlt.get(), type));
      Require(MoxZitBltConfiguration::ReadZitBlt(zitBlt).name == zitBlt->GetAttribute("Name"));
      MoxZitBltUpdateData update;
      MoxZitBltConfiguration::ReadUpdateData(zitBlt, update);
    }
  }
  const auto valueOf = [](const KivUnicodeString&) -> std::optional<KivUnicodeString> {
    return KivUnicodeString("n/a");
  };
  for (const auto& bar : document->GetElementsByTagName("StatusBar"))
    for (const MoxStatusBarRow& row :
         MoxStatusBarRows::Read(document, bar->GetAttribute("Name"), valueOf))
      Require(!row.marked);
  return 0;
}
