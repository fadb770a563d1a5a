#include "KivVis2DRegistry.h"

#include <algorithm>

KivVis2DRegistry::~KivVis2DRegistry() = default;

bool KivVis2DRegistry::Contains(const KivModelForRep2D* model) const {
  return index_.count(model) > 0;
}

HRESULT KivVis2DRegistry::AddModel(KivModelForRep2D* model) {
  if (!model || Contains(model)) return E_FAIL;
  models_.emplace_back(model);
  index_.insert(model);
  Kiv2DRep::TouchScene();
  return S_OK;
}

HRESULT KivVis2DRegistry::RemoveModel(KivModelForRep2D* model) {
  if (!model || !Contains(model)) return E_FAIL;
  index_.erase(model);
  models_.erase(std::find_if(models_.begin(), models_.end(),
                             [model](const auto& m) { return m.get() == model; }));
  Kiv2DRep::TouchScene();
  return S_OK;
}

void KivVis2DRegistry::RemoveAllModels() {
  models_.clear();
  index_.clear();
  Kiv2DRep::TouchScene();
}
