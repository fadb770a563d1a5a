#include <gtest/gtest.h>

#include <cmath>

#include "KivSettingRepository.h"
#include "KivTestSupport.h"
#include "MoxGE0Config.h"
#include "MoxPexPertVisuServices.h"

TEST(MoxPexPertVisuServices, CreateMatrixRotatesCounterClockwiseThenTranslates) {
  const double args[3] = {M_PI / 2.0, 10.0, -5.0};
  const Kiv3x3Matrix m = MoxPexPertVisuServices::CreateMatrix(args);
  const KivMathPoint2Df p = m.Apply(KivMathPoint2Df(2.0f, 0.0f));
  EXPECT_NEAR(p.x, 10.0f, 1e-5);
  EXPECT_NEAR(p.y, -3.0f, 1e-5);
  EXPECT_TRUE(MoxPexPertVisuServices::CreateMatrix(nullptr).IsIdentity());
}

// Reads the chart configuration from a scratch settings folder.
class MoxGE0ConfigTest : public testing::Test {
 protected:
  MoxGE0ConfigTest() { KivSettingRepository::ForgetAll(); }
  ~MoxGE0ConfigTest() override {
    MoxGE0Config::SetCurrent(NULL_var);
    KivSettingRepository::ForgetAll();
  }
  void WriteSettings(const std::string& text) {
    tmp_.Write("PertChartSettings.kivsettings", text);
    KivSettingRepository::ForgetAll();
  }
  TempFolder tmp_;
  ScopedEnv folder_{"KivUserSettingsPath", tmp_.Path().c_str()};
};

TEST_F(MoxGE0ConfigTest, TheSettingsOrAnInstalledConfigurationGiveTheGridAndColour) {
  EXPECT_FALSE(MoxGE0Config::GetCurrent()) << "no settings, no configuration";
  struct Case {
    const char* settings;
    bool grid;
    HRESULT colour;
    double r;
  };
  // Unreadable values keep the defaults.
  for (const Case& c : {Case{"Grid=no\nBackgroundColor=0.9, 0.95 1\n", false, S_OK, 0.9},
                        Case{"Grid=maybe\nBackgroundColor=0.5 2.0 0.1\n", true, S_FALSE, -1}}) {
    SCOPED_TRACE(c.settings);
    WriteSettings(c.settings);
    MoxIGE0Config_var config = MoxGE0Config::GetCurrent();
    ASSERT_TRUE(config);
    EXPECT_EQ(config->IsGridWanted(), c.grid);
    double r = -1, g = -1, b = -1;
    EXPECT_EQ(config->GetBackgroundColor(r, g, b), c.colour);
    EXPECT_DOUBLE_EQ(r, c.r);
    if (c.colour == S_OK) {
      EXPECT_DOUBLE_EQ(g, 0.95);
    }
  }

  // An installed configuration wins over settings that turn the grid off.
  WriteSettings("Grid=no\n");
  auto installed = KivMake<MoxGE0Config>();
  installed->SetBackgroundColor(0.2, -1.0, 7.0);
  MoxGE0Config::SetCurrent(MoxIGE0Config_var(installed.get()));
  MoxIGE0Config_var config = MoxGE0Config::GetCurrent();
  EXPECT_TRUE(config->IsGridWanted());
  double r, g, b;
  ASSERT_EQ(config->GetBackgroundColor(r, g, b), S_OK);
  EXPECT_EQ(g, 0.0) << "clamped";
  EXPECT_EQ(b, 1.0);
}
