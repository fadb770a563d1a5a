#pragma once
// Shared by the document file tests: a fixture with a scratch folder that
// checks every component is released, loading helpers, and a description of
// a document as a list of fact lines, read through the model's interfaces
// (independently of the writer) so that two documents can be compared.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "KivIGENode.h"
#include "KivLeakCheck.h"
#include "KivIIPDAttributeMgt.h"
#include "KivIResource.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItemMgt.h"
#include "KivISPPResourceManagement.h"
#include "KivIModelObject.h"
#include "KivProcessDocument.h"
#include "KivProcessDocumentReader.h"
#include "KivProcessDocumentWriter.h"

class KivProcessDocumentFileTest : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("kiv_docfile_" + std::to_string(::getpid()) + "_" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    ExpectNoLeak();
  }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  std::string WriteFile(const std::string& name, const std::string& text) const {
    const std::string path = PathOf(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  static KivVar<KivProcessDocument> LoadText(const std::string& text,
                                             KivProcessDocumentError* error = nullptr) {
    KivVar<KivProcessDocument> document;
    KivProcessDocumentError ignored;
    KivProcessDocumentReader::LoadBuffer(text.data(), text.size(), "test.xml", document,
                                         error ? *error : ignored);
    return document;
  }

  static std::string SaveText(KivProcessDocument& document) {
    std::string text, error;
    EXPECT_EQ(KivProcessDocumentWriter::WriteText(document, text, error), S_OK) << error;
    return text;
  }

  std::filesystem::path folder_;
};

// Every fact of a document, one line each, in the model's order.
class KivDocumentFacts {
 public:
  static std::vector<std::string> Of(KivProcessDocument& document) {
    KivDocumentFacts facts(document);
    facts.Add("rules " + std::to_string(document.IsRuleEnvironment()));
    facts.Products("product", document.ListProducts());
    facts.Products("resource", document.ListResources());
    const KivListValKivBaseUnknown_var assemblies = document.ListAssemblies();
    for (int i = 1; i <= assemblies.Size(); ++i) {
      KivListValKivBaseUnknown_var members;
      MoxIMfgAssembly_var(assemblies[i])->GetChildren(members);
      std::string line = "assembly " + facts.Id(assemblies[i]) + " " + facts.Name(assemblies[i]);
      for (int m = 1; m <= members.Size(); ++m) line += " " + facts.Id(members[m]);
      facts.Add(line);
    }
    document.ForEachActivity([&facts](KivBaseUnknown* activity) { facts.Activity(activity); });
    for (const KivSPPPrecedence& link : document.ListPrecedences())
      facts.Add("link " + facts.Id(link.from) + " -> " + facts.Id(link.to));
    return facts.lines_;
  }

 private:
  explicit KivDocumentFacts(KivProcessDocument& document) : doc_(document) {}

  void Add(std::string line) { lines_.push_back(std::move(line)); }
  std::string Id(KivBaseUnknown* object) const { return doc_.IdOf(object); }
  static std::string Name(KivBaseUnknown* object) {
    return KivIModelObject_var(object)->ObjectName().ConvertToUTF8();
  }
  static std::string Ids(KivProcessDocument& doc, const KivSPPList& list) {
    std::string text;
    if (list)
      for (int i = 1; i <= list->Size(); ++i) text += " " + doc.IdOf((*list)[i]);
    return text;
  }
  std::string NodeData(KivBaseUnknown* node) const {
    const KivPertNodeData d = doc_.GetPertNodeData(node);
    std::ostringstream text;
    text.precision(17);
    text << d.x << "," << d.y << " " << d.width << "x" << d.height << " super " << d.superNodeState
         << " placed " << d.placed;
    return text.str();
  }

  void Products(const char* kind, const KivListValKivBaseUnknown_var& products) {
    for (int i = 1; i <= products.Size(); ++i) {
      KivIProduct_var product(products[i]);
      KivIResource_var resource(products[i]);
      const KivIProduct_var father = product->FatherProduct();
      Add(std::string(kind) + " " + Id(product) + " father " + (father ? Id(father) : "-") +
          " name " + Name(product) + " alias " + product->GetAlias().ConvertToUTF8() + " show " +
          std::to_string(doc_.GetShow(product)) +
          (resource ? " type " + resource->GetResourceType().ConvertToUTF8() : ""));
    }
  }

  void Activity(KivBaseUnknown* activity) {
    KivISPPActivity_var typed(activity);
    KivISPPAbstractActivity_var abstract(activity);
    KivISPPActivity_var parent = typed->ParentActivity();
    Add("activity " + Id(activity) + " parent " + (parent ? Id(parent) : "-") + " type " +
        typed->TypeName().ConvertToUTF8() + " name " +
        abstract->GetActivityLabel().ConvertToUTF8() + " cycle " +
        std::to_string(doc_.GetCycleTime(activity)) + " node " + NodeData(activity));
    if (KivBaseUnknown_var start = doc_.GetStartNode(activity))
      Add("  start " + Id(start) + " " + NodeData(start));
    if (KivBaseUnknown_var stop = doc_.GetStopNode(activity))
      Add("  stop " + Id(stop) + " " + NodeData(stop));
    KivSPPList links = KivISPPFlowMgt_var(activity)->ProductLinks("");
    for (int i = 1; links && i <= links->Size(); ++i) {
      KivISPPProductIO_var link((*links)[i]);
      Add(std::string("  ") + (link->IsInput() ? "input " : "output ") + Id(link->GetItem()));
    }
    Add("  items" + Ids(doc_, KivISPPItemMgt_var(activity)->ListItems("Item", 2)));
    Add("  resources" +
        Ids(doc_, KivISPPResourceManagement_var(activity)->AssignedResources("Resource", 0)));
    Add("  children" + Ids(doc_, KivISPPChildManagement_var(activity)->ChildActivities("")));
    Add("  next" + Ids(doc_, KivISPPFlowMgt_var(activity)->NextActivities("")));
    Add("  previous" + Ids(doc_, KivISPPFlowMgt_var(activity)->PreviousActivities("")));
    for (KivBaseUnknown_var node : {doc_.GetStartNode(activity), doc_.GetStopNode(activity)})
      if (node)
        Add("  " + Id(node) + " next" + Ids(doc_, KivISPPFlowMgt_var(node)->NextActivities("")) +
            " previous" + Ids(doc_, KivISPPFlowMgt_var(node)->PreviousActivities("")));
    KivIIPDAttributeMgt_var attributes(activity);
    KivListValKivUnicodeString names;
    attributes->ListAttributeNames(names);
    for (int i = 1; i <= names.Size(); ++i) {
      KivIPDValue value;
      attributes->GetAttributeValue(names[i], value);
      std::ostringstream text;
      text.precision(17);
      text << "  attribute " << names[i] << " = ";
      if (auto* l = std::get_if<long>(&value)) text << "long " << *l;
      if (auto* d = std::get_if<double>(&value)) text << "double " << *d;
      if (auto* s = std::get_if<KivUnicodeString>(&value)) text << "string " << *s;
      Add(text.str());
    }
  }

  KivProcessDocument& doc_;
  std::vector<std::string> lines_;
};
