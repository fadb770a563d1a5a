#include "KivProcessDocumentReader.h"

#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "KivIGENode.h"
#include "KivIResource.h"
#include "KivISPPActivity.h"
#include "KivIXMLDOMDocumentBuilder.h"
#include "KivProcessDocumentFormat.h"

namespace fmt = KivProcessDocumentFormat;

std::string KivProcessDocumentError::ToString() const {
  std::string text = source;
  if (line > 0) text += ":" + std::to_string(line);
  if (!element.empty()) text += (text.empty() ? "" : ": ") + element;
  if (!message.empty()) text += (text.empty() ? "" : ": ") + message;
  return text;
}

namespace {

// The first fault found; thrown inside the loader only and turned into a
// KivProcessDocumentError before anything leaves the reader.
struct LoadFault {
  KivIDOMElement_var element;
  std::string message;
};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// One element of the file with the accessors the loader needs: its tag, its
// attributes as UTF-8 (read once: elements have a handful) and a check that
// no unknown attribute is present. It holds a handle: the parser's node
// components live only while handled.
class Element {
 public:
  explicit Element(KivIDOMElement_var element) : element_(std::move(element)) {
    tag_ = element_->GetTagName().ConvertToUTF8();
    const KivListValKivUnicodeString names = element_->GetAttributeNames();
    attributes_.reserve(static_cast<std::size_t>(names.Size()));
    for (int i = 1; i <= names.Size(); ++i)
      attributes_.emplace_back(names[i].ConvertToUTF8(),
                               element_->GetAttribute(names[i]).ConvertToUTF8());
  }
  const std::string& Tag() const { return tag_; }

  [[noreturn]] void Fail(std::string message) const {
    throw LoadFault{element_, std::move(message)};
  }

  void AllowOnly(std::initializer_list<std::string_view> allowed) const {
    for (const auto& [name, value] : attributes_) {
      bool known = false;
      for (std::string_view a : allowed) known = known || name == a;
      if (!known) Fail("unknown attribute " + Quoted(name));
    }
  }
  std::optional<std::string> Optional(std::string_view name) const {
    for (const auto& [key, value] : attributes_)
      if (key == name) return value;
    return std::nullopt;
  }
  std::string Required(std::string_view name) const {
    std::optional<std::string> value = Optional(name);
    if (!value) Fail("missing attribute " + Quoted(name));
    return *value;
  }
  std::string Identifier(std::string_view name) const {
    std::string id = Required(name);
    if (!fmt::IsValidIdentifier(id))
      Fail("invalid identifier " + Quoted(id) + " in " + Quoted(name));
    return id;
  }
  double Double(std::string_view name, double fallback, double low, double high) const {
    const std::optional<std::string> text = Optional(name);
    if (!text) return fallback;
    const std::optional<double> value = fmt::ParseDouble(*text);
    if (!value || *value < low || *value > high)
      Fail("attribute " + Quoted(name) + " is not a number from " + fmt::FormatDouble(low) +
           " to " + fmt::FormatDouble(high) + ": " + Quoted(*text));
    return *value;
  }
  bool Boolean(std::string_view name, bool fallback) const {
    const std::optional<std::string> text = Optional(name);
    if (!text) return fallback;
    const std::optional<bool> value = fmt::ParseBoolean(*text);
    if (!value)
      Fail("attribute " + Quoted(name) + " is neither \"true\" nor \"false\": " + Quoted(*text));
    return *value;
  }

  std::vector<Element> Children() const {
    const KivListValKivIDOMElement_var list = element_->GetChildElements();
    std::vector<Element> children;
    children.reserve(static_cast<std::size_t>(list.Size()));
    for (int i = 1; i <= list.Size(); ++i) children.emplace_back(list[i]);
    return children;
  }

 private:
  KivIDOMElement_var element_;
  std::string tag_;
  std::vector<std::pair<std::string, std::string>> attributes_;
};

// Builds a document from a parsed file in passes: the product and resource
// trees and the assemblies; the activity tree with what each activity holds;
// the precedence links and Start/Stop node data (which need every activity of
// a level to exist); the assembly members (which may name any assembly).
class DocumentLoader {
 public:
  explicit DocumentLoader(KivProcessDocument& document) : doc_(document) {}

