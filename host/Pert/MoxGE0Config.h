#pragma once
// The PERT chart configuration of the current run (MoxIGE0Config).
//
// GetCurrent() gives, in this order: the configuration installed for the run
// with SetCurrent; else the one read from the settings repository
// "PertChartSettings" when it sets "Grid" ("1"/"0", "true"/"false",
// "yes"/"no") or "BackgroundColor" (three numbers from 0 to 1, separated by
// blanks or commas); else none (an empty handle), and charts use their
// defaults (a grid, a white background). A value that cannot be read is
// left out with a trace line naming the repository, the key and the value.
#include "KivImplement.h"
#include "MoxIGE0Config.h"

class MoxGE0Config : public KivImplement<MoxIGE0Config> {
  KIV_CLASS(MoxGE0Config, KivBaseUnknown, "Pert")
 public:
  static constexpr const char* kRepositoryName = "PertChartSettings";

  MoxGE0Config() = default;

  static MoxIGE0Config_var GetCurrent();
  // Installs a configuration for the rest of the run; an empty handle goes
  // back to the settings repository.
  static void SetCurrent(const MoxIGE0Config_var& config);

  void SetGridWanted(bool wanted) { grid_ = wanted; }
  // Components outside 0..1 are clamped.
  void SetBackgroundColor(double red, double green, double blue);
  void ClearBackgroundColor() { hasColor_ = false; }

  bool IsGridWanted() override { return grid_; }
  HRESULT GetBackgroundColor(double& red, double& green, double& blue) override;

 protected:
  ~MoxGE0Config() override;

 private:
  bool grid_ = true;
  bool hasColor_ = false;
  double color_[3] = {1.0, 1.0, 1.0};
};
