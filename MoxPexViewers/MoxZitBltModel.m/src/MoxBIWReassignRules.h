#pragma once
// What the three kinds of dragged rows (product inputs, product outputs,
// resources) check alike before they move from one activity to another.
#include <initializer_list>

#include "KivList.h"
#include "KivString.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

namespace MoxBIWReassign {

inline constexpr const char* kNotAnActivity = "Item cannot be assigned to this activity .";
inline constexpr const char* kValid = "Activities are valid";
inline constexpr const char* kAlreadyAssigned = "This product is already assigned";
inline constexpr const char* kNoItemList = "Item list is not obtained";

// Both are activities (Start and Stop nodes are not), neither has been
// deleted, they are two and of one document: a drop anywhere else moves
// nothing.
bool AreTwoLiveActivities(KivBaseUnknown* source, KivBaseUnknown* destination);

// The type its model object reports; false when it has none.
bool ModelTypeOf(KivBaseUnknown* object, KivString& type);

bool IsOneOf(const KivString& type, std::initializer_list<const char*> types);

// "Product Input can not be ReAssigned from <source> to <destination>".
KivUnicodeString TypeRefusal(const KivString& source, const KivString& destination);

// True when one of the items has the name.
bool HasItemNamed(const KivListValKivBaseUnknown_var& items, const KivUnicodeString& name);

}  // namespace MoxBIWReassign
