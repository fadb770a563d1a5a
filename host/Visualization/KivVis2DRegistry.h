#pragma once
// The 2D visualisation registry of an editor: the models whose reps the
// editor's viewers show. A viewer shows a registry once it is attached to it
// (KivViewer::AttachRegistry); models are drawn in the order they were added,
// after the viewer's own scene. A reference to each model is held.
#include <unordered_set>
#include <vector>

#include "KivModelForRep2D.h"

class KivVis2DRegistry : public KivImplement<> {
  KIV_CLASS(KivVis2DRegistry, KivBaseUnknown, "Visualization")
 public:
  KivVis2DRegistry() = default;

  // E_FAIL for null or a model already present.
  HRESULT AddModel(KivModelForRep2D* model);
  // E_FAIL when the model is not present.
  HRESULT RemoveModel(KivModelForRep2D* model);
  void RemoveAllModels();
  bool Contains(const KivModelForRep2D* model) const;
  int GetModelCount() const { return static_cast<int>(models_.size()); }
  const std::vector<KivVar<KivModelForRep2D>>& GetModels() const { return models_; }

 protected:
  ~KivVis2DRegistry() override;

 private:
  std::vector<KivVar<KivModelForRep2D>> models_;
  // The same models, for constant-time membership: a level of a thousand
  // nodes registers thousands of button models.
  std::unordered_set<const KivModelForRep2D*> index_;
};
KIV_DECLARE_VAR(KivVis2DRegistry);
