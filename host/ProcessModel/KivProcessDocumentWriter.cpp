#include "KivProcessDocumentWriter.h"

#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "KivIGENode.h"
#include "KivIIPDAttributeMgt.h"
#include "KivIResource.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItemMgt.h"
#include "KivISPPResourceManagement.h"
#include "KivIModelObject.h"
#include "KivProcessDocumentFormat.h"
#include "KivProcessDocumentLinkOrder.h"
#include "KivXMLWriter.h"

namespace fmt = KivProcessDocumentFormat;

namespace {

KivUnicodeString Text(std::string_view utf8) { return KivUnicodeString(utf8); }

// Writes one document. Values at their defaults (the ones the reader assumes
// when an attribute is absent) are left out.
class DocumentSaver {
 public:
  DocumentSaver(KivProcessDocument& document, KivXMLWriter& out) : doc_(document), out_(out) {}

  // An identifier the reader would refuse (the model takes any identifier
  // given through its API); empty when every identifier was sound.
  const std::string& IdentifierError() const { return idError_; }

  void Save() {
    out_.StartElement(Text(fmt::kDocumentTag)).Attribute("version", Text(fmt::kVersion));
    if (doc_.IsRuleEnvironment()) out_.Attribute("ruleEnvironment", "true");
    SaveProductSection(fmt::kProductsTag, doc_.ListProducts(), false);
    SaveProductSection(fmt::kResourcesTag, doc_.ListResources(), true);
    SaveAssemblies();
    out_.StartElement(Text(fmt::kProcessTag));
    GroupLinksByLevel();
    if (KivISPPActivity_var root = doc_.GetRootActivity()) SaveActivity(root);
    out_.EndElement();
    out_.EndElement();
  }

 private:
  // The identifier of an object, checked so that no file is written that the
  // reader would refuse.
  std::string Id(KivBaseUnknown* object) { return Checked(doc_.IdOf(object), doc_.IdOf(object)); }
  // The same for a graph node of a link: Start and Stop nodes are
  // "<activity id>/Start" and "<activity id>/Stop".
  std::string NodeId(KivBaseUnknown* node) {
    std::string id = doc_.IdOf(node);
    std::string_view base = id;
    for (std::string_view suffix : {"/Start", "/Stop"})
      if (base.size() > suffix.size() && base.ends_with(suffix)) base.remove_suffix(suffix.size());
    return Checked(base, id);
  }
  std::string Checked(std::string_view base, const std::string& id) {
    if (!fmt::IsValidIdentifier(base) && idError_.empty())
      idError_ = "the identifier \"" + id + "\" cannot be written";
    return id;
  }

  void SaveProductSection(std::string_view tag, const KivListValKivBaseUnknown_var& all,
                          bool resources) {
    out_.StartElement(Text(tag));
    // The list is in tree order; the roots are the entries without a father.
    for (int i = 1; i <= all.Size(); ++i) {
      KivIProduct_var product(all[i]);
      if (product && !product->FatherProduct()) SaveProduct(product, resources);
    }
    out_.EndElement();
  }

  void SaveProduct(KivIProduct* product, bool resources) {
    out_.StartElement(Text(resources ? fmt::kResourceTag : fmt::kProductTag));
    out_.Attribute("id", Text(Id(product)));
    KivIModelObject_var named(product);
    out_.Attribute("name", named ? named->ObjectName() : KivUnicodeString());
    if (resources) {
      KivIResource_var resource(product);
      out_.Attribute("type", resource ? resource->GetResourceType() : KivUnicodeString());
    }
    // A product tree root starts with its name as alias, any other product
    // with none; the alias is written whenever it differs from that.
    const KivUnicodeString alias = product->GetAlias();
    const bool isRoot = !product->FatherProduct();
    if (isRoot ? alias != (named ? named->ObjectName() : KivUnicodeString()) : !alias.IsEmpty())
      out_.Attribute("alias", alias);
    if (doc_.GetShow(product) == KivNoShow) out_.Attribute("shown", "false");
    if (KivSPPList children = product->ChildProducts("")) {
      for (int i = 1; i <= children->Size(); ++i)
        if (KivIProduct_var child = (*children)[i]) SaveProduct(child, resources);
    }
    out_.EndElement();
  }

