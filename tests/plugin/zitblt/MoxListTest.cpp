// The lists behind the status buttons: one row (where its label and arrow
// stand, what its icon shows, the rows of a status bar); a list longer than
// its window (the scroll bar, dragging its thumb, hiding it, duplicates, the
// window's size); which changes of the document rebuild which lists and what
// is left of them when their activity, product, configuration or window goes;
// and the buttons of a viewer window over its life (moved to another level,
// drawn inside an expanded group node, hidden with a collapsed group,
// refreshed when an assembly goes).
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "Kiv2DBagRep.h"
#include "Kiv2DCustomRep.h"
#include "Kiv2DImagePixelRep.h"
#include "KivDlgPushItem.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItem.h"
#include "KivISPPItemMgt.h"
#include "KivIVisu.h"
#include "KivIXMLDOMDocumentBuilder.h"
#include "KivInteraction.h"
#include "KivLineBuilder.h"
#include "KivPertInteraction.h"
#include "KivSelectShowActions.h"
#include "KivViewer.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxIMfgAssembly.h"
#include "MoxIPertNode.h"
#include "MoxIPertWindow.h"
#include "MoxIScrollListZitBlt.h"
#include "MoxIScrollListZitBltItemVisu.h"
#include "MoxPFViewerShowState.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxPertController.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPertViewer.h"
#include "MoxScrollListItemVisuFactory.h"
#include "MoxStatusBarRows.h"
#include "MoxZitBltTestSupport.h"

