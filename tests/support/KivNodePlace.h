#pragma once
// A chart node's place as one value that compares and prints whole, and the
// calls that read and set it.
#include <gtest/gtest.h>

#include <ostream>

#include "MoxIPertNode.h"

struct Place {
  double x;
  double y;
  bool operator==(const Place&) const = default;
};
inline void PrintTo(const Place& p, std::ostream* out) { *out << "(" << p.x << ", " << p.y << ")"; }

// The node's place: its centre with flag 1, its anchor with flag 0.
inline Place PlaceOf(const KivBaseUnknown_var& node, int flag = 1) {
  Place p{0, 0};
  MoxIPertNode_var(node.get())->GetPosition(p.x, p.y, flag);
  return p;
}

inline void PlaceAt(const KivBaseUnknown_var& node, double x, double y) {
  ASSERT_EQ(MoxIPertNode_var(node.get())->SetPosition(x, y, 1), S_OK);
}
