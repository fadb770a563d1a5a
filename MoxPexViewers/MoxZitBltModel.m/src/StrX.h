#pragma once
// The ZitBlt model's string transcoder: it turns parser text (Xerces XMLCh,
// UTF-16) into the local narrow strings that name modules, classes and
// commands, and the host's Unicode strings into parser text. The local form
// is UTF-8 whatever the process locale, so names outside ASCII survive.
#include <string>
#include <vector>
#include <xercesc/util/XercesDefs.hpp>

#include "KivString.h"
#include "KivUnicodeString.h"
#include "KivXMLPlatform.h"

class StrX {
 public:
  // Parser text; null reads as the empty string.
  explicit StrX(const XMLCh* text);
  // Text read through the host's DOM interfaces.
  explicit StrX(const KivUnicodeString& text);

  StrX(const StrX&) = delete;
  StrX& operator=(const StrX&) = delete;

  // UTF-8.
  const std::string& localForm() const { return local_; }
  KivString ToKivString() const { return KivString(local_); }
  // Zero-terminated parser text, valid as long as this object.
  const XMLCh* xmlForm() const { return xml_.data(); }

 private:
  void TranscodeToLocal();
  // Xerces stays initialised from the first transcoding to the end of the
  // process: initialising it costs far more than any name it transcodes.
  static const KivXMLPlatformUse& Platform();

  std::vector<XMLCh> xml_;
  std::string local_;
};