  void SaveAssemblies() {
    out_.StartElement(Text(fmt::kAssembliesTag));
    const KivListValKivBaseUnknown_var assemblies = doc_.ListAssemblies();
    for (int i = 1; i <= assemblies.Size(); ++i) {
      MoxIMfgAssembly_var assembly(assemblies[i]);
      KivIModelObject_var named(assemblies[i]);
      out_.StartElement(Text(fmt::kAssemblyTag)).Attribute("id", Text(Id(assemblies[i])));
      out_.Attribute("name", named ? named->ObjectName() : KivUnicodeString());
      KivListValKivBaseUnknown_var members;
      if (assembly) assembly->GetChildren(members);
      for (int m = 1; m <= members.Size(); ++m)
        out_.StartElement(Text(fmt::kMemberTag))
            .Attribute("ref", Text(Id(members[m])))
            .EndElement();
      out_.EndElement();
    }
    out_.EndElement();
  }

  // The activity whose level shows a graph node: an activity's parent, or the
  // activity of a Start or Stop node.
  static KivBaseUnknown* LevelOf(KivBaseUnknown* node) {
    KivIGENode_var graphNode(node);
    KivBaseUnknown_var parent = graphNode ? graphNode->GetParentNode() : NULL_var;
    return KivIdentity(parent.get());
  }

  void GroupLinksByLevel() {
    std::unordered_map<KivBaseUnknown*, std::vector<KivSPPPrecedence>> levels;
    std::vector<KivBaseUnknown*> levelOrder;
    for (KivSPPPrecedence& link : doc_.ListPrecedences()) {
      KivBaseUnknown* level = LevelOf(link.from);
      std::vector<KivSPPPrecedence>& links = levels[level];
      if (links.empty()) levelOrder.push_back(level);
      links.push_back(std::move(link));
    }
    for (KivBaseUnknown* level : levelOrder)
      for (const KivSPPPrecedence& link : KivProcessDocumentLinkOrder(levels[level]))
        linksByLevel_[level].emplace_back(NodeId(link.from), NodeId(link.to));
  }

  void NodeDataAttributes(const KivPertNodeData& data) {
    const KivPertNodeData defaults;
    if (data.x != defaults.x) out_.Attribute("x", Text(fmt::FormatDouble(data.x)));
    if (data.y != defaults.y) out_.Attribute("y", Text(fmt::FormatDouble(data.y)));
    if (data.width != defaults.width) out_.Attribute("width", Text(fmt::FormatDouble(data.width)));
    if (data.height != defaults.height)
      out_.Attribute("height", Text(fmt::FormatDouble(data.height)));
    if (data.superNodeState != defaults.superNodeState)
      out_.Attribute("superNode", Text(fmt::FormatLong(data.superNodeState)));
    if (data.placed != defaults.placed) out_.Attribute("placed", data.placed ? "true" : "false");
  }

  void SaveControlNode(std::string_view tag, KivBaseUnknown* node) {
    if (!node) return;
    const KivPertNodeData data = doc_.GetPertNodeData(node);
    if (data == KivPertNodeData{}) return;
    out_.StartElement(Text(tag));
    NodeDataAttributes(data);
    out_.EndElement();
  }

  void SaveActivity(KivBaseUnknown* activity) {
    KivISPPAbstractActivity_var abstract(activity);
    KivISPPActivity_var typed(activity);
    const KivUnicodeString type = typed ? typed->TypeName() : KivUnicodeString();
    out_.StartElement(Text(fmt::kActivityTag)).Attribute("id", Text(Id(activity)));
    out_.Attribute("type", type);
    out_.Attribute("name", abstract ? abstract->GetActivityLabel() : KivUnicodeString());
    if (type == KivUnicodeString("BIWActivityStation") ||
        type == KivUnicodeString("BIWActivityGrouping")) {
      const double cycleTime = doc_.GetCycleTime(activity);
      if (cycleTime != 0.0) out_.Attribute("cycleTime", Text(fmt::FormatDouble(cycleTime)));
    }
    NodeDataAttributes(doc_.GetPertNodeData(activity));

    SaveControlNode(fmt::kStartTag, doc_.GetStartNode(activity));
    SaveControlNode(fmt::kStopTag, doc_.GetStopNode(activity));
    SaveProductLinks(activity);
    if (KivISPPItemMgt_var items{activity})
      SaveReferences(fmt::kAssignedItemTag, items->ListItems("Item", 2));
    if (KivISPPResourceManagement_var resources{activity})
      SaveReferences(fmt::kAssignedResourceTag, resources->AssignedResources("Resource", 0));
    SaveAttributes(activity);
    if (KivISPPChildManagement_var children{activity}) {
      if (KivSPPList list = children->ChildActivities("Activity"))
        for (int i = 1; i <= list->Size(); ++i) SaveActivity((*list)[i]);
    }
    const auto links = linksByLevel_.find(KivIdentity(activity));
    if (links != linksByLevel_.end()) {
      for (const auto& [from, to] : links->second)
        out_.StartElement(Text(fmt::kLinkTag))
            .Attribute("from", Text(from))
            .Attribute("to", Text(to))
            .EndElement();
    }
    out_.EndElement();
  }

