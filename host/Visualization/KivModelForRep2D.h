#pragma once
// Holds a rep for an editor's 2D registry (KivVis2DRegistry): every viewer
// attached to the registry draws and picks the rep on top of its own scene.
// A reference to the rep is held.
#include <cstdint>
#include <utility>
#include <vector>

#include "Kiv2DRep.h"

class KivVis2DRegistry;

class KivModelForRep2D : public KivImplement<> {
  KIV_CLASS(KivModelForRep2D, KivBaseUnknown, "Visualization")
 public:
  // The registries that hold the model, each with the model's place in its
  // order (mostly one).
  using Registrations = std::vector<std::pair<const KivVis2DRegistry*, std::uint64_t>>;

  KivModelForRep2D() = default;
  explicit KivModelForRep2D(Kiv2DRep* rep) : rep_(rep) {}

  void SetRep(Kiv2DRep* rep);
  Kiv2DRep* GetRep() const { return rep_.get(); }

 protected:
  ~KivModelForRep2D() override;

 private:
  friend class KivVis2DRegistry;
  KivVar<Kiv2DRep> rep_;
  // Kept here, so that finding a model costs nothing however many thousands
  // of button models a registry holds.
  Registrations registrations_;
};
KIV_DECLARE_VAR(KivModelForRep2D);