namespace {

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
  static KivMathPoint2Df Centre(const KivBaseUnknown_var& node) {
    double x = 0, y = 0;
    MoxIPertNode_var(node.get())->GetPosition(x, y, 1);
    return {static_cast<float>(x), static_cast<float>(y)};
  }
  static KivMathVector2Df InputAt(const KivBaseUnknown_var& node) {
    MoxZitBltRep* input = Button(node, "ProductInput");
    return input && input->GetZitBltBtn() ? input->GetZitBltBtn()->GetMatrix()->GetTranslation()
                                          : KivMathVector2Df{-1e6f, -1e6f};
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

// The icon of a row drawn for a product: the label bag holds the text, then
// the icon in a bag of its own.
Kiv2DImagePixelRep* RowIcon(Kiv2DRep* row) {
  auto* label = dynamic_cast<Kiv2DBagRep*>(dynamic_cast<Kiv2DBagRep*>(row)->GetChild(1));
  if (!label || label->GetChildCount() != 2) return nullptr;
  return dynamic_cast<Kiv2DImagePixelRep*>(
      dynamic_cast<Kiv2DBagRep*>(label->GetChild(2))->GetChild(1));
}

KivMathVector2Df Translation(Kiv2DRep* rep) {
  return dynamic_cast<Kiv2DBagRep*>(rep)->GetMatrix()->GetTranslation();
}

const Kiv2DPolylinePrimitive* Stroke(Kiv2DRep* arrowBag, int index) {
  auto* arrow = dynamic_cast<Kiv2DCustomRep*>(dynamic_cast<Kiv2DBagRep*>(arrowBag)->GetChild(1));
  return dynamic_cast<const Kiv2DPolylinePrimitive*>(arrow->GetPrimitive(index));
}

// A row stands by its index and location with an arrow back to the button;
// an input row shows the show state of its product, an output row a link.
TEST_F(ListFixture, RowsStandByIndexAndLocationAndShowTheirProductsShowStateOrALink) {
  line_.Build(document_.get());
  const struct {
    const char* location;
    int row;
    KivMathVector2Df label;
    KivMathPoint2Df start, end;
  } cases[] = {
      {"lefttop", 1, {-17, 0.5f}, {-9, 0.5f}, {-4, -2}},
      {"leftbottom", 2, {-17, -7}, {-9, -7}, {-4, -2}},
      {"bottomright", 2, {8, -10}, {5, -10}, {2, -2}},
      {"topright", 2, {8, 10}, {5, 10}, {2, 2}},
      {"topmiddle", 1, {-15, 7.5f}, {-5, 7.5f}, {-2, 2}},
  };
  for (const auto& c : cases) {
    auto row = MoxCreateScrollListItemVisu(line_.s1.get(), line_.panel, 249);
    row->SetItemPos(c.row, c.location);
    row->SetItemType("Resources");
    auto* rep = dynamic_cast<Kiv2DBagRep*>(row->GetRep());
    ASSERT_EQ(rep->GetChildCount(), 2) << c.location;
    SCOPED_TRACE(std::string(c.location) + " " + std::to_string(c.row));
    EXPECT_EQ(Translation(rep->GetChild(1)), c.label);
    const auto& link = Stroke(rep->GetChild(2), 1)->GetPoints();
    EXPECT_EQ(std::pair(link.front(), link.back()), std::pair(c.start, c.end));
    // A label beside the node ends where its arrow starts.
    if (c.label.x == -17) {
      EXPECT_FLOAT_EQ(rep->GetChild(1)->GetBoundingElement().xmax, c.start.x);
    }
    row->UnreferenceRep();
  }
  // The arrow head opens backwards; colours past the palette draw as 253.
  auto row = MoxCreateScrollListItemVisu(line_.s1.get(), line_.panel, 300);
  row->SetItemPos(1, "lefttop");
  auto* arrowBag = dynamic_cast<Kiv2DBagRep*>(row->GetRep())->GetChild(2);
  const auto& head = Stroke(arrowBag, 2)->GetPoints();
  ASSERT_EQ(head.size(), 3u);
  EXPECT_NEAR(head[0].x, -5.90, 0.01);
  EXPECT_NEAR(head[0].y, -1.38, 0.01);
  EXPECT_EQ(head[1], (KivMathPoint2Df{-4, -2}));
  EXPECT_NEAR(head[2].y, -2.62, 0.01);
  EXPECT_EQ(dynamic_cast<Kiv2DBagRep*>(arrowBag)->GetChild(1)->GetGraphicAttributes().color, 253);
  row->UnreferenceRep();

  document_->SetShow(line_.panel.get(), KivNoShow);
  EXPECT_EQ(MoxPFViewerShowState::GetIconName(line_.floor.get()), KivUnicodeString("PARTIAL"));
  document_->SetShow(line_.floor.get(), KivNoShow);
  document_->SetShow(line_.panel.get(), KivShow);
  EXPECT_EQ(MoxPFViewerShowState::GetIconName(line_.floor.get()), KivUnicodeString("HIDDEN"));

  KivISPPFlowMgt_var flow(line_.s1.get());
  KivSPPList inputs = flow->ProductLinks("ProductInput");
  auto input = MoxCreateScrollListItemVisu(line_.s1.get(), (*inputs)[1], 249);
  input->SetItemPos(1, "lefttop");
  input->SetItemType("ProductInput");
  auto* icon = RowIcon(input->GetRep());
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->GetPixelImage()->GetPixel(3, 3), (KivRgba{46, 160, 67, 255}));  // shown: green
  input->UnreferenceRep();

  KivSPPList outputs = flow->ProductLinks("ProductOutput");
  auto output = MoxCreateScrollListItemVisu(line_.s1.get(), (*outputs)[1], 249);
  output->SetItemPos(1, "rightmiddle");
  output->SetItemType("ProductOutput");
  auto* outputRep = dynamic_cast<Kiv2DBagRep*>(output->GetRep());
  ASSERT_EQ(outputRep->GetChildCount(), 1);  // no arrow: a link ending in a dot
  EXPECT_EQ(dynamic_cast<Kiv2DBagRep*>(outputRep->GetChild(1))->GetChildCount(), 3);
  output->UnreferenceRep();
}

TEST(MoxStatusBarRowsTest, RowsFollowTheFileAndMarkValuesAboveTheirThresholds) {
  KivIXMLDOMDocumentBuilder_var builder;
  ASSERT_EQ(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder), S_OK);
  const std::string xml =
      "<S><StatusBar Name='Bar'>"
      "<CycleTime Label='Cycle' Unit='s' Warning='50' Limit='60'/>"
      "<Attribute Name='Operators'/><Attribute Name='Missing' Label='Gone'/>"
      "<Attribute Label='NoName'/><Attribute Name='Spots' Warning='many' Limit='10'/>"
      "</StatusBar><StatusBar Name='Other'><CycleTime/></StatusBar></S>";
  KivIDOMDocument_var document;
  ASSERT_EQ(builder->ParseBuffer(xml.data(), xml.size(), "bars.xml", document, {}, {}), S_OK);
  // Below its warning the cycle time is not marked (above it, and above its
  // limit, the real status bars show it); a value above its limit says so.
  const auto rows = MoxStatusBarRows::Read(
      document, "Bar", [&](const KivUnicodeString& name) -> std::optional<KivUnicodeString> {
        if (name.IsEmpty()) return KivUnicodeString("45");
        if (name == KivUnicodeString("Operators")) return KivUnicodeString("2");
        if (name == KivUnicodeString("Spots")) return KivUnicodeString("12");
        return std::nullopt;
      });
  EXPECT_EQ(rows, (std::vector<MoxStatusBarRow>{{"Cycle: 45 s", false},
                                                {"Operators: 2", false},
                                                {"Spots: 12 (over limit)", true}}));
}