  void Load(const Element& root) {
    if (root.Tag() != fmt::kDocumentTag)
      root.Fail("the document element must be <" + std::string(fmt::kDocumentTag) + ">");
    root.AllowOnly({"version", "ruleEnvironment"});
    const std::string version = root.Required("version");
    if (version != fmt::kVersion) root.Fail("unsupported format version " + Quoted(version));
    doc_.SetRuleEnvironment(root.Boolean("ruleEnvironment", false));

    std::optional<Element> products, resources, assemblies, process;
    for (const Element& section : root.Children()) {
      std::optional<Element>* slot = nullptr;
      if (section.Tag() == fmt::kProductsTag)
        slot = &products;
      else if (section.Tag() == fmt::kResourcesTag)
        slot = &resources;
      else if (section.Tag() == fmt::kAssembliesTag)
        slot = &assemblies;
      else if (section.Tag() == fmt::kProcessTag)
        slot = &process;
      else
        section.Fail("unknown element");
      if (*slot) section.Fail("section given twice");
      section.AllowOnly({});
      slot->emplace(section);
    }
    if (products) LoadProductTree(*products, nullptr, false, 0);
    if (resources) LoadProductTree(*resources, nullptr, true, 0);
    if (assemblies) LoadAssemblies(*assemblies);
    if (!process) root.Fail("missing <" + std::string(fmt::kProcessTag) + "> section");
    LoadProcess(*process);
    LoadAssemblyMembers();
  }

 private:
  struct PendingLevel {
    KivBaseUnknown* activity;
    std::vector<Element> elements;  // its Link, Start and Stop elements
  };

  void CheckNesting(const Element& element, int depth) {
    if (depth > fmt::kMaxNesting)
      element.Fail("nested deeper than " + std::to_string(fmt::kMaxNesting) + " levels");
  }

  // Explains why the document refused to create an object: its identifier
  // is taken, or else `otherwise`. (Looking the identifier up only after a
  // refusal keeps loading to one lookup per object.)
  [[noreturn]] void FailCreation(const Element& element, const std::string& id,
                                 const std::string& otherwise) {
    if (doc_.FindById(id)) element.Fail("duplicate identifier " + Quoted(id));
    element.Fail(otherwise);
  }

  // The object a reference names; fails on an unknown identifier.
  KivBaseUnknown_var Resolve(const Element& element, std::string_view attribute) {
    const std::string id = element.Required(attribute);
    KivBaseUnknown_var object = doc_.FindById(id);
    if (!object) element.Fail("unknown identifier " + Quoted(id));
    return object;
  }

  static bool IsResource(KivBaseUnknown* object) { return KivIResource_var(object) != NULL_var; }
  static bool IsProduct(KivBaseUnknown* object) {
    return KivIProduct_var(object) != NULL_var && !IsResource(object);
  }
  static bool IsAssembly(KivBaseUnknown* object) { return MoxIMfgAssembly_var(object) != NULL_var; }

  // A product or an assembly: what product links, assignments and
  // assemblies refer to.
  KivBaseUnknown_var ResolveItem(const Element& element, std::string_view attribute) {
    KivBaseUnknown_var item = Resolve(element, attribute);
    if (!IsProduct(item) && !IsAssembly(item))
      element.Fail(Quoted(element.Required(attribute)) + " is neither a product nor an assembly");
    return item;
  }

  void LoadProductTree(const Element& parent, KivBaseUnknown* father, bool resources, int depth) {
    const std::string_view tag = resources ? fmt::kResourceTag : fmt::kProductTag;
    for (const Element& element : parent.Children()) {
      if (element.Tag() != tag)
        element.Fail("unknown element (expected <" + std::string(tag) + ">)");
      CheckNesting(element, depth + 1);
      if (resources)
        element.AllowOnly({"id", "name", "type", "alias", "shown"});
      else
        element.AllowOnly({"id", "name", "alias", "shown"});
      const std::string id = element.Identifier("id");
      const KivUnicodeString name(element.Required("name"));
      KivIProduct_var product =
          resources
              ? doc_.CreateResource(father, name, KivUnicodeString(element.Required("type")), id)
              : doc_.CreateProduct(father, name, id);
      if (!product) FailCreation(element, id, "the document refused the product");
      if (const std::optional<std::string> alias = element.Optional("alias"))
        if (FAILED(product->SetAlias(KivUnicodeString(*alias)))) element.Fail("alias refused");
      if (!element.Boolean("shown", true) && FAILED(doc_.SetShow(product, KivNoShow)))
        element.Fail("show attribute refused");
      LoadProductTree(element, product, resources, depth + 1);
    }
  }

