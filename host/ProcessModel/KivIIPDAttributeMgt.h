#pragma once
// User-defined attributes of an activity: long, double and string values.
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivIIPDAttributeMgt = KivGUID::FromName("KivIIPDAttributeMgt");

class KivIIPDAttributeMgt : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIIPDAttributeMgt)
 public:
  // S_OK with the value; E_FAIL (value untouched) when there is no such attribute.
  virtual HRESULT GetAttributeValue(const KivUnicodeString& name, KivIPDValue& value) = 0;
  // Sets or (with std::monostate) removes an attribute; sends kind 3.
  virtual HRESULT SetAttributeValue(const KivUnicodeString& name, const KivIPDValue& value) = 0;
  // Appends the attribute names in the order they were first set.
  virtual HRESULT ListAttributeNames(KivListValKivUnicodeString& out) = 0;
};
KIV_DECLARE_VAR(KivIIPDAttributeMgt);
