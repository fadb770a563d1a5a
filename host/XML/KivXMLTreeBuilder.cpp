#include "KivXMLTreeBuilder.h"

#include <algorithm>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/util/XMLResourceIdentifier.hpp>

#include "KivIDOMNode.h"
#include "KivSafeFile.h"
#include "KivXMLUTF.h"

XERCES_CPP_NAMESPACE_USE

namespace {
constexpr std::size_t kMaxWarningBytes = 8192;

std::string WithoutFileScheme(std::string uri) {
  if (uri.rfind("file://", 0) == 0) uri.erase(0, 7);
  return uri;
}
}  // namespace

KivXMLTreeBuilder::KivXMLTreeBuilder(bool allowLocalGrammars, std::size_t maxTextBytes)
    : tree_(std::make_unique<KivXMLTree>()),
      allowLocalGrammars_(allowLocalGrammars),
      maxTextBytes_(maxTextBytes) {}

void KivXMLTreeBuilder::Stop(const std::string& message) {
  const std::u16string text = KivXMLFromUTF8(message);
  if (locator_) throw SAXParseException(KivXMLChars(text), *locator_);
  throw SAXParseException(KivXMLChars(text), nullptr, nullptr, 0, 0);
}

KivXMLTree::Index KivXMLTreeBuilder::Append(int type) {
  if (tree_->Size() >= KivXMLTree::kNone - 1) Stop("the document has too many nodes");
  const KivXMLTree::Index index = tree_->AppendChild(current_, type);
  if (locator_) {
    tree_->nodes[index].line = static_cast<std::uint32_t>(locator_->getLineNumber());
    tree_->nodes[index].column = static_cast<std::uint32_t>(locator_->getColumnNumber());
  }
  return index;
}

void KivXMLTreeBuilder::AccountText(std::size_t bytes) {
  textBytes_ += bytes;
  if (textBytes_ > maxTextBytes_)
    Stop("the document expands to more than " + std::to_string(maxTextBytes_) +
         " bytes of text; entity expansion refused");
}

void KivXMLTreeBuilder::setDocumentLocator(const Locator* locator) { locator_ = locator; }

void KivXMLTreeBuilder::startElement(const XMLCh*, const XMLCh*, const XMLCh* qName,
                                     const Attributes& attributes) {
  const KivXMLTree::Index index = Append(KivIDOMNode::ELEMENT_NODE);
  scratch_.clear();
  KivXMLAppendUTF8(scratch_, qName, XMLString::stringLen(qName));
  const KivXMLTree::Index name = tree_->InternName(scratch_);
  const auto first = static_cast<KivXMLTree::Index>(tree_->attributes.size());
  const XMLSize_t count = attributes.getLength();
  for (XMLSize_t i = 0; i < count; ++i) {
    scratch_.clear();
    const XMLCh* attributeName = attributes.getQName(i);
    KivXMLAppendUTF8(scratch_, attributeName, XMLString::stringLen(attributeName));
    KivXMLTree::Attribute& attribute = tree_->attributes.emplace_back();
    attribute.name = tree_->InternName(scratch_);
    const XMLCh* value = attributes.getValue(i);
    KivXMLAppendUTF8(attribute.value, value, XMLString::stringLen(value));
    AccountText(attribute.value.size());
  }
  KivXMLTree::Node& node = tree_->nodes[index];
  node.name = name;
  node.firstAttribute = first;
  node.attributeCount = static_cast<KivXMLTree::Index>(count);
  current_ = index;
}

void KivXMLTreeBuilder::endElement(const XMLCh*, const XMLCh*, const XMLCh*) {
  KivXMLTree::Node& node = tree_->nodes[current_];
  node.subtreeEnd = static_cast<KivXMLTree::Index>(tree_->Size() - 1);
  current_ = node.parent;
}

void KivXMLTreeBuilder::AddText(const XMLCh* chars, XMLSize_t length) {
  if (inDTD_ || length == 0) return;
  const int type = inCDATA_ ? KivIDOMNode::CDATA_SECTION_NODE : KivIDOMNode::TEXT_NODE;
  // The parser hands text over in pieces (around entity references, buffer
  // ends); consecutive pieces form one node, as in a DOM.
  KivXMLTree::Index last = tree_->nodes[current_].lastChild;
  if (startNewText_ || last == KivXMLTree::kNone || tree_->nodes[last].type != type) {
    last = Append(type);
    startNewText_ = false;
  }
  std::string& value = tree_->nodes[last].value;
  const std::size_t before = value.size();
  KivXMLAppendUTF8(value, chars, length);
  AccountText(value.size() - before);
}

void KivXMLTreeBuilder::characters(const XMLCh* chars, XMLSize_t length) { AddText(chars, length); }

