#include "Kiv3x3Matrix.h"

#include <cmath>

Kiv3x3Matrix Kiv3x3Matrix::Rotation(double radians, double tx, double ty) {
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  return {c, s, -s, c, tx, ty};
}

double Kiv3x3Matrix::GetElement(int row, int column) const {
  const double rows[3][3] = {{m11_, m12_, 0.0}, {m21_, m22_, 0.0}, {tx_, ty_, 1.0}};
  if (row < 1 || row > 3 || column < 1 || column > 3) return 0.0;
  return rows[row - 1][column - 1];
}

bool Kiv3x3Matrix::IsIdentity() const { return IsTranslationOnly() && tx_ == 0.0 && ty_ == 0.0; }

bool Kiv3x3Matrix::IsTranslationOnly() const {
  return m11_ == 1.0 && m12_ == 0.0 && m21_ == 0.0 && m22_ == 1.0;
}

bool Kiv3x3Matrix::Invert(Kiv3x3Matrix& inverse) const {
  const double det = m11_ * m22_ - m12_ * m21_;
  if (det == 0.0 || !std::isfinite(det)) return false;
  const double i11 = m22_ / det, i12 = -m12_ / det;
  const double i21 = -m21_ / det, i22 = m11_ / det;
  inverse = {i11, i12, i21, i22, -(tx_ * i11 + ty_ * i21), -(tx_ * i12 + ty_ * i22)};
  return true;
}

KivMathPoint2Df Kiv3x3Matrix::Apply(const KivMathPoint2Df& p) const {
  return {static_cast<float>(p.x * m11_ + p.y * m21_ + tx_),
          static_cast<float>(p.x * m12_ + p.y * m22_ + ty_)};
}

KivMathVector2Df Kiv3x3Matrix::ApplyToVector(const KivMathVector2Df& v) const {
  return {static_cast<float>(v.x * m11_ + v.y * m21_), static_cast<float>(v.x * m12_ + v.y * m22_)};
}

Kiv2DBoundingBox Kiv3x3Matrix::Apply(const Kiv2DBoundingBox& box) const {
  Kiv2DBoundingBox out;
  if (box.IsEmpty()) return out;
  out.Extend(Apply(KivMathPoint2Df{box.xmin, box.ymin}));
  out.Extend(Apply(KivMathPoint2Df{box.xmax, box.ymin}));
  out.Extend(Apply(KivMathPoint2Df{box.xmin, box.ymax}));
  out.Extend(Apply(KivMathPoint2Df{box.xmax, box.ymax}));
  return out;
}

double Kiv3x3Matrix::MeanScale() const {
  return 0.5 * (std::hypot(m11_, m12_) + std::hypot(m21_, m22_));
}

Kiv3x3Matrix operator*(const Kiv3x3Matrix& a, const Kiv3x3Matrix& b) {
  return {a.m11_ * b.m11_ + a.m12_ * b.m21_,       a.m11_ * b.m12_ + a.m12_ * b.m22_,
          a.m21_ * b.m11_ + a.m22_ * b.m21_,       a.m21_ * b.m12_ + a.m22_ * b.m22_,
          a.tx_ * b.m11_ + a.ty_ * b.m21_ + b.tx_, a.tx_ * b.m12_ + a.ty_ * b.m22_ + b.ty_};
}
