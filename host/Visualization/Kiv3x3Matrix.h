#pragma once
// A 2D affine transformation stored as a 3x3 matrix in row-vector form:
//   | m11 m12 0 |
//   | m21 m22 0 |      (x', y', 1) = (x, y, 1) * M
//   | tx  ty  1 |
// The first two rows are the images of the unit vectors, the last row the
// translation, so the rows (cos a, sin a), (-sin a, cos a) rotate by a
// counter-clockwise. A * B applies A first, then B.
#include "Kiv2DBoundingBox.h"
#include "KivMathPoint2Df.h"

class Kiv3x3Matrix {
 public:
  Kiv3x3Matrix() = default;  // identity
  Kiv3x3Matrix(double m11, double m12, double m21, double m22, double tx, double ty)
      : m11_(m11), m12_(m12), m21_(m21), m22_(m22), tx_(tx), ty_(ty) {}
  // A rotation by `radians` followed by the translation (tx, ty).
  static Kiv3x3Matrix Rotation(double radians, double tx = 0.0, double ty = 0.0);
  static Kiv3x3Matrix Translation(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }

  void SetTranslation(double tx, double ty) {
    tx_ = tx;
    ty_ = ty;
  }
  void SetTranslation(const KivMathVector2Df& t) { SetTranslation(t.x, t.y); }
  KivMathVector2Df GetTranslation() const {
    return {static_cast<float>(tx_), static_cast<float>(ty_)};
  }
  void GetTranslation(double& tx, double& ty) const {
    tx = tx_;
    ty = ty_;
  }
  // Element (row, column), both 1..3.
  double GetElement(int row, int column) const;

  bool IsIdentity() const;
  // True when the linear part is the identity (the matrix only translates).
  bool IsTranslationOnly() const;
  // False when the linear part cannot be inverted.
  bool Invert(Kiv3x3Matrix& inverse) const;

  KivMathPoint2Df Apply(const KivMathPoint2Df& p) const;
  KivMathVector2Df ApplyToVector(const KivMathVector2Df& v) const;
  // The box that holds the transformed corners of `box`.
  Kiv2DBoundingBox Apply(const Kiv2DBoundingBox& box) const;
  // The mean length the transformation gives to a unit vector.
  double MeanScale() const;

  friend Kiv3x3Matrix operator*(const Kiv3x3Matrix& first, const Kiv3x3Matrix& then);
  friend bool operator==(const Kiv3x3Matrix&, const Kiv3x3Matrix&) = default;

 private:
  double m11_ = 1.0, m12_ = 0.0;
  double m21_ = 0.0, m22_ = 1.0;
  double tx_ = 0.0, ty_ = 0.0;
};
