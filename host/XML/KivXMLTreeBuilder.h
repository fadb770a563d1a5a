#pragma once
// Builds a KivXMLTree from Xerces SAX2 events, with the source line of every
// node. It is also the parser's error handler (the first error stops the
// parse) and its entity resolver: outside validation nothing external is
// read; when validating, grammars are read from local files only, never from
// a network.
#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/util/XMLEntityResolver.hpp>

#include "KivXMLTree.h"

class KivXMLTreeBuilder : public XERCES_CPP_NAMESPACE::DefaultHandler,
                          public XERCES_CPP_NAMESPACE::XMLEntityResolver {
 public:
  // `maxTextBytes` bounds the text the tree may hold, against documents
  // whose entities expand far beyond their size.
  KivXMLTreeBuilder(bool allowLocalGrammars, std::size_t maxTextBytes);

  std::unique_ptr<KivXMLTree> TakeTree() { return std::move(tree_); }
  // Warnings the parser reported (they do not stop it), one per line.
  const std::string& Warnings() const { return warnings_; }

  struct Error {
    std::string source;  // the entity it happened in; empty for the document
    int line = 0;
    int column = 0;
    std::string message;
  };
  // Whether the parser reported an error, and the first one.
  bool Failed() const { return failed_; }
  const Error& FirstError() const { return error_; }

  // ContentHandler
  void setDocumentLocator(const XERCES_CPP_NAMESPACE::Locator* locator) override;
  void startElement(const XMLCh* uri, const XMLCh* localName, const XMLCh* qName,
                    const XERCES_CPP_NAMESPACE::Attributes& attributes) override;
  void endElement(const XMLCh* uri, const XMLCh* localName, const XMLCh* qName) override;
  void characters(const XMLCh* chars, XMLSize_t length) override;
  void ignorableWhitespace(const XMLCh* chars, XMLSize_t length) override;
  void processingInstruction(const XMLCh* target, const XMLCh* data) override;
  void endDocument() override;

  // LexicalHandler
  void comment(const XMLCh* chars, XMLSize_t length) override;
  void startCDATA() override;
  void endCDATA() override;
  void startDTD(const XMLCh* name, const XMLCh* publicId, const XMLCh* systemId) override;
  void endDTD() override;

  // DeclHandler: the general entities the document declares.
  void internalEntityDecl(const XMLCh* name, const XMLCh* value) override;
  void externalEntityDecl(const XMLCh* name, const XMLCh* publicId, const XMLCh* systemId) override;
  const std::set<std::string, std::less<>>& DeclaredEntities() const { return entities_; }
  // Whether the DOCTYPE names an external DTD.
  bool HasExternalSubset() const { return externalSubset_; }

  // ErrorHandler: the first error or fatal error is kept and fails the parse.
  void warning(const XERCES_CPP_NAMESPACE::SAXParseException& e) override;
  void error(const XERCES_CPP_NAMESPACE::SAXParseException& e) override;
  void fatalError(const XERCES_CPP_NAMESPACE::SAXParseException& e) override;

  // XMLEntityResolver (the SAX resolver overload stays as DefaultHandler has it)
  using XERCES_CPP_NAMESPACE::DefaultHandler::resolveEntity;
  XERCES_CPP_NAMESPACE::InputSource* resolveEntity(
      XERCES_CPP_NAMESPACE::XMLResourceIdentifier* resource) override;

 private:
  KivXMLTree::Index Append(int type);
  void AddText(const XMLCh* chars, XMLSize_t length);
  void AccountText(std::size_t bytes);
  [[noreturn]] void Stop(const std::string& message);
  void Record(const XERCES_CPP_NAMESPACE::SAXParseException& e);

  std::unique_ptr<KivXMLTree> tree_;
  const XERCES_CPP_NAMESPACE::Locator* locator_ = nullptr;
  KivXMLTree::Index current_ = KivXMLTree::kDocument;
  bool inDTD_ = false;
  bool inCDATA_ = false;
  bool startNewText_ = false;  // a CDATA boundary separates text nodes
  bool allowLocalGrammars_;
  std::size_t maxTextBytes_;
  std::size_t textBytes_ = 0;
  std::string scratch_;
  std::string warnings_;
  bool failed_ = false;
  bool externalSubset_ = false;
  std::set<std::string, std::less<>> entities_;
  Error error_;
};
