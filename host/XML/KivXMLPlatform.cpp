#include "KivXMLPlatform.h"

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

namespace {
int gUsers = 0;
}

KivXMLPlatformUse::KivXMLPlatformUse() {
  try {
    XERCES_CPP_NAMESPACE::XMLPlatformUtils::Initialize();
    ready_ = true;
    ++gUsers;
  } catch (const XERCES_CPP_NAMESPACE::XMLException&) {
    ready_ = false;
  }
}

// Xerces counts its initialisations: the platform ends with the last user.
KivXMLPlatformUse::~KivXMLPlatformUse() {
  if (!ready_) return;
  --gUsers;
  XERCES_CPP_NAMESPACE::XMLPlatformUtils::Terminate();
}

int KivXMLPlatformUse::Users() { return gUsers; }
