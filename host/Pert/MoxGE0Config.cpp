#include "MoxGE0Config.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "KivSettingRepository.h"
#include "KivTrace.h"

namespace {
MoxIGE0Config_var& Installed() {
  static MoxIGE0Config_var installed;
  return installed;
}

const KivTrace& Trace() {
  static const KivTrace trace("KivPertTrace", "Traces for the PERT chart editor");
  return trace;
}

bool ParseFlag(const std::string& text, bool& out) {
  if (text == "1" || text == "true" || text == "yes") {
    out = true;
    return true;
  }
  if (text == "0" || text == "false" || text == "no") {
    out = false;
    return true;
  }
  return false;
}

bool ParseColor(std::string text, double (&rgb)[3]) {
  std::replace(text.begin(), text.end(), ',', ' ');
  std::istringstream in(text);
  for (double& c : rgb)
    if (!(in >> c) || !std::isfinite(c) || c < 0.0 || c > 1.0) return false;
  std::string rest;
  return !(in >> rest);
}
}  // namespace

MoxGE0Config::~MoxGE0Config() = default;

void MoxGE0Config::SetBackgroundColor(double red, double green, double blue) {
  const double in[3] = {red, green, blue};
  for (int i = 0; i < 3; ++i) color_[i] = std::isfinite(in[i]) ? std::clamp(in[i], 0.0, 1.0) : 1.0;
  hasColor_ = true;
}

HRESULT MoxGE0Config::GetBackgroundColor(double& red, double& green, double& blue) {
  if (!hasColor_) return S_FALSE;
  red = color_[0];
  green = color_[1];
  blue = color_[2];
  return S_OK;
}

void MoxGE0Config::SetCurrent(const MoxIGE0Config_var& config) { Installed() = config; }

MoxIGE0Config_var MoxGE0Config::GetCurrent() {
  if (Installed()) return Installed();
  KivSettingRepository* repository = KivSettingRepository::GetRepository(kRepositoryName);
  if (!repository) return {};
  KivString gridText, colorText;
  const bool hasGrid = SUCCEEDED(repository->ReadSetting("Grid", gridText));
  const bool hasColor = SUCCEEDED(repository->ReadSetting("BackgroundColor", colorText));
  if (!hasGrid && !hasColor) return {};
  auto config = KivMake<MoxGE0Config>();
  bool grid = true;
  if (hasGrid && !ParseFlag(gridText.str(), grid))
    Trace().Print("%s: Grid=\"%s\" is not a yes/no value; ignored", kRepositoryName,
                  gridText.c_str());
  config->SetGridWanted(grid);
  double rgb[3];
  if (hasColor) {
    if (ParseColor(colorText.str(), rgb))
      config->SetBackgroundColor(rgb[0], rgb[1], rgb[2]);
    else
      Trace().Print("%s: BackgroundColor=\"%s\" is not three numbers from 0 to 1; ignored",
                    kRepositoryName, colorText.c_str());
  }
  return MoxIGE0Config_var(config.get());
}
