#pragma once
// A 2D axis system: an origin and the two unit vectors I and J.
#include "KivMathPoint2Df.h"

struct KivMathAxis2D {
  KivMathPoint2Df origin{0.0f, 0.0f};
  KivMathVector2Df i{1.0f, 0.0f};
  KivMathVector2Df j{0.0f, 1.0f};

  KivMathAxis2D() = default;
  explicit KivMathAxis2D(const KivMathPoint2Df& o) : origin(o) {}
  KivMathAxis2D(const KivMathPoint2Df& o, const KivMathVector2Df& vi, const KivMathVector2Df& vj)
      : origin(o), i(vi), j(vj) {}

  const KivMathPoint2Df& GetOrigin() const { return origin; }
  void SetOrigin(const KivMathPoint2Df& o) { origin = o; }
  friend bool operator==(const KivMathAxis2D&, const KivMathAxis2D&) = default;
};
