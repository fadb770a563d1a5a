// One row of a status button's list: where its label and arrow stand, what
// its icon shows, and the rows of a status bar.
#include "Kiv2DCustomRep.h"
#include "Kiv2DImagePixelRep.h"
#include "KivISPPFlowMgt.h"
#include "KivIXMLDOMDocumentBuilder.h"
#include "MoxListTestSupport.h"
#include "MoxPFViewerShowState.h"
#include "MoxScrollListItemVisuFactory.h"
#include "MoxStatusBarRows.h"

namespace {
KivMathVector2Df Translation(Kiv2DRep* rep) {
  return dynamic_cast<Kiv2DBagRep*>(rep)->GetMatrix()->GetTranslation();
}

const Kiv2DPolylinePrimitive* Stroke(Kiv2DRep* arrowBag, int index) {
  auto* arrow = dynamic_cast<Kiv2DCustomRep*>(dynamic_cast<Kiv2DBagRep*>(arrowBag)->GetChild(1));
  return dynamic_cast<const Kiv2DPolylinePrimitive*>(arrow->GetPrimitive(index));
}
}  // namespace

TEST_F(ListFixture, RowsStandByTheirIndexAndLocationWithAnArrowBackToTheButton) {
  line_.Build(document_.get());
  const struct {
    const char* location;
    int row;
    KivMathVector2Df label;
    KivMathPoint2Df start, end;
  } cases[] = {
      {"lefttop", 1, {-17, 0.5f}, {-9, 0.5f}, {-4, -2}},
      {"lefttop", 3, {-17, 5.5f}, {-9, 5.5f}, {-4, -2}},
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
    EXPECT_EQ(Translation(rep->GetChild(1)), c.label) << c.location << " " << c.row;
    const auto& link = Stroke(rep->GetChild(2), 1)->GetPoints();
    EXPECT_EQ(link.front(), c.start) << c.location << " " << c.row;
    EXPECT_EQ(link.back(), c.end) << c.location << " " << c.row;
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
}

TEST_F(ListFixture, AnInputRowShowsTheShowStateOfItsProductAndAnOutputRowALink) {
  line_.Build(document_.get());
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
  // label bag: the text, then the icon in a bag of its own
  auto* label =
      dynamic_cast<Kiv2DBagRep*>(dynamic_cast<Kiv2DBagRep*>(input->GetRep())->GetChild(1));
  ASSERT_EQ(label->GetChildCount(), 2);
  auto* icon = dynamic_cast<Kiv2DImagePixelRep*>(
      dynamic_cast<Kiv2DBagRep*>(label->GetChild(2))->GetChild(1));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->GetPixelImage()->GetPixel(3, 3), (KivRgba{46, 160, 67, 255}));  // shown: green
  input->UnreferenceRep();

  KivSPPList outputs = flow->ProductLinks("ProductOutput");
  auto output = MoxCreateScrollListItemVisu(line_.s1.get(), (*outputs)[1], 249);
  output->SetItemPos(1, "rightmiddle");
  output->SetItemType("ProductOutput");
  auto* row = dynamic_cast<Kiv2DBagRep*>(output->GetRep());
  ASSERT_EQ(row->GetChildCount(), 1);  // no arrow: a link ending in a dot
  EXPECT_EQ(dynamic_cast<Kiv2DBagRep*>(row->GetChild(1))->GetChildCount(), 3);
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
  const struct {
    const char* cycle;
    std::vector<MoxStatusBarRow> rows;
  } cases[] = {
      {"45", {{"Cycle: 45 s", false}, {"Operators: 2", false}, {"Spots: 12 (over limit)", true}}},
      {"55", {{"Cycle: 55 s", true}, {"Operators: 2", false}, {"Spots: 12 (over limit)", true}}},
      {"61",
       {{"Cycle: 61 s (over limit)", true},
        {"Operators: 2", false},
        {"Spots: 12 (over limit)", true}}},
  };
  for (const auto& c : cases) {
    const auto rows = MoxStatusBarRows::Read(
        document, "Bar", [&](const KivUnicodeString& name) -> std::optional<KivUnicodeString> {
          if (name.IsEmpty()) return KivUnicodeString(c.cycle);
          if (name == KivUnicodeString("Operators")) return KivUnicodeString("2");
          if (name == KivUnicodeString("Spots")) return KivUnicodeString("12");
          return std::nullopt;
        });
    EXPECT_EQ(rows, c.rows) << c.cycle;
  }
}
