#pragma once
// The lists of the bundled configuration on a small line: the fixture builds
// it, draws the status buttons of its activities in a viewer (their lists
// filled by the real list commands) and reads the lists back.
#include <map>
#include <memory>
#include <string>

#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivInteraction.h"
#include "KivLineBuilder.h"
#include "KivViewer.h"
#include "MoxIPertWindow.h"
#include "MoxIScrollListZitBlt.h"
#include "MoxIZitBltMgr.h"
#include "MoxZitBltRep.h"
#include "MoxZitBltTestSupport.h"

// Root "Line" > grouping "Cell" > stations S1 -> S2; S1 > Load -> Weld.
// S1 takes Panel and Tunnel (children of Floor) and gives Floor; Load is
// assigned both parts; Weld has a robot.
struct ListLine {
  KivBaseUnknown_var root, cell, s1, s2, load, weld, floor, panel, tunnel, robot;
  void Build(KivProcessDocument* doc) {
    KivLineBuilder line(doc, {"Line > Cell:Grouping", "Cell > S1 S2",
                              "S1 > Load:Loading Weld:SpotWelding", "S1 -> S2", "Load -> Weld"});
    root = line["Line"], cell = line["Cell"], s1 = line["S1"], s2 = line["S2"];
    load = line["Load"], weld = line["Weld"];
    floor = doc->CreateProduct(nullptr, "Floor").get();
    panel = doc->CreateProduct(floor.get(), "Panel").get();
    tunnel = doc->CreateProduct(floor.get(), "Tunnel").get();
    robot = doc->CreateResource(nullptr, "Robot", "Robot").get();
    doc->AddProductInput(s1.get(), panel.get());
    doc->AddProductInput(s1.get(), tunnel.get());
    doc->AddProductOutput(s1.get(), floor.get());
    doc->AssignItem(load.get(), panel.get());
    doc->AssignItem(load.get(), tunnel.get());
    doc->AssignResource(weld.get(), robot.get());
  }
};

class ListFixture : public ZitBltFixture {
 protected:
  void SetUp() override {
    ZitBltFixture::SetUp();
    setenv("KivStartupPath", KIV_SOURCE_DIR "/resources", 1);
    viewer_ = KivMake<KivViewer>("lists");
  }
  void TearDown() override {
    for (auto* node : {&line_.s1, &line_.s2, &line_.cell, &line_.load, &line_.weld})
      if (*node) MoxIZitBltMgr_var(node->get())->Remove();
    line_ = ListLine();
    viewer_ = NULL_var;
    ZitBltFixture::TearDown();
  }
  // Builds the line and draws the buttons of its activities.
  void Draw() {
    line_.Build(document_.get());
    for (auto* node : {&line_.cell, &line_.s1, &line_.s2, &line_.load, &line_.weld})
      MoxIZitBltMgr_var(node->get())->Init(viewer_);
  }
  // Builds the line, expands the super nodes named and opens a viewer window
  // on `level` as a user does.
  MoxIPertWindow_var Open(const KivBaseUnknown_var& level,
                          std::initializer_list<const KivBaseUnknown_var*> expanded = {}) {
    line_.Build(document_.get());
    for (const KivBaseUnknown_var* node : expanded) {
      KivPertNodeData data = document_->GetPertNodeData(node->get());
      data.superNodeState = 1;
      document_->SetPertNodeData(node->get(), data);
    }
    EXPECT_TRUE(KivInteraction::OpenDocument(document_.get()));
    return ViewerOn(level);
  }
  // Starts the viewer command and picks `level`; the current window then.
  static MoxIPertWindow_var ViewerOn(const KivBaseUnknown_var& level) {
    EXPECT_TRUE(KivInteraction::StartCommand("MoxPexProductFlowViewerCmd"));
    EXPECT_TRUE(KivInteraction::Pick(level.get()));
    return MoxIPertWindow_var(KivFrmLayout::GetCurrentLayout()->GetCurrentWindow());
  }
  static MoxZitBltRep* Button(const KivBaseUnknown_var& node, const char* name) {
    MoxZitBltRep* rep = nullptr;
    MoxIZitBltMgr_var(node.get())->FindZitBlt(name, &rep);
    return rep;
  }
  static MoxIScrollListZitBlt_var List(const KivBaseUnknown_var& node, const char* name) {
    return MoxIScrollListZitBlt_var(static_cast<KivBaseUnknown*>(Button(node, name)));
  }
  static std::string Labels(const MoxIScrollListZitBlt_var& list) {
    std::string labels;
    for (int i = 1; list && i <= list->GetRowCount(); ++i) {
      MoxScrollListRow row;
      list->GetRow(i, row);
      labels += (i > 1 ? "|" : "") + row.label.ConvertToUTF8();
    }
    return labels;
  }
  // How often each list of the line was rebuilt, by "node.button".
  std::map<std::string, int> RefreshCounts() const {
    std::map<std::string, int> counts;
    const std::pair<const char*, const KivBaseUnknown_var*> nodes[] = {{"Cell", &line_.cell},
                                                                       {"S1", &line_.s1},
                                                                       {"S2", &line_.s2},
                                                                       {"Load", &line_.load},
                                                                       {"Weld", &line_.weld}};
    for (const auto& [node, activity] : nodes) {
      KivListValKivUnicodeString* names = nullptr;
      MoxIZitBltMgr_var(activity->get())->GetAllZitBlts(&names);
      std::unique_ptr<KivListValKivUnicodeString> owned(names);
      for (const KivUnicodeString& name : *owned)
        if (auto list = List(*activity, name.ConvertToUTF8().c_str()))
          counts[std::string(node) + "." + name.ConvertToUTF8()] = list->GetRefreshCount();
    }
    return counts;
  }

  ListLine line_;
  KivVar<KivViewer> viewer_;
};
