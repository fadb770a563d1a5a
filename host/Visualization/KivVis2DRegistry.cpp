#include "KivVis2DRegistry.h"

#include <algorithm>

KivVis2DRegistry::~KivVis2DRegistry() = default;

bool KivVis2DRegistry::Contains(const KivModelForRep2D* model) const {
  return std::any_of(models_.begin(), models_.end(),
                     [model](const auto& m) { return m.get() == model; });
}

HRESULT KivVis2DRegistry::AddModel(KivModelForRep2D* model) {
  if (!model || Contains(model)) return E_FAIL;
  models_.emplace_back(model);
  Kiv2DRep::TouchScene();
  return S_OK;
}

HRESULT KivVis2DRegistry::RemoveModel(KivModelForRep2D* model) {
  auto it = std::find_if(models_.begin(), models_.end(),
                         [model](const auto& m) { return m.get() == model; });
  if (!model || it == models_.end()) return E_FAIL;
  models_.erase(it);
  Kiv2DRep::TouchScene();
  return S_OK;
}

void KivVis2DRegistry::RemoveAllModels() {
  models_.clear();
  Kiv2DRep::TouchScene();
}