class MoxScrollListTest : public ListFixture {
 protected:
  void TearDown() override {
    list_ = NULL_var;
    ListFixture::TearDown();
  }
  // A list of `items` products at `location`, open unless said otherwise.
  MoxBaseScrollListZitBltRep* Make(const char* location, int items, bool open = true) {
    if (!line_.root) line_.Build(document_.get());
    list_ = KivVar<MoxBaseScrollListZitBltRep>::Adopt(dynamic_cast<MoxBaseScrollListZitBltRep*>(
        fctCreateMoxBaseScrollListZitBltRep(line_.s1.get())));
    list_->SetName("Resources");
    list_->SetLocation(location);
    list_->SetIcon("ZitBltResources");
    list_->BuildRep(viewer_);
    if (open) list_->ChangeBtnState();
    for (int i = 1; i <= items; ++i)
      list_->AppendItem(document_->CreateProduct(nullptr, "P" + std::to_string(i)).get(), 0);
    list_->DrawScrollList();
    return list_.get();
  }
  MoxScrollListRow Row(int index) {
    MoxScrollListRow row;
    list_->GetRow(index, row);
    return row;
  }
  // The scroll bar, if any, then the rows visible.
  std::string Shape() { return (list_->GetScrollThumb() ? "bar " : "") + Visible(); }
  std::string Visible() {
    std::string rows;
    for (int i = 1; i <= list_->GetRowCount(); ++i)
      if (Row(i).visible) rows += std::to_string(i);
    return rows;
  }
  KivBaseUnknown_var Visu(int row) { return Row(row).visu; }
  float LabelY(int row) {
    auto* rep =
        dynamic_cast<Kiv2DBagRep*>(MoxIScrollListZitBltItemVisu_var(Visu(row).get())->GiveRep());
    return dynamic_cast<Kiv2DBagRep*>(rep->GetChild(1))->GetMatrix()->GetTranslation().y;
  }
  // One drag of the thumb towards the window starting at row `first`, in
  // steps of about one row.
  void DragThumb(int first) {
    Kiv2DManipulator* thumb = list_->GetScrollManipulator();
    const KivMathVector2Df by = list_->GetThumbDragTo(first);
    const int steps = std::max(1, std::abs(first - list_->GetFirstVisible()));
    thumb->BeginDrag(viewer_, {0, 0});
    for (int i = 1; i <= steps; ++i) thumb->DragTo(viewer_, {0, by.y * i / steps});
    thumb->EndDrag(viewer_, {0, by.y});
  }
  KivVar<MoxBaseScrollListZitBltRep> list_;
};

// A list longer than its window has a scroll bar, except at the middle of a
// side; the context menu hides and shows it.
TEST_F(MoxScrollListTest, AListLongerThanItsWindowHasAScrollBarThatTheContextMenuHidesAndShows) {
  Make("bottommiddle", 5);
  EXPECT_EQ(Shape(), "12345");
  Make("bottommiddle", 6);
  EXPECT_EQ(Shape(), "bar 12345");
  Make("leftmiddle", 6);
  EXPECT_EQ(Shape(), "12345");
  // A closed list draws its rows only when it opens (which the shell's lists
  // check).
  Make("bottommiddle", 6, false);
  EXPECT_EQ(Visible(), "");
  EXPECT_EQ(list_->GetZitBltExpanded()->GetChildCount(), 0);

  KivVar<KivDlgContextualMenu> menu;
  const auto menuOf = [&](MoxBaseScrollListZitBltRep* list) {
    if (menu) menu->RemoveAllItems();
    menu = KivVar<KivDlgContextualMenu>::Adopt(new KivDlgContextualMenu(nullptr, "menu"));
    list->GetManipulator()->Context(viewer_, {0, 0}, menu.get());
    return menu;
  };
  menuOf(Make("topright", 5));
  EXPECT_EQ(menu->GetChildCount(), 0);
  menuOf(Make("topright", 7));
  ASSERT_EQ(menu->GetChildCount(), 1);
  EXPECT_EQ(menu->GetChild(1)->GetTitle(), KivUnicodeString("HideScrollBar"));
  ASSERT_TRUE(dynamic_cast<KivDlgPushItem*>(menu->GetChild(1))->Push());
  EXPECT_EQ(Shape(), "1234567");
  menuOf(list_.get());
  EXPECT_EQ(menu->GetChild(1)->GetTitle(), KivUnicodeString("ShowScrollBar"));
  menu->RemoveAllItems();
}

