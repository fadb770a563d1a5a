#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "KivSettingRepository.h"
#include "MoxGE0Config.h"
#include "MoxPexPertVisuServices.h"

namespace {

TEST(MoxPexPertVisuServices, CreateMatrixRotatesCounterClockwiseThenTranslates) {
  const double args[3] = {M_PI / 2.0, 10.0, -5.0};
  const Kiv3x3Matrix m = MoxPexPertVisuServices::CreateMatrix(args);
  const KivMathPoint2Df p = m.Apply(KivMathPoint2Df(2.0f, 0.0f));
  EXPECT_NEAR(p.x, 10.0f, 1e-5);
  EXPECT_NEAR(p.y, -3.0f, 1e-5);
  EXPECT_NEAR(m.GetElement(1, 2), 1.0, 1e-12) << "first row (cos a, sin a)";
  EXPECT_NEAR(m.GetElement(2, 1), -1.0, 1e-12) << "second row (-sin a, cos a)";
  EXPECT_TRUE(MoxPexPertVisuServices::CreateMatrix(nullptr).IsIdentity());
}

// Reads the chart configuration from a scratch settings folder.
class MoxGE0ConfigTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("kiv_pert_settings_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    const char* old = std::getenv("KivUserSettingsPath");
    hadOld_ = old != nullptr;
    if (old) old_ = old;
    setenv("KivUserSettingsPath", folder_.c_str(), 1);
    KivSettingRepository::ForgetAll();
  }
  void TearDown() override {
    MoxGE0Config::SetCurrent(NULL_var);
    KivSettingRepository::ForgetAll();
    if (hadOld_)
      setenv("KivUserSettingsPath", old_.c_str(), 1);
    else
      unsetenv("KivUserSettingsPath");
    std::filesystem::remove_all(folder_);
  }
  void WriteSettings(const std::string& text) {
    std::ofstream(folder_ / "PertChartSettings.kivsettings") << text;
    KivSettingRepository::ForgetAll();
  }

  std::filesystem::path folder_;
  std::string old_;
  bool hadOld_ = false;
};

TEST_F(MoxGE0ConfigTest, NoSettingsMeansNoConfiguration) {
  EXPECT_FALSE(MoxGE0Config::GetCurrent());
}

TEST_F(MoxGE0ConfigTest, GridAndColourAreReadFromTheSettingsRepository) {
  WriteSettings("Grid=no\nBackgroundColor=0.9, 0.95 1\n");
  MoxIGE0Config_var config = MoxGE0Config::GetCurrent();
  ASSERT_TRUE(config);
  EXPECT_FALSE(config->IsGridWanted());
  double r = 0, g = 0, b = 0;
  ASSERT_EQ(config->GetBackgroundColor(r, g, b), S_OK);
  EXPECT_DOUBLE_EQ(r, 0.9);
  EXPECT_DOUBLE_EQ(g, 0.95);
  EXPECT_DOUBLE_EQ(b, 1.0);
}

TEST_F(MoxGE0ConfigTest, UnreadableValuesAreLeftOutAndTheDefaultsStay) {
  WriteSettings("Grid=maybe\nBackgroundColor=0.5 2.0 0.1\n");
  MoxIGE0Config_var config = MoxGE0Config::GetCurrent();
  ASSERT_TRUE(config);
  EXPECT_TRUE(config->IsGridWanted());
  double r = -1, g = -1, b = -1;
  EXPECT_EQ(config->GetBackgroundColor(r, g, b), S_FALSE);
  EXPECT_EQ(r, -1.0);
}

TEST_F(MoxGE0ConfigTest, AnInstalledConfigurationWinsOverTheSettings) {
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

}  // namespace
