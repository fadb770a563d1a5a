#pragma once
// New products were brought under a father product in the session; handed to
// KivIProductInSession::DispatchNotification, which shows them.
#include "KivList.h"
#include "KivNotification.h"
#include "KivVar.h"

class KivPrdMultiImportNotif : public KivNotification {
  KIV_CLASS(KivPrdMultiImportNotif, KivNotification, "ProcessModel")
 public:
  KivPrdMultiImportNotif(KivBaseUnknown* father, KivListValKivBaseUnknown_var products)
      : father_(father), products_(std::move(products)) {}

  KivBaseUnknown* GetFather() const { return father_.get(); }
  const KivListValKivBaseUnknown_var& GetProducts() const { return products_; }

 protected:
  ~KivPrdMultiImportNotif() override = default;

 private:
  KivBaseUnknown_var father_;
  KivListValKivBaseUnknown_var products_;
};