  void LoadAssemblies(const Element& section) {
    for (const Element& element : section.Children()) {
      if (element.Tag() != fmt::kAssemblyTag) element.Fail("unknown element (expected <Assembly>)");
      element.AllowOnly({"id", "name"});
      const std::string id = element.Identifier("id");
      MoxIMfgAssembly_var assembly =
          doc_.CreateAssembly(KivUnicodeString(element.Required("name")), id);
      if (!assembly) FailCreation(element, id, "the document refused the assembly");
      assemblies_.emplace_back(element, assembly);
    }
  }

  // Members may name assemblies written further down, so they come once every
  // object exists (a reference to an activity is then reported as such).
  void LoadAssemblyMembers() {
    for (const auto& [element, assembly] : assemblies_) {
      for (const Element& member : element.Children()) {
        if (member.Tag() != fmt::kMemberTag) member.Fail("unknown element (expected <Member>)");
        member.AllowOnly({"ref"});
        KivBaseUnknown_var child = ResolveItem(member, "ref");
        const HRESULT hr = doc_.AddAssemblyChild(assembly, child);
        if (hr == S_FALSE) member.Fail("member given twice");
        if (FAILED(hr)) {
          if (IsAssembly(child)) member.Fail("the assembly would be its own ancestor");
          member.Fail("the assembly refused the member");
        }
      }
    }
  }

  void LoadProcess(const Element& process) {
    const std::vector<Element> roots = process.Children();
    if (roots.size() != 1 || roots[0].Tag() != fmt::kActivityTag)
      process.Fail("must hold exactly one <Activity>, the root activity");
    const Element& root = roots[0];
    CheckActivityAttributes(root);
    const std::string type = root.Required("type");
    if (type != "BIWActivityRoot")
      root.Fail("the root activity must be of type \"BIWActivityRoot\"");
    const std::string id = root.Identifier("id");
    KivISPPActivity_var activity =
        doc_.CreateRootActivity(KivUnicodeString(root.Required("name")), id);
    if (!activity) root.Fail("the document refused the root activity");
    LoadActivityContent(root, activity, 0);
    for (PendingLevel& level : pending_) LoadLevel(level);
  }

  static void CheckActivityAttributes(const Element& element) {
    element.AllowOnly(
        {"id", "type", "name", "cycleTime", "x", "y", "width", "height", "superNode", "placed"});
  }

  KivPertNodeData ReadNodeData(const Element& element) {
    KivPertNodeData data;
    const double limit = fmt::kCoordinateLimit;
    data.x = element.Double("x", data.x, -limit, limit);
    data.y = element.Double("y", data.y, -limit, limit);
    data.width = element.Double("width", data.width, 0.0, limit);
    data.height = element.Double("height", data.height, 0.0, limit);
    const std::optional<std::string> state = element.Optional("superNode");
    if (state) {
      const std::optional<long> value = fmt::ParseLong(*state);
      if (!value || *value < 0 || *value > 2)
        element.Fail("attribute \"superNode\" must be 0, 1 or 2: " + Quoted(*state));
      data.superNodeState = static_cast<int>(*value);
    }
    data.placed = element.Boolean("placed", data.placed);
    return data;
  }

  // Everything an activity element holds but its precedence links and its
  // Start and Stop node data, which wait for the whole level.
  void LoadActivityContent(const Element& element, KivBaseUnknown* activity, int depth) {
    CheckNesting(element, depth + 1);
    if (element.Optional("cycleTime")) {
      const double seconds = element.Double("cycleTime", 0.0, 0.0, fmt::kCoordinateLimit);
      if (FAILED(doc_.SetCycleTime(activity, seconds)))
        element.Fail("only stations and groupings have a cycle time");
    }
    if (FAILED(doc_.SetPertNodeData(activity, ReadNodeData(element))))
      element.Fail("node data refused");

    PendingLevel level{activity, {}};
    for (const Element& child : element.Children()) {
      const std::string& tag = child.Tag();
      if (tag == fmt::kActivityTag) {
        LoadChildActivity(child, activity, depth + 1);
      } else if (tag == fmt::kLinkTag || tag == fmt::kStartTag || tag == fmt::kStopTag) {
        level.elements.push_back(child);
      } else if (tag == fmt::kInputTag || tag == fmt::kOutputTag) {
        child.AllowOnly({"item"});
        KivBaseUnknown_var item = ResolveItem(child, "item");
        const bool input = tag == fmt::kInputTag;
        KivISPPProductIO_var link =
            input ? doc_.AddProductInput(activity, item) : doc_.AddProductOutput(activity, item);
        if (!link) child.Fail("the activity refused the product link");
      } else if (tag == fmt::kAssignedItemTag) {
        child.AllowOnly({"ref"});
        const HRESULT hr = doc_.AssignItem(activity, ResolveItem(child, "ref"));
        if (hr == S_FALSE) child.Fail("item assigned twice");
        if (FAILED(hr)) child.Fail("the activity refused the item");
      } else if (tag == fmt::kAssignedResourceTag) {
        child.AllowOnly({"ref"});
        KivBaseUnknown_var resource = Resolve(child, "ref");
        if (!IsResource(resource)) child.Fail(Quoted(child.Required("ref")) + " is not a resource");
        const HRESULT hr = doc_.AssignResource(activity, resource);
        if (hr == S_FALSE) child.Fail("resource assigned twice");
        if (FAILED(hr)) child.Fail("the activity refused the resource");
      } else if (tag == fmt::kAttributeTag) {
        LoadAttribute(child, activity);
      } else {
        child.Fail("unknown element");
      }
    }
    if (!level.elements.empty()) pending_.push_back(std::move(level));
  }

