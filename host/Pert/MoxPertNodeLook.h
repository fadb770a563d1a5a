#pragma once
// How the PERT chart tells activity types apart: the fill colour of a node
// box (a palette index, see KivColorPalette, light enough for black text)
// and the short type name drawn in it. Pictures use the same values for
// their legend.
#include <string>

#include "KivString.h"
#include "KivUnicodeString.h"

inline int MoxPertNodeFillColor(const KivString& type) {
  const std::string& t = type.str();
  if (t == "Start" || t == "Stop") return 10;  // light grey
  if (t == "BIWActivityStation") return 153;   // light blue
  if (t == "BIWActivityGrouping") return 157;  // light green
  if (t == "BIWActivityLoading") return 229;   // light yellow
  if (t == "BIWActivitySpotWelding" || t == "BIWActivityStudWelding" ||
      t == "BIWActivityArcWelding" || t == "BIWActivityClinching")
    return 223;  // light orange
  if (t == "BIWActivitySpotGluing" || t == "BIWActivityAdhesiveApplication" ||
      t == "BIWActivitySealantApplication")
    return 189;  // light violet
  return 255;    // near white
}

// "BIWActivitySpotWelding" -> "SpotWelding".
inline KivUnicodeString MoxPertShortTypeName(const KivString& type) {
  static const std::string prefix = "BIWActivity";
  const std::string& t = type.str();
  return KivUnicodeString(t.rfind(prefix, 0) == 0 ? t.substr(prefix.size()) : t);
}