  void SaveProductLinks(KivBaseUnknown* activity) {
    KivISPPFlowMgt_var flow(activity);
    KivSPPList links = flow ? flow->ProductLinks("") : nullptr;
    if (!links) return;
    for (int i = 1; i <= links->Size(); ++i) {
      KivISPPProductIO_var link((*links)[i]);
      if (!link) continue;
      out_.StartElement(Text(link->IsInput() ? fmt::kInputTag : fmt::kOutputTag));
      out_.Attribute("item", Text(Id(link->GetItem())));
      out_.EndElement();
    }
  }

  void SaveReferences(std::string_view tag, const KivSPPList& objects) {
    if (!objects) return;
    for (int i = 1; i <= objects->Size(); ++i)
      out_.StartElement(Text(tag)).Attribute("ref", Text(Id((*objects)[i]))).EndElement();
  }

  void SaveAttributes(KivBaseUnknown* activity) {
    KivIIPDAttributeMgt_var attributes(activity);
    if (!attributes) return;
    KivListValKivUnicodeString names;
    attributes->ListAttributeNames(names);
    for (int i = 1; i <= names.Size(); ++i) {
      KivIPDValue value;
      if (FAILED(attributes->GetAttributeValue(names[i], value))) continue;
      std::string_view type;
      KivUnicodeString text;
      if (const long* number = std::get_if<long>(&value)) {
        type = fmt::kLongType;
        text = Text(fmt::FormatLong(*number));
      } else if (const double* real = std::get_if<double>(&value)) {
        type = fmt::kDoubleType;
        text = Text(fmt::FormatDouble(*real));
      } else if (const KivUnicodeString* string = std::get_if<KivUnicodeString>(&value)) {
        type = fmt::kStringType;
        text = *string;
      } else {
        continue;
      }
      out_.StartElement(Text(fmt::kAttributeTag))
          .Attribute("name", names[i])
          .Attribute("type", Text(type))
          .Attribute("value", text)
          .EndElement();
    }
  }

  KivProcessDocument& doc_;
  KivXMLWriter& out_;
  std::string idError_;
  std::unordered_map<KivBaseUnknown*, std::vector<std::pair<std::string, std::string>>>
      linksByLevel_;
};

}  // namespace

HRESULT KivProcessDocumentWriter::WriteText(KivProcessDocument& document, std::string& text,
                                            std::string& error) {
  KivXMLWriter out;
  DocumentSaver saver(document, out);
  saver.Save();
  if (!saver.IdentifierError().empty()) {
    error = saver.IdentifierError();
    return E_FAIL;
  }
  if (FAILED(out.GetText(text))) {
    error = out.GetLastError().empty() ? "the document could not be written" : out.GetLastError();
    return E_FAIL;
  }
  return S_OK;
}

HRESULT KivProcessDocumentWriter::SaveFile(KivProcessDocument& document,
                                           const KivUnicodeString& path, std::string& error) {
  KivXMLWriter out;
  DocumentSaver saver(document, out);
  saver.Save();
  if (!saver.IdentifierError().empty() || !out.IsOk()) {
    error = saver.IdentifierError().empty() ? out.GetLastError() : saver.IdentifierError();
    return E_FAIL;
  }
  if (FAILED(out.SaveToFile(path))) {
    error =
        out.GetLastError().empty() ? "cannot write " + path.ConvertToUTF8() : out.GetLastError();
    return E_FAIL;
  }
  document.SetStorageName(path);
  return S_OK;
}