// Only reported while validating against a DTD; kept like any text so that
// the tree does not depend on the validation option.
void KivXMLTreeBuilder::ignorableWhitespace(const XMLCh* chars, XMLSize_t length) {
  AddText(chars, length);
}

void KivXMLTreeBuilder::processingInstruction(const XMLCh* target, const XMLCh* data) {
  if (inDTD_) return;
  const KivXMLTree::Index index = Append(KivIDOMNode::PROCESSING_INSTRUCTION_NODE);
  tree_->nodes[index].name = tree_->InternName(KivXMLToUTF8(target));
  tree_->nodes[index].value = KivXMLToUTF8(data);
  AccountText(tree_->nodes[index].value.size());
}

void KivXMLTreeBuilder::endDocument() {
  tree_->nodes[KivXMLTree::kDocument].subtreeEnd =
      static_cast<KivXMLTree::Index>(tree_->Size() - 1);
}

void KivXMLTreeBuilder::comment(const XMLCh* chars, XMLSize_t length) {
  if (inDTD_) return;
  const KivXMLTree::Index index = Append(KivIDOMNode::COMMENT_NODE);
  KivXMLAppendUTF8(tree_->nodes[index].value, chars, length);
  AccountText(tree_->nodes[index].value.size());
}

void KivXMLTreeBuilder::startCDATA() {
  inCDATA_ = true;
  startNewText_ = true;
}

void KivXMLTreeBuilder::endCDATA() {
  inCDATA_ = false;
  startNewText_ = true;
}

void KivXMLTreeBuilder::startDTD(const XMLCh* name, const XMLCh*, const XMLCh* systemId) {
  externalSubset_ = systemId && *systemId;
  const KivXMLTree::Index index = Append(KivIDOMNode::DOCUMENT_TYPE_NODE);
  tree_->nodes[index].name = tree_->InternName(KivXMLToUTF8(name));
  inDTD_ = true;
}

void KivXMLTreeBuilder::endDTD() { inDTD_ = false; }

// Parameter entities ("%name") are not referenced from the document's text.
void KivXMLTreeBuilder::internalEntityDecl(const XMLCh* name, const XMLCh*) {
  if (name && *name != u'%') entities_.insert(KivXMLToUTF8(name));
}

void KivXMLTreeBuilder::externalEntityDecl(const XMLCh* name, const XMLCh*, const XMLCh*) {
  if (name && *name != u'%') entities_.insert(KivXMLToUTF8(name));
}

void KivXMLTreeBuilder::warning(const SAXParseException& e) {
  if (warnings_.size() > kMaxWarningBytes) return;
  warnings_ += std::to_string(e.getLineNumber()) + ":" + std::to_string(e.getColumnNumber()) +
               ": " + KivXMLToUTF8(e.getMessage()) + "\n";
}

// Errors are recorded rather than thrown: the scanner stops by itself after
// a fatal error, and unwinding through it from here leaks what it holds.
void KivXMLTreeBuilder::error(const SAXParseException& e) { Record(e); }

void KivXMLTreeBuilder::fatalError(const SAXParseException& e) { Record(e); }

void KivXMLTreeBuilder::Record(const SAXParseException& e) {
  if (failed_) return;  // the first error is the cause; later ones follow from it
  failed_ = true;
  error_.message = KivXMLToUTF8(e.getMessage());
  error_.line = static_cast<int>(e.getLineNumber());
  error_.column = static_cast<int>(e.getColumnNumber());
  error_.source = KivXMLToUTF8(e.getSystemId());
}

InputSource* KivXMLTreeBuilder::resolveEntity(XMLResourceIdentifier* resource) {
  const std::string systemId = KivXMLToUTF8(resource->getSystemId());
  if (!allowLocalGrammars_)
    Stop("external resource '" + systemId + "' refused: documents are read without external " +
         "entities");
  std::string path = WithoutFileScheme(systemId);
  if (path.find("://") != std::string::npos)
    Stop("external resource '" + systemId + "' refused: only local files are read");
  if (path.empty() || path.front() != '/') {
    const std::string base = WithoutFileScheme(KivXMLToUTF8(resource->getBaseURI()));
    const std::size_t slash = base.rfind('/');
    if (slash != std::string::npos) path = base.substr(0, slash + 1) + path;
  }
  std::string bytes;
  std::string failure;
  if (!KivSafeFile::Read(path, bytes, failure))
    Stop("external resource '" + path + "': " + failure);
  // The input source owns its copy and releases it with delete[].
  auto buffer = std::make_unique<XMLByte[]>(bytes.size() + 1);
  std::copy(bytes.begin(), bytes.end(), buffer.get());
  const std::u16string id = KivXMLFromUTF8(path);
  return new MemBufInputSource(buffer.release(), bytes.size(), KivXMLChars(id), true);
}