  void LoadChildActivity(const Element& element, KivBaseUnknown* parent, int depth) {
    CheckActivityAttributes(element);
    const std::string id = element.Identifier("id");
    const KivUnicodeString type(element.Required("type"));
    if (!KivProcessDocument::IsActivityType(type))
      element.Fail("unknown activity type " + Quoted(type.ConvertToUTF8()));
    if (type == KivUnicodeString("BIWActivityRoot"))
      element.Fail("only the root activity may be of type \"BIWActivityRoot\"");
    KivISPPActivity_var activity =
        doc_.CreateActivity(parent, type, KivUnicodeString(element.Required("name")), id);
    if (!activity) FailCreation(element, id, "the document refused the activity");
    LoadActivityContent(element, activity, depth);
  }

  void LoadAttribute(const Element& element, KivBaseUnknown* activity) {
    element.AllowOnly({"name", "type", "value"});
    const KivUnicodeString name(element.Required("name"));
    if (name.IsEmpty()) element.Fail("empty attribute name");
    const std::string type = element.Required("type");
    const std::string text = element.Required("value");
    KivIPDValue value;
    if (type == fmt::kLongType) {
      const std::optional<long> number = fmt::ParseLong(text);
      if (!number) element.Fail("not a long integer: " + Quoted(text));
      value = *number;
    } else if (type == fmt::kDoubleType) {
      const std::optional<double> number = fmt::ParseDouble(text);
      if (!number) element.Fail("not a finite number: " + Quoted(text));
      value = *number;
    } else if (type == fmt::kStringType) {
      value = KivUnicodeString(text);
    } else {
      element.Fail("unknown attribute type " + Quoted(type) + " (long, double or string)");
    }
    if (!std::holds_alternative<std::monostate>(doc_.GetAttribute(activity, name)))
      element.Fail("attribute " + Quoted(name.ConvertToUTF8()) + " given twice");
    if (FAILED(doc_.SetAttribute(activity, name, value))) element.Fail("attribute refused");
  }

  // A precedence link or Start/Stop node of the level of `level.activity`.
  KivBaseUnknown_var ResolveNode(const Element& element, std::string_view attribute,
                                 KivBaseUnknown* levelActivity) {
    KivBaseUnknown_var node = Resolve(element, attribute);
    KivIGENode_var graphNode(node);
    KivBaseUnknown_var parent = graphNode ? graphNode->GetParentNode() : NULL_var;
    if (!parent || KivIdentity(parent) != KivIdentity(levelActivity))
      element.Fail(Quoted(element.Required(attribute)) + " is no node of this activity's level");
    return node;
  }

  void LoadLevel(const PendingLevel& level) {
    bool startSeen = false, stopSeen = false;
    for (const Element& element : level.elements) {
      if (element.Tag() == fmt::kLinkTag) {
        element.AllowOnly({"from", "to"});
        KivBaseUnknown_var from = ResolveNode(element, "from", level.activity);
        KivBaseUnknown_var to = ResolveNode(element, "to", level.activity);
        const HRESULT hr = doc_.AddPrecedence(from, to);
        if (hr == S_FALSE) element.Fail("link given twice");
        if (FAILED(hr)) element.Fail("the link was refused (a node cannot precede itself)");
        continue;
      }
      const bool start = element.Tag() == fmt::kStartTag;
      bool& seen = start ? startSeen : stopSeen;
      if (seen) element.Fail("given twice");
      seen = true;
      element.AllowOnly({"x", "y", "width", "height", "superNode", "placed"});
      KivBaseUnknown_var node =
          start ? doc_.GetStartNode(level.activity) : doc_.GetStopNode(level.activity);
      if (!node) element.Fail("this activity has no " + element.Tag() + " node");
      if (FAILED(doc_.SetPertNodeData(node, ReadNodeData(element))))
        element.Fail("node data refused");
    }
  }

