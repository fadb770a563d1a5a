#pragma once
// The rows of a status-bar list, as the status-bar configuration file
// describes them:
//
//   <StatusBar Name="BIWStationStatusBars">       a ZitBlt name
//     <CycleTime Label="Cycle time" Unit="s" Warning="50" Limit="60"/>
//     <Attribute Name="Operators" Label="Operators"/>
//   </StatusBar>
//
// One row per CycleTime or Attribute element of every StatusBar of the
// button's name, in document order: "Label: value Unit". A number above
// Warning or Limit marks the row; above Limit the row says so. A row whose
// value is unknown (the activity has no such attribute, or no cycle time) is
// left out; an Attribute without a Name, and a Warning or Limit that is not
// a number, are traced and ignored.
#include <functional>
#include <optional>
#include <vector>

#include "KivIDOMDocument.h"
#include "KivUnicodeString.h"

struct MoxStatusBarRow {
  KivUnicodeString text;
  bool marked = false;
  friend bool operator==(const MoxStatusBarRow&, const MoxStatusBarRow&) = default;
};

class MoxStatusBarRows {
 public:
  // The value of a row's source: the cycle time (attribute empty) or a
  // user-defined attribute, as text; nothing when unknown.
  using ValueOf = std::function<std::optional<KivUnicodeString>(const KivUnicodeString& attribute)>;

  static std::vector<MoxStatusBarRow> Read(KivIDOMDocument* document,
                                           const KivUnicodeString& zitBlt, const ValueOf& valueOf);
};
