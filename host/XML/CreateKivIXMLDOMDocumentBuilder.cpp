#include "KivIXMLDOMDocumentBuilder.h"
#include "KivXMLDOMDocumentBuilder.h"

HRESULT CreateKivIXMLDOMDocumentBuilder(const CLSID& clsid,
                                        KivIXMLDOMDocumentBuilder_var& builder) {
  builder = NULL_var;
  if (clsid != CLSID_XML4C_DOM) return E_FAIL;
  auto created = KivMake<KivXMLDOMDocumentBuilder>();
  if (!created->IsReady()) return E_FAIL;  // Xerces did not initialise
  builder = created;
  return S_OK;
}
