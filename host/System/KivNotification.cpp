#include "KivNotification.h"

KivModify::KivModify(KivBaseUnknown* object, const IID& what, int flag)
    : object_(object), what_(what), flag_(flag) {
  if (object_) object_->AddRef();
}

KivModify::~KivModify() {
  if (object_) object_->Release();
}