TEST_F(MoxScrollListTest, TheThumbMovesTheWindowWithinTheListAndOneRowStepsMoveTheLabels) {
  for (const char* location : {"lefttop", "bottomleft"}) {
    Make(location, 8);
    const float row1 = LabelY(1), row2 = LabelY(2);
    const int children = list_->GetZitBltExpanded()->GetChildCount();
    const KivBaseUnknown_var first = Visu(3);
    DragThumb(2);
    EXPECT_EQ(Visible(), "23456") << location;
    EXPECT_FLOAT_EQ(LabelY(2), row1) << location;  // the second row took the first's place
    EXPECT_EQ(list_->GetZitBltExpanded()->GetChildCount(), children) << location;
    EXPECT_TRUE(Visu(3) == first) << location;  // a one-row step rebuilds nothing
    DragThumb(10);
    EXPECT_EQ(Visible(), "45678") << location;
    EXPECT_FALSE(Visu(3) == first) << location;  // a jump rebuilds the list
    DragThumb(-20);
    EXPECT_EQ(Visible(), "12345") << location;
    EXPECT_FLOAT_EQ(LabelY(2), row2) << location;
  }
}

TEST_F(MoxScrollListTest, AnItemIsListedOnceAnEmptyListIsGreyAndTheWindowSizeIsSet) {
  MoxBaseScrollListZitBltRep* list = Make("topright", 0, false);  // grey: checked with real lists
  KivIProduct_var product(line_.panel.get());
  list->AppendItem(KivBaseUnknown_var(product.get()), 0);
  list->AppendItem(KivISPPItem_var(line_.panel.get()).get(), 1);  // the same, seen otherwise
  list->AppendItem(NULL_var, 0);
  list->DrawScrollList();
  EXPECT_EQ(list->GetRowCount(), 1);
  EXPECT_FALSE(list->IsGreyed());
  // ScrollListRange sets the window unless it is no number of rows.
  for (const auto& [value, range] : {std::pair{"3", 3}, {"abc", 5}, {"0", 5}, {"", 5}}) {
    ScopedEnv scrollRange("ScrollListRange", value);
    EXPECT_EQ(Make("topright", 1)->GetScrollRange(), range) << value;
  }
}

TEST_F(MoxScrollListTest, ADraggedButtonTakesItsListToTheCornerItIsNear) {
  MoxBaseScrollListZitBltRep* list = Make("topmiddle", 2);
  list->SetPoDPosition(0, 4);  // the top middle of the node box (-8, -4) .. (8, 4)
  list->SetPositioningLimits(-8, -4, 8, 4);
  Kiv2DManipulator* button = list->GetManipulator();
  button->BeginDrag(viewer_, {0, 0});
  button->DragTo(viewer_, {0, 0});  // still at the top middle: the list stays above the node
  EXPECT_EQ(list->GetLocation(), KivUnicodeString("topmiddle"));
  button->DragTo(viewer_, {-3, 0});
  EXPECT_EQ(list->GetLocation(), KivUnicodeString("topleft"));
  button->EndDrag(viewer_, {-3, 0});
}

