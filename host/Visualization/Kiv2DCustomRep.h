#pragma once
// A rep made of primitives (text, polylines) that it owns. Its bounding box
// is the union of the primitives' boxes unless one was set explicitly.
#include <memory>
#include <optional>
#include <vector>

#include "Kiv2DPrimitive.h"
#include "Kiv2DRep.h"

class Kiv2DCustomRep : public Kiv2DRep {
  KIV_CLASS(Kiv2DCustomRep, Kiv2DRep, "Visualization")
 public:
  Kiv2DCustomRep() = default;

  // Takes ownership; a null primitive is ignored. Returns the primitive.
  Kiv2DPrimitive* AddPrimitive(std::unique_ptr<Kiv2DPrimitive> primitive);
  int GetPrimitiveCount() const { return static_cast<int>(primitives_.size()); }
  // Counted from 1; null outside 1..count.
  Kiv2DPrimitive* GetPrimitive(int index) const;
  void RemoveAllPrimitives();

  // Fixes the box (picking uses it too); ResetBoundingElement returns to the
  // union of the primitives.
  void SetBoundingElement(const Kiv2DBoundingBox& box);
  void ResetBoundingElement();

 protected:
  ~Kiv2DCustomRep() override;
  Kiv2DBoundingBox ComputeBoundingBox() const override;
  void AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                       const KivGraphicAttributes& resolved) const override;

 private:
  std::vector<std::unique_ptr<Kiv2DPrimitive>> primitives_;
  std::optional<Kiv2DBoundingBox> fixedBox_;
};
