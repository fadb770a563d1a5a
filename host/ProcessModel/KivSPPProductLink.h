#pragma once
// A product input or output link of an activity (late types "ProductInput" and
// "ProductOutput"): the activity owns it, it refers to a product or assembly.
#include <string>

#include "KivISPPProductIO.h"
#include "KivIModelObject.h"
#include "KivImplement.h"

class KivProcessDocument;
class KivSPPActivity;
class KivSPPItemBase;

class KivSPPProductLink : public KivImplement<KivISPPProductIO, KivIModelObject> {
  KIV_CLASS(KivSPPProductLink, KivBaseUnknown, "ProcessModel")
 public:
  static constexpr const char* kInputType = "ProductInput";
  static constexpr const char* kOutputType = "ProductOutput";

  KivSPPProductLink(KivSPPActivity* activity, KivSPPItemBase* item, bool input, std::string id);

  const char* GetLateType() const override { return input_ ? kInputType : kOutputType; }
  KivSPPActivity* Activity() const { return activity_; }
  KivSPPItemBase* Item() const { return item_.get(); }
  bool Input() const { return input_; }
  const std::string& Id() const { return id_; }
  bool IsAttached() const { return activity_ != nullptr; }
  void Detach();

  // KivISPPProductIO
  KivBaseUnknown_var GetItem() override;
  KivBaseUnknown_var GetInputProduct() override;
  KivBaseUnknown_var GetOutputProduct() override;
  KivBaseUnknown_var GetActivity() override;
  KivBoolean IsInput() override { return input_ ? 1 : 0; }
  KivString GetLinkType() override { return GetLateType(); }

  // KivIModelObject
  KivUnicodeString ObjectName() override;
  KivString ObjectType() override { return GetLateType(); }
  KivBaseUnknown_var GetOwner() override { return GetActivity(); }

 protected:
  ~KivSPPProductLink() override = default;

 private:
  // A change unit puts every field back as it was (KivDocumentChangeUnit.h).
  friend class KivDocumentChangeUnit;
  KivSPPActivity* activity_;
  KivVar<KivSPPItemBase> item_;
  bool input_;
  std::string id_;
};