TEST_F(ListFixture, EachChangeRebuildsEveryListThatShowsItOnceAndNoOther) {
  Draw();
  KivBaseUnknown_var bracket = document_->CreateProduct(nullptr, "Bracket").get();
  const struct {
    const char* change;
    std::function<void()> make;
    std::set<std::string> rebuilt;
  } cases[] = {
      // the list of that name on the activity and on each of its ancestors
      {"resource assigned",
       [&] { document_->AssignResource(line_.s1.get(), line_.robot.get()); },
       {"S1.Resources", "Cell.Resources"}},
      {"resource unassigned",
       [&] { document_->UnassignResource(line_.s1.get(), line_.robot.get()); },
       {"S1.Resources", "Cell.Resources"}},
      // also the inputs of S2, which lists what is assigned before it
      {"product assigned",
       [&] { document_->AssignItem(line_.s1.get(), bracket.get()); },
       {"S1.ProductInput", "S1.ProductOutput", "Cell.ProductInput", "Cell.ProductOutput",
        "S2.ProductInput"}},
      {"input added",
       [&] { document_->AddProductInput(line_.s1.get(), bracket.get()); },
       {"S1.ProductInput", "S1.ProductOutput", "Cell.ProductInput", "Cell.ProductOutput"}},
      // a leaf lists the inputs it is assigned: a new input of an assigned part
      {"leaf input added",
       [&] { document_->AddProductInput(line_.load.get(), line_.panel.get()); },
       {"Load.ProductInput", "S1.ProductInput", "Cell.ProductInput"}},
      {"item unassigned",
       [&] { document_->UnassignItem(line_.load.get(), line_.panel.get()); },
       {"Load.ProductInput", "S1.ProductInput", "Cell.ProductInput"}},
      // the status bars of every station and grouping above, each once
      {"attribute set",
       [&] { document_->SetAttribute(line_.weld.get(), "WeldSpots", 12L); },
       {"Weld.BIWPointFasteningStatusBars", "S1.BIWPointFasteningStatusBars",
        "S1.BIWStationStatusBars", "Cell.BIWPointFasteningStatusBars",
        "Cell.BIWGroupingStatusBars"}},
      {"cycle time set",
       [&] { document_->SetCycleTime(line_.s2.get(), 70); },
       {"S2.ProductOutput", "S2.BIWStationStatusBars", "S2.BIWPointFasteningStatusBars",
        "S2.BIWCurveFasteningStatusBars", "Cell.ProductOutput", "Cell.BIWGroupingStatusBars",
        "Cell.BIWPointFasteningStatusBars", "Cell.BIWCurveFasteningStatusBars"}},
  };
  for (const auto& c : cases) {
    const auto before = RefreshCounts();
    c.make();
    std::set<std::string> rebuilt;
    for (const auto& [list, count] : RefreshCounts()) {
      if (count != before.at(list)) rebuilt.insert(list);
      EXPECT_LE(count - before.at(list), 1) << c.change << ": " << list;
    }
    EXPECT_EQ(rebuilt, c.rebuilt) << c.change;
  }
  EXPECT_EQ(Labels(List(line_.s2, "BIWStationStatusBars")), "Cycle time: 70 s (over limit)");
  // (Bracket, brought in and assigned, is a carry-over input: marked, as the
  // example session checks.)
  EXPECT_EQ(Labels(List(line_.s1, "ProductInput")), "Panel|Tunnel|Bracket");
}

// Lists follow their own document whichever is current; a deleted product or
// activity leaves no row and no button.
TEST_F(ListFixture, ListsFollowTheirDocumentAndADeletedProductOrActivityLeavesNoRowOrButton) {
  auto other = KivProcessDocument::Create();
  other->CreateRootActivity("Other line");
  ASSERT_TRUE(KivInteraction::OpenDocument(other.get()));
  Draw();
  document_->AssignResource(line_.s1.get(), line_.robot.get());
  EXPECT_EQ(Labels(List(line_.s1, "Resources")), "Robot");
  Button(line_.s1, "ProductInput")->ChangeBtnState();
  document_->DeleteProduct(line_.panel.get());
  EXPECT_EQ(Labels(List(line_.s1, "ProductInput")), "Tunnel");
  KivListValKivBaseUnknown_var doomed;
  doomed.Append(line_.s1);
  ASSERT_EQ(document_->DeleteActivities(doomed), S_OK);
  for (const auto* node : {&line_.s1, &line_.load, &line_.weld})
    EXPECT_EQ(Button(*node, "ProductInput"), nullptr);
  EXPECT_FALSE(MoxIZitBltCBSubscriber_var(line_.s1.get())->IsSubscribed());
  EXPECT_NE(Button(line_.s2, "ProductInput"), nullptr);
}

