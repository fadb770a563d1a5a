#pragma once
// A bag of reps: it owns its children (one reference each) and may carry a
// matrix that places them in the bag's own bag. Adding a child takes a
// reference of the bag's own (the caller keeps its handle); taking it out
// hands the bag's reference back as a handle.
#include <optional>
#include <vector>

#include "Kiv2DRep.h"

class Kiv2DBagRep : public Kiv2DRep {
  KIV_CLASS(Kiv2DBagRep, Kiv2DRep, "Visualization")
 public:
  Kiv2DBagRep() = default;
  explicit Kiv2DBagRep(const Kiv3x3Matrix& matrix) : matrix_(matrix) {}

  // Draws `child` after the present children. Refused with E_FAIL for a null
  // child, a child that already has a bag, this bag itself or one of the
  // bags that hold it.
  HRESULT AddChild(const KivVar<Kiv2DRep>& child);
  // Puts `child` at position `index` (1 .. count + 1; the children from
  // there move one place on, so it is drawn before them). Refused as
  // AddChild, and for an index outside that range.
  HRESULT InsertChild(int index, const KivVar<Kiv2DRep>& child);
  // A bare pointer would leave open whose reference the bag takes: pass a
  // handle (KivMake<...>(...) for a new rep).
  template <class Rep>
  HRESULT AddChild(Rep* child) = delete;
  template <class Rep>
  HRESULT InsertChild(int index, Rep* child) = delete;
  // Takes the child out and hands the bag's reference back; an empty handle
  // when `child` is not a child of this bag.
  KivVar<Kiv2DRep> RemoveChild(Kiv2DRep* child);
  // Takes every child out and gives up the bag's references.
  void RemoveAllChildren();

  int GetChildCount() const { return static_cast<int>(children_.size() - holes_); }
  // The child at `index`, counted from 1; null outside 1..count.
  Kiv2DRep* GetChild(int index) const;
  const std::vector<KivVar<Kiv2DRep>>& GetChildren() const {
    Compact();
    return children_;
  }

  // Null while the bag has no matrix (it then places its children unchanged).
  const Kiv3x3Matrix* GetMatrix() const { return matrix_ ? &*matrix_ : nullptr; }
  void SetMatrix(const Kiv3x3Matrix& matrix);
  void ClearMatrix();
  // The transformation from this bag's coordinates to the top of its scene.
  Kiv3x3Matrix GetWorldMatrix() const;

  void CollectDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                        const KivGraphicAttributes& outer) const override;
  void ExtendSceneBounds(Kiv2DBoundingBox& framed, Kiv2DBoundingBox& all, const Kiv3x3Matrix& world,
                         const KivGraphicAttributes& outer, bool counts,
                         std::vector<KivDrawItem>& scratch) const override;

 protected:
  ~Kiv2DBagRep() override;
  Kiv2DBoundingBox ComputeBoundingBox() const override;

 private:
  // Closes the holes that removed children left, keeping the order.
  void Compact() const;

  // A removed child leaves an empty handle behind until the next walk by
  // index closes the holes: taking the thousands of links out of a level's
  // layer one by one stays linear. Every child knows its slot.
  mutable std::vector<KivVar<Kiv2DRep>> children_;
  mutable std::size_t holes_ = 0;
  std::optional<Kiv3x3Matrix> matrix_;
};
KIV_DECLARE_VAR(Kiv2DBagRep);
