// Feeds arbitrary bytes to the XML builder and reads the status bars of
// every StatusBar name as a status-bar list does, for an activity whose
// values are no numbers: such a row is never marked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "KivIDOMElement.h"
#include "KivIXMLDOMDocumentBuilder.h"
#include "MoxStatusBarRows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  KivIXMLDOMDocumentBuilder_var builder;
  if (FAILED(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder))) std::abort();
  KivIDOMDocument_var document;
  if (FAILED(builder->ParseBuffer(reinterpret_cast<const char*>(data), size, "fuzz.xml", document,
                                  {}, {})) ||
      !document)
    return 0;
  const auto valueOf = [](const KivUnicodeString&) -> std::optional<KivUnicodeString> {
    return KivUnicodeString("n/a");
  };
  for (const auto& bar : document->GetElementsByTagName("StatusBar"))
    for (const MoxStatusBarRow& row :
         MoxStatusBarRows::Read(document, bar->GetAttribute("Name"), valueOf))
      if (row.marked) std::abort();
  return 0;
}