// The buttons of one declaration share it: a list moved to another side
// moves alone.
TEST_F(ListFixture, AListMovedToAnotherSideLeavesTheSameListOfOtherActivitiesWhereItIs) {
  Draw();
  dynamic_cast<MoxBaseScrollListZitBltRep*>(Button(line_.s1, "ProductInput"))
      ->ReFreshZitBltReps("bottomleft");
  EXPECT_EQ(Button(line_.s1, "ProductInput")->GetButtonLocation().ConvertToUTF8() + " " +
                Button(line_.s2, "ProductInput")->GetButtonLocation().ConvertToUTF8(),
            "bottomleft lefttop");
}

TEST_F(ListFixture, AMissingCommandOrBadStatusBarFileEmptiesOnlyTheirListsUntilMended) {
  setenv("KivStartupPath", folder_.c_str(), 1);
  const char* kList = "MoxBaseScrollListZitBltRep";
  WriteConfiguration(
      "<C>" +
      ActivityXml(
          "BIWActivityStation",
          ZitBltXml("ProductInput", "lefttop", "NoSuchListCmd", kList) +
              ZitBltXml("BIWStationStatusBars", "topleft", "MoxStatusBarListZitBltCmd", kList) +
              ZitBltXml("Resources", "bottommiddle", "MoxStatesResourceListZitBltCmd", kList)) +
      "</C>");
  std::ofstream(folder_ / MoxStatusBarConfiguration::kFileName) << "<StatusBarConfiguration>";
  line_.Build(document_.get());
  document_->AssignResource(line_.s1.get(), line_.robot.get());
  MoxIZitBltMgr_var(line_.s1.get())->Init(viewer_);
  MoxBaseListZitBltCmd* command = nullptr;
  EXPECT_EQ(MoxIZitBltCBSubscriber_var(line_.s1.get())->FindZitBltCmd("ProductInput", &command),
            E_FAIL);
  EXPECT_TRUE(Button(line_.s1, "ProductInput")->IsGreyed());
  EXPECT_TRUE(Button(line_.s1, "BIWStationStatusBars")->IsGreyed());
  EXPECT_EQ(Labels(List(line_.s1, "Resources")), "Robot");

  std::ofstream(folder_ / MoxStatusBarConfiguration::kFileName)
      << "<S><StatusBar Name='BIWStationStatusBars'><CycleTime/></StatusBar></S>";
  MoxIZitBltMgr_var(line_.s1.get())->Remove();
  MoxIZitBltMgr_var(line_.s1.get())->Init(viewer_);
  EXPECT_EQ(Labels(List(line_.s1, "BIWStationStatusBars")), "Cycle time: 0");
}

// With a viewer window: a picked label hides its product, the list redraws
// the row's icon, re-targeting and closing the window take the lists away.
TEST_F(ListFixture, APickedLabelHidesItsProductAndTheListsFollowTheirWindow) {
  MoxIPertWindow_var window = Open(line_.cell);
  ASSERT_TRUE(window);
  auto traverser = KivMake<MoxPertNodeTraverser>(window->GetPertController());
  ASSERT_EQ(traverser->ShowChildrenNodes(line_.s1), S_OK);  // Load and Weld get their buttons
  ASSERT_EQ(traverser->ChangePertNodeShape(1), S_OK);
  ASSERT_NE(Button(line_.weld, "Resources"), nullptr);

  Button(line_.s1, "ProductInput")->ChangeBtnState();
  MoxScrollListRow row;
  ASSERT_TRUE(List(line_.s1, "ProductInput")->GetRow(1, row));
  ASSERT_TRUE(KivSelectShowActions::HideShow(row.visu.get(), KivNoShow));  // hides Panel
  ASSERT_TRUE(List(line_.s1, "ProductInput")->GetRow(1, row));
  auto* icon = RowIcon(MoxIScrollListZitBltItemVisu_var(row.visu.get())->GiveRep());
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(icon->GetPixelImage()->GetPixel(1, 1) == (KivRgba{150, 150, 150, 255}));  // grey
  ASSERT_TRUE(KivSelectShowActions::Select(row.visu.get()));
  EXPECT_TRUE(KivInteraction::GetCurrentEditor()->GetCSO()->ContainsObject(row.item.get()));

  // Re-targeted on S1's level, S1's operations keep their lists (the cell
  // level's buttons going is checked with the viewer's buttons).
  ASSERT_TRUE(ViewerOn(line_.s1));
  EXPECT_EQ(Labels(List(line_.load, "ProductInput")), "");
  EXPECT_EQ(Labels(List(line_.weld, "Resources")), "Robot");

  KivFrmLayout::GetCurrentLayout()->GetCurrentWindow()->DeleteWindow();
  KivDelayedDestruction::Flush();
  EXPECT_EQ(KivInteraction::GetCurrentEditor()->GetVis2DRegistry()->GetModelCount(), 0);
  document_->AssignItem(line_.weld.get(), line_.panel.get());  // reaches no list
  EXPECT_EQ(Button(line_.weld, "ProductInput"), nullptr);
}

