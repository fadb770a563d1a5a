#pragma once
// The base of the 2D reps: display attributes, a bounding box in the
// coordinates of the owning bag (cached, recomputed after a geometry change)
// and the flattening into draw items. Leaf reps have no matrix of their own;
// bags (Kiv2DBagRep) carry the matrices and own their children.
#include <vector>

#include "Kiv2DBoundingBox.h"
#include "Kiv3x3Matrix.h"
#include "KivDrawItem.h"
#include "KivGraphicAttributes.h"
#include "KivRep.h"

class Kiv2DBagRep;

class Kiv2DRep : public KivRep {
  KIV_CLASS(Kiv2DRep, KivRep, "Visualization")
 public:
  // The extent of the rep in its bag's coordinates (a bag's own matrix is
  // applied). Hidden children of a bag do not count; an empty box for an
  // empty bag.
  Kiv2DBoundingBox GetBoundingElement() const;

  const KivGraphicAttributes& GetGraphicAttributes() const { return attributes_; }
  void SetGraphicAttributes(const KivGraphicAttributes& attributes);
  void SetColor(int paletteIndex);
  void SetFillColor(int paletteIndex);
  void SetLineType(int lineType);
  void SetThickness(int thickness);
  void SetFill(bool filled);

  // Decoration such as a background grid may reach far beyond the content:
  // a rep (with all it holds) that does not count for framing is drawn, but
  // pictures and viewpoint resets frame the other reps.
  void SetCountsForFraming(bool counts);
  bool CountsForFraming() const { return countsForFraming_; }

  Kiv2DBagRep* GetFather() const;
  // Takes the rep out of its bag and gives up the bag's reference; a rep in
  // no bag gives up the caller's (creation) reference. The rep must not be
  // used afterwards unless the caller holds another reference.
  void Destroy();

  // Appends the draw items of the rep (nothing when hidden), with `world`
  // the transformation of the enclosing bags and `outer` their attributes.
  virtual void CollectDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                const KivGraphicAttributes& outer) const;
  // Extends `all` by the outlines of the items CollectDrawItems would give
  // and `framed` by those of them that count for framing (`counts`: every
  // enclosing bag does), without keeping the items: framing a level of many
  // thousand nodes needs its extent, not a flat copy of it. `scratch` is
  // reused between leaves.
  virtual void ExtendSceneBounds(Kiv2DBoundingBox& framed, Kiv2DBoundingBox& all,
                                 const Kiv3x3Matrix& world, const KivGraphicAttributes& outer,
                                 bool counts, std::vector<KivDrawItem>& scratch) const;

  // Grows with every change of any rep; viewers compare it to know whether
  // they must redraw.
  static unsigned long SceneGeneration();
  static void TouchScene();

 protected:
  Kiv2DRep() = default;
  ~Kiv2DRep() override;

  // The extent of the rep's own geometry (bags: children under the matrix).
  virtual Kiv2DBoundingBox ComputeBoundingBox() const = 0;
  // The items of a leaf, its attributes resolved.
  virtual void AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                               const KivGraphicAttributes& resolved) const {}
  // Marks the cached boxes of this rep and of its bags stale.
  void GeometryChanged();
  void OnChanged(bool geometry) override;
  // Marks the items from `first` on as not framed when this rep does not count.
  void ApplyFraming(std::vector<KivDrawItem>& out, std::size_t first) const;
  // A draw item of `kind` carrying this rep, its world matrix and attributes.
  KivDrawItem MakeItem(KivDrawItem::Kind kind, const Kiv3x3Matrix& world,
                       const KivGraphicAttributes& resolved) const;
  // The four world corners of a local box.
  static std::vector<KivMathPoint2Df> WorldCorners(const Kiv2DBoundingBox& box,
                                                   const Kiv3x3Matrix& world);

 private:
  friend class Kiv2DBagRep;
  // Where the rep sits in its bag's list of children (from 0).
  std::size_t slotInBag_ = 0;
  KivGraphicAttributes attributes_;
  mutable Kiv2DBoundingBox box_;
  mutable bool boxValid_ = false;
  bool countsForFraming_ = true;
};
KIV_DECLARE_VAR(Kiv2DRep);
