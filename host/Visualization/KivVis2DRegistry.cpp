#include "KivVis2DRegistry.h"

#include <algorithm>

namespace {
auto FindRegistration(const KivModelForRep2D::Registrations& all,
                      const KivVis2DRegistry* registry) {
  return std::find_if(all.begin(), all.end(),
                      [registry](const auto& entry) { return entry.first == registry; });
}
}  // namespace

KivVis2DRegistry::~KivVis2DRegistry() { RemoveAllModels(); }

bool KivVis2DRegistry::Contains(const KivModelForRep2D* model) const {
  return model && FindRegistration(model->registrations_, this) != model->registrations_.end();
}

HRESULT KivVis2DRegistry::AddModel(KivModelForRep2D* model) {
  if (!model || Contains(model)) return E_FAIL;
  models_.emplace_hint(models_.end(), nextOrder_, KivVar<KivModelForRep2D>(model));
  model->registrations_.emplace_back(this, nextOrder_++);
  Kiv2DRep::TouchScene();
  return S_OK;
}

HRESULT KivVis2DRegistry::RemoveModel(KivModelForRep2D* model) {
  if (!model) return E_FAIL;
  auto& registrations = model->registrations_;
  const auto at = FindRegistration(registrations, this);
  if (at == registrations.end()) return E_FAIL;
  // The registry's reference goes last: the model may die with it.
  const auto place = models_.find(at->second);
  KivVar<KivModelForRep2D> keep = std::move(place->second);
  models_.erase(place);
  registrations.erase(at);
  Kiv2DRep::TouchScene();
  return S_OK;
}

void KivVis2DRegistry::RemoveAllModels() {
  std::map<std::uint64_t, KivVar<KivModelForRep2D>> taken;
  taken.swap(models_);
  for (const auto& [order, model] : taken) {
    auto& registrations = model->registrations_;
    registrations.erase(FindRegistration(registrations, this));
  }
  Kiv2DRep::TouchScene();
}