// Where the node's input button should sit: the top left corner of its 16 x 8 box.
KivMathVector2Df InputCorner(const KivBaseUnknown_var& node) {
  double x = 0, y = 0;
  MoxIPertNode_var(node.get())->GetPosition(x, y, 1);
  return {static_cast<float>(x) - 8, static_cast<float>(y) + 4};
}

using MoxViewerButtonsTest = ListFixture;

TEST_F(MoxViewerButtonsTest, ARetargetedWindowMovesTheButtonsAndCallbacksToTheNewLevel) {
  MoxIPertWindow_var window = Open(line_.cell);
  ASSERT_TRUE(window);
  ASSERT_NE(Button(line_.s1, "ProductInput"), nullptr);
  ASSERT_EQ(Button(line_.load, "ProductInput"), nullptr);
  KivEventPublisher* events = KivIModelEvents_var(line_.root.get())->GetNotificationDispatcher();
  const int callbacks = events->CallbackCount();

  KivBaseUnknown_var s1 = line_.s1;
  window->SetPertLevel(s1, nullptr, 0);
  EXPECT_EQ(Button(line_.s1, "ProductInput"), nullptr) << "the old level's buttons go";
  EXPECT_EQ(Button(line_.s2, "ProductInput"), nullptr);
  ASSERT_NE(Button(line_.weld, "ProductInput"), nullptr) << "the new level's buttons come";
  EXPECT_EQ(Button(line_.load, "ProductInput")->GetViewer(),
            static_cast<KivViewer*>(window->GetPertViewer()));
  EXPECT_EQ(events->CallbackCount(), callbacks) << "the old callbacks were replaced, not doubled";
  // The new level's moves reach its buttons.
  ASSERT_TRUE(KivPertInteraction::MovePertNode("Weld", 300.5, 200.5));
  EXPECT_EQ(InputAt(line_.weld), InputCorner(line_.weld));
  // A click on the icon, beside the node below its top corner, opens the list.
  const KivMathVector2Df icon = InputAt(line_.weld);
  EXPECT_TRUE(KivPertInteraction::ClickAt(window->GetPertViewer(), icon.x - 2, icon.y - 2));
  EXPECT_FALSE(Button(line_.weld, "ProductInput")->IsButtonCollapse());
}

TEST_F(MoxViewerButtonsTest, ButtonsInsideAnExpandedGroupFollowTheFirstLayoutAndGoWithTheWindow) {
  MoxIPertWindow_var window = Open(line_.cell, {&line_.s1});
  ASSERT_TRUE(window);
  for (const KivBaseUnknown_var* node : {&line_.load, &line_.weld}) {
    ASSERT_NE(Button(*node, "ProductInput"), nullptr);
    EXPECT_EQ(InputAt(*node), InputCorner(*node)) << "placed with the node after the layout";
  }
  KivFrmLayout::GetCurrentLayout()->GetCurrentWindow()->DeleteWindow();
  KivDelayedDestruction::Flush();
  for (const KivBaseUnknown_var* node : {&line_.s1, &line_.load, &line_.weld})
    EXPECT_EQ(Button(*node, "ProductInput"), nullptr) << "gone with the window";
}

TEST_F(MoxViewerButtonsTest, ANoticeOnANodeHiddenInACollapsedGroupRemovesItsButtons) {
  MoxIPertWindow_var window = Open(line_.cell, {&line_.s1});
  ASSERT_TRUE(window);
  ASSERT_NE(Button(line_.load, "ProductInput"), nullptr);
  auto traverser = KivMake<MoxPertNodeTraverser>(window->GetPertController());
  ASSERT_EQ(traverser->HideChildrenNodes(line_.s1), S_OK);
  ASSERT_EQ(traverser->ChangePertNodeShape(2), S_OK);
  EXPECT_EQ(Button(line_.load, "ProductInput"), nullptr) << "collapsing hides the inner buttons";
  // Even a notice that asks to attach: the node is not shown any more.
  KivIModelEvents_var(line_.root.get())
      ->Dispatch(
          KivMake<MoxPertAppInfoNotify>(line_.load, 0.0, 0.0, MoxPertAppInfoNotify::kAttach));
  EXPECT_EQ(Button(line_.load, "ProductInput"), nullptr);
  EXPECT_NE(Button(line_.s2, "ProductInput"), nullptr) << "a shown node keeps its buttons";
}