  KivProcessDocument& doc_;
  std::vector<PendingLevel> pending_;
  std::vector<std::pair<Element, MoxIMfgAssembly_var>> assemblies_;
};

// A readable name for the faulty element: its tag and identifying attributes.
std::string DescribeElement(KivIDOMElement* element) {
  std::string text = "<" + element->GetTagName().ConvertToUTF8();
  for (const char* name : {"id", "ref", "item", "from", "to", "name"}) {
    const KivUnicodeString key(name);
    if (element->HasAttribute(key))
      text += std::string(" ") + name + "=" + Quoted(element->GetAttribute(key).ConvertToUTF8());
    if (text.size() > 120) break;
  }
  return text + ">";
}

HRESULT LoadParsed(HRESULT parsed, KivIXMLDOMDocumentBuilder& builder, KivIDOMDocument* dom,
                   const KivUnicodeString& sourceName, KivVar<KivProcessDocument>& document,
                   KivProcessDocumentError& error) {
  document = NULL_var;
  error = KivProcessDocumentError{};
  error.source = sourceName.ConvertToUTF8();
  if (FAILED(parsed) || !dom) {
    error.line = builder.GetLastErrorLine();
    const std::string parserText = builder.GetLastError().ConvertToUTF8();
    // The builder's text starts with "source:line:column: "; keep the message.
    const std::size_t cut = parserText.find(": ");
    const std::string parserMessage =
        cut == std::string::npos ? parserText : parserText.substr(cut + 2);
    // Without a line the input could not be read at all (a missing file).
    error.message = error.line > 0 ? "malformed XML: " + parserMessage : parserMessage;
    return E_FAIL;
  }
  KivVar<KivProcessDocument> built = KivProcessDocument::Create();
  try {
    KivIDOMElement_var root = dom->GetDocumentElement();
    if (!root) {
      error.message = "no document element";
      return E_FAIL;
    }
    DocumentLoader(*built).Load(Element(root));
  } catch (const LoadFault& fault) {
    error.line = fault.element ? fault.element->GetLineNumber() : 0;
    error.element = fault.element ? DescribeElement(fault.element) : std::string();
    error.message = fault.message;
    return E_FAIL;
  }
  built->SetStorageName(sourceName);
  document = built;
  return S_OK;
}

bool MakeBuilder(KivIXMLDOMDocumentBuilder_var& builder, const KivUnicodeString& sourceName,
                 KivProcessDocumentError& error) {
  if (SUCCEEDED(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder))) return true;
  error = KivProcessDocumentError{sourceName.ConvertToUTF8(), 0, "", "no XML parser available"};
  return false;
}

}  // namespace

HRESULT KivProcessDocumentReader::LoadFile(const KivUnicodeString& path,
                                           KivVar<KivProcessDocument>& document,
                                           KivProcessDocumentError& error) {
  document = NULL_var;
  KivIXMLDOMDocumentBuilder_var builder;
  if (!MakeBuilder(builder, path, error)) return E_FAIL;
  KivIDOMDocument_var dom;
  const HRESULT parsed = builder->Parse(path, dom, {}, {}, nullptr, nullptr);
  return LoadParsed(parsed, *builder, dom, path, document, error);
}

HRESULT KivProcessDocumentReader::LoadBuffer(const char* data, std::size_t size,
                                             const KivUnicodeString& sourceName,
                                             KivVar<KivProcessDocument>& document,
                                             KivProcessDocumentError& error) {
  document = NULL_var;
  KivIXMLDOMDocumentBuilder_var builder;
  if (!MakeBuilder(builder, sourceName, error)) return E_FAIL;
  KivIDOMDocument_var dom;
  const HRESULT parsed = builder->ParseBuffer(data, size, sourceName, dom, {}, {});
  return LoadParsed(parsed, *builder, dom, sourceName, document, error);
}
