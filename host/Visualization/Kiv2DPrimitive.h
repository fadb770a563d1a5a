#pragma once
// Geometric primitives held by a custom rep (Kiv2DCustomRep): text and
// polylines. They are plain objects owned by their custom rep; attribute
// values of kKivInherit take the custom rep's attributes.
#include <memory>
#include <vector>

#include "Kiv2DBoundingBox.h"
#include "Kiv3x3Matrix.h"
#include "KivDrawItem.h"
#include "KivGraphicAttributes.h"
#include "KivUnicodeString.h"

class Kiv2DRep;

class Kiv2DPrimitive {
 public:
  virtual ~Kiv2DPrimitive() = default;
  virtual Kiv2DBoundingBox GetBoundingBox() const = 0;
  virtual void AppendDrawItem(std::vector<KivDrawItem>& out, const Kiv2DRep* source,
                              const Kiv3x3Matrix& world,
                              const KivGraphicAttributes& resolved) const = 0;

  KivGraphicAttributes& Attributes() { return attributes_; }
  const KivGraphicAttributes& Attributes() const { return attributes_; }

 protected:
  KivGraphicAttributes attributes_;
};

// A line of text whose baseline starts at `position`, measured by KivTextMetric.
class Kiv2DTextPrimitive : public Kiv2DPrimitive {
 public:
  Kiv2DTextPrimitive(const KivMathPoint2Df& position, const KivUnicodeString& text, float height,
                     int color = kKivInherit);

  const KivUnicodeString& GetText() const { return text_; }
  const KivMathPoint2Df& GetPosition() const { return position_; }
  void SetPosition(const KivMathPoint2Df& position) { position_ = position; }
  float GetHeight() const { return height_; }
  float GetWidth() const;

  Kiv2DBoundingBox GetBoundingBox() const override;
  void AppendDrawItem(std::vector<KivDrawItem>& out, const Kiv2DRep* source,
                      const Kiv3x3Matrix& world,
                      const KivGraphicAttributes& resolved) const override;

 private:
  KivMathPoint2Df position_;
  KivUnicodeString text_;
  float height_;
};

// An open (or closed) polyline.
class Kiv2DPolylinePrimitive : public Kiv2DPrimitive {
 public:
  explicit Kiv2DPolylinePrimitive(std::vector<KivMathPoint2Df> points, bool closed = false,
                                  int color = kKivInherit, int thickness = kKivInherit,
                                  int lineType = kKivInherit);

  const std::vector<KivMathPoint2Df>& GetPoints() const { return points_; }
  bool IsClosed() const { return closed_; }

  Kiv2DBoundingBox GetBoundingBox() const override;
  void AppendDrawItem(std::vector<KivDrawItem>& out, const Kiv2DRep* source,
                      const Kiv3x3Matrix& world,
                      const KivGraphicAttributes& resolved) const override;

 private:
  std::vector<KivMathPoint2Df> points_;
  bool closed_;
};