TEST_F(MoxViewerButtonsTest, ADeletedAssemblyRefreshesTheLinkedActivitiesAndTheirParents) {
  MoxIPertWindow_var window = Open(line_.cell, {&line_.s1});
  ASSERT_TRUE(window);
  MoxIMfgAssembly_var kit = document_->CreateAssembly("Floor kit", "ma1");
  ASSERT_EQ(document_->AssignItem(line_.load.get(), kit.get()), S_OK);
  ASSERT_TRUE(document_->AddProductInput(line_.weld.get(), kit.get()));
  const auto before = RefreshCounts();
  ASSERT_EQ(document_->DeleteAssembly(kit.get()), S_OK);
  KivSPPList assigned = KivISPPItemMgt_var(line_.load.get())->ListItems("Item", 2);
  EXPECT_TRUE(!assigned || assigned->Locate(KivBaseUnknown_var(kit.get())) == 0)
      << "no assignment of it is left";
  KivSPPList links = KivISPPFlowMgt_var(line_.weld.get())->LinksWithItem(kit.get());
  EXPECT_TRUE(!links || links->IsEmpty()) << "nor a link to it";
  std::set<std::string> rebuilt;
  for (const auto& [list, count] : RefreshCounts())
    if (count != before.at(list)) rebuilt.insert(list);
  // Every list of the linked activities and of their parents, not only those
  // the document's own notices reach.
  for (const char* list : {"Load.ProductInput", "Load.Resources", "Weld.ProductInput",
                           "Weld.Resources", "S1.ProductInput", "S1.Resources"})
    EXPECT_TRUE(rebuilt.count(list)) << list;
}
// The viewer on S1's level: Load -> Weld, Weld's robot listed.
// A row dragged in a viewer opened as a user opens it, on S1's level (Load
// -> Weld, Weld's robot listed): released over nothing it goes back; then the
// cursor follows what is under the row and the release moves it.
TEST_F(ListFixture, ARowDraggedInTheViewerGoesBackOverNothingAndMovesOnANode) {
  MoxIPertWindow_var window = Open(line_.s1);
  ASSERT_TRUE(window);
  KivViewer* pert = window->GetPertViewer();
  MoxIZitBltMgr_var(line_.weld.get())->GetZitBltButton("Resources")->Click();
  const auto rowCentre = [&]() -> KivMathPoint2Df {
    MoxScrollListRow row;
    List(line_.weld, "Resources")->GetRow(1, row);
    Kiv2DRep* label =
        dynamic_cast<Kiv2DBagRep*>(KivIVisu_var(row.visu.get())->GiveRep())->GetChild(1);
    const Kiv2DBoundingBox box =
        label->GetFather()->GetWorldMatrix().Apply(label->GetBoundingElement());
    return {(box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2};
  };
  const KivMathPoint2Df from = rowCentre(), weld = Centre(line_.weld), load = Centre(line_.load);
  ASSERT_TRUE(KivPertInteraction::Drag(pert, from, {{from.x + 60, from.y - 60}}));
  EXPECT_EQ(Labels(List(line_.weld, "Resources")), "Robot");
  EXPECT_EQ(rowCentre(), from);

  ASSERT_TRUE(pert->DragStart(from.x, from.y));
  ASSERT_TRUE(pert->DragStep(weld.x, weld.y));
  EXPECT_EQ(pert->GetCursor(), 5);
  EXPECT_NE(rowCentre(), from) << "the row follows the pointer";
  ASSERT_TRUE(pert->DragStep(load.x + 100, load.y + 100));
  EXPECT_EQ(pert->GetCursor(), 5);
  ASSERT_TRUE(pert->DragStep(load.x, load.y));
  EXPECT_EQ(pert->GetCursor(), 8);
  ASSERT_TRUE(pert->DragEnd(load.x, load.y));
  EXPECT_EQ(pert->GetCursor(), 0);
  EXPECT_EQ(Labels(List(line_.weld, "Resources")), "");
  EXPECT_EQ(Labels(List(line_.load, "Resources")), "Robot");
}
}  // namespace
