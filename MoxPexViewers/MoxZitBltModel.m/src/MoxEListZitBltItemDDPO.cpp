#include "MoxEListZitBltItemDDPO.h"

#include "KivISPPActivityModificationEvents.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItem.h"
#include "KivISPPProductIO.h"
#include "KivIModelObject.h"
#include "KivSPPActivityNotification.h"
#include "MoxBIWReassignRules.h"
#include "MoxIBIWItemInfo.h"
#include "MoxPexBIWDDOptionsDlg.h"

using namespace MoxBIWReassign;

KIV_BOA_DATA_EXTENSION(MoxIListZitBltItemDD, MoxEListZitBltItemDDPO, "ProductOutput");

namespace {
// The product the output link gives while `activity` owns the link.
KivBaseUnknown_var OutputOf(KivBaseUnknown* link, KivBaseUnknown* activity) {
  KivISPPProductIO_var output(link);
  if (!output || KivIdentity(output->GetActivity().get()) != KivIdentity(activity))
    return NULL_var;
  return output->GetOutputProduct();
}

KivUnicodeString NameOf(KivBaseUnknown* item) {
  KivISPPItem_var named(item);
  return named ? named->GetItemName() : KivUnicodeString();
}
}  // namespace

unsigned char MoxEListZitBltItemDDPO::IsValidToReassign(KivBaseUnknown* source,
                                                        KivBaseUnknown* destination,
                                                        KivUnicodeString& message) {
  if (!AreTwoLiveActivities(source, destination)) {
    message = kNotAnActivity;
    return 0;
  }
  KivString from, to;
  if (!ModelTypeOf(source, from) || !ModelTypeOf(destination, to)) return 0;
  if (!IsOneOf(from, {"BIWActivityStation", "BIWActivityGrouping"}) ||
      !IsOneOf(to, {"BIWActivityStation", "BIWActivityLoading", "BIWActivityGrouping"})) {
    message = TypeRefusal(from, to);
    return 0;
  }
  // A link whose product is gone, or that the source no longer gives, moves
  // nothing.
  KivBaseUnknown_var product = OutputOf(GetImpl(), source);
  if (!product) return 0;
  // A loading brings parts into its station: it can take an output only when
  // nothing precedes it there.
  KivISPPFlowMgt_var destinationFlow(destination);
  if (!destinationFlow) return 0;
  if (to == "BIWActivityLoading" && !destinationFlow->PreviousActivities("Activity")->IsEmpty())
    return 0;
  const KivSPPList links = destinationFlow->ProductLinks("");
  const KivUnicodeString name = NameOf(product.get());
  for (const KivBaseUnknown_var& link : *links) {
    KivISPPProductIO_var io(link.get());
    if (io && NameOf(io->GetItem().get()) == name) {
      message = kAlreadyAssigned;
      return 0;
    }
  }
  message = kValid;
  return 1;
}

HRESULT MoxEListZitBltItemDDPO::ReassignItem(KivBaseUnknown* source, KivBaseUnknown* destination) {
  if (!source || !destination || !AreTwoLiveActivities(source, destination) ||
      !OutputOf(GetImpl(), source))
    return E_FAIL;
  destination_ = destination;
  source_ = source;
  link_ = GetImpl();
  offered_.clear();
  KivListValKivBaseUnknown_var outputs;
  if (MoxIBIWItemInfo_var info = destination) info->GetOutputs(outputs);
  HRESULT result = S_OK;
  if (outputs.IsEmpty()) {
    result = RelocateOutput();
  } else {
    // The dialog owns a reference to this extension until it is answered.
    auto* dialog = new MoxPexBIWDDOptionsDlg(this);
    for (const KivBaseUnknown_var& output : outputs) {
      KivISPPProductIO_var io(output.get());
      KivBaseUnknown_var product = io ? io->GetOutputProduct() : NULL_var;
      if (!product) continue;
      offered_.push_back(output);
      dialog->SetLineString(NameOf(product.get()));
    }
  }
  SendNotifications();
  return result;
}

void MoxEListZitBltItemDDPO::ReplaceOutputAtDestination(int index) {
  // The line chosen names the output shown on it: outputs without a
  // product were not offered.
  if (index >= 1 && index <= static_cast<int>(offered_.size()))
    if (MoxIBIWItemInfo_var info = destination_.get())
      info->ReplaceOutput(offered_[static_cast<std::size_t>(index - 1)].get(), nullptr);
  RelocateOutput();
}

void MoxEListZitBltItemDDPO::ForgetPendingMove() {
  destination_ = NULL_var;
  source_ = NULL_var;
  link_ = NULL_var;
  offered_.clear();
}

HRESULT MoxEListZitBltItemDDPO::RelocateOutput() {
  // The document may have changed while the dialog was open: the link must
  // still be the source's, and the destination able to take it.
  KivBaseUnknown_var product = OutputOf(link_.get(), source_.get());
  KivISPPFlowMgt_var from(source_.get()), to(destination_.get());
  HRESULT result = E_FAIL;
  if (product && from && to && AreTwoLiveActivities(source_.get(), destination_.get()) &&
      SUCCEEDED(from->RemoveProductLink(link_.get()))) {
    if (to->CreateProductOutput(product.get())) {
      result = S_OK;
    } else {
      from->CreateProductOutput(product.get());
    }
  }
  SendNotifications();
  ForgetPendingMove();
  return result;
}

void MoxEListZitBltItemDDPO::SendNotifications() {
  if (!destination_ || !source_) return;
  KivIModelObject_var model(destination_.get());
  KivBaseUnknown_var owner = model ? model->GetOwner() : NULL_var;
  KivISPPActivityModificationEvents_var events(owner.get());
  if (!events) return;
  for (KivBaseUnknown* activity : {destination_.get(), source_.get()}) {
    KivVar<KivSPPActivityNotification> notification =
        KivMake<KivSPPActivityNotification>(activity, nullptr, 3);
    events->Dispatch(notification.get());
  }
}
