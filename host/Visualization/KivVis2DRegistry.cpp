#include "KivVis2DRegistry.h"

KivVis2DRegistry::~KivVis2DRegistry() = default;

bool KivVis2DRegistry::Contains(const KivModelForRep2D* model) const {
  return index_.count(model) > 0;
}

HRESULT KivVis2DRegistry::AddModel(KivModelForRep2D* model) {
  if (!model || Contains(model)) return E_FAIL;
  models_.emplace_hint(models_.end(), nextOrder_, KivVar<KivModelForRep2D>(model));
  index_.emplace(model, nextOrder_++);
  Kiv2DRep::TouchScene();
  return S_OK;
}

HRESULT KivVis2DRegistry::RemoveModel(KivModelForRep2D* model) {
  if (!model || !Contains(model)) return E_FAIL;
  const auto at = index_.find(model);
  // The registry's reference goes last: the model may die with it.
  KivVar<KivModelForRep2D> keep = std::move(models_[at->second]);
  models_.erase(at->second);
  index_.erase(at);
  Kiv2DRep::TouchScene();
  return S_OK;
}

void KivVis2DRegistry::RemoveAllModels() {
  models_.clear();
  index_.clear();
  Kiv2DRep::TouchScene();
}
