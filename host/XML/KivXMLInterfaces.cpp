// Identifiers of the XML framework's interfaces and builder class.
#include "KivIXMLDOMDocumentBuilder.h"
#include "KivInterfaceRegistry.h"

KIV_DEFINE_IID_BY_NAME(KivIDOMNode);
KIV_DEFINE_IID_BY_NAME(KivIDOMElement);
KIV_DEFINE_IID_BY_NAME(KivIDOMDocument);
KIV_DEFINE_IID_BY_NAME(KivIXMLDOMDocumentBuilder);
constinit const CLSID CLSID_XML4C_DOM = KivGUID::Literal("{6F1C2A40-9B3E-4D7A-8E21-5C0D3B9A7F12}");
