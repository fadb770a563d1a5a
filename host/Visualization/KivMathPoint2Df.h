#pragma once
// Points and vectors of the 2D viewers, in viewer units (y grows upwards).
// Single precision, as the display keeps its geometry.
#include <cmath>

struct KivMathVector2Df {
  float x = 0.0f;
  float y = 0.0f;

  KivMathVector2Df() = default;
  KivMathVector2Df(float vx, float vy) : x(vx), y(vy) {}

  float Norm() const { return std::hypot(x, y); }
  float Dot(const KivMathVector2Df& o) const { return x * o.x + y * o.y; }
  KivMathVector2Df operator*(float k) const { return {x * k, y * k}; }
  KivMathVector2Df operator+(const KivMathVector2Df& o) const { return {x + o.x, y + o.y}; }
  KivMathVector2Df operator-(const KivMathVector2Df& o) const { return {x - o.x, y - o.y}; }
  friend bool operator==(const KivMathVector2Df&, const KivMathVector2Df&) = default;
};

struct KivMathPoint2Df {
  float x = 0.0f;
  float y = 0.0f;

  KivMathPoint2Df() = default;
  KivMathPoint2Df(float px, float py) : x(px), y(py) {}

  void SetCoord(float px, float py) {
    x = px;
    y = py;
  }
  void GetCoord(float& px, float& py) const {
    px = x;
    py = y;
  }
  float DistanceTo(const KivMathPoint2Df& o) const { return std::hypot(x - o.x, y - o.y); }
  KivMathPoint2Df operator+(const KivMathVector2Df& v) const { return {x + v.x, y + v.y}; }
  KivMathVector2Df operator-(const KivMathPoint2Df& o) const { return {x - o.x, y - o.y}; }
  friend bool operator==(const KivMathPoint2Df&, const KivMathPoint2Df&) = default;
};
