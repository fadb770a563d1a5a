#pragma once
// The group command: the user picks stations and groupings of one PERT level,
// one after the other; each pick is checked (one parent activity, resources
// under one father product) and the group dialog follows the picks. On OK the
// shape of the picked set in the precedence graph is checked and, when sound,
// the picked activities are replaced by a new grouping activity holding copies
// of them, linked into the flow in their place, named, timed and given one
// group resource that gathers their resources. The whole build is one change
// unit of the document: when any change fails half-way, the document goes
// back to what it was before OK.
#include "KivFrmEditor.h"
#include "KivIProduct.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivStateCommand.h"

class MoxPexActivityGroupDlg;
class MoxPexGroupShape;

class MoxPexPertGrpActCmd : public KivStateCommand {
  KIV_CLASS(MoxPexPertGrpActCmd, KivStateCommand, "MoxPexViewers")
 public:
  MoxPexPertGrpActCmd();

  void BuildGraph() override;

  // Pick filter: a station or a grouping activity.
  bool ValidActivitiesSelection(KivDialogAgent* agent, void* data);
  bool InitializeActForGroup(void* data);
  bool AddActivitiesToList(void* data);
  // The OK action: the checks, then the build. False only after
  // ErrorMessage5.
  bool CreateGroup(void* data);

  // The shape check; shows ErrorMessage2 when it fails.
  bool ValidateSelection();
  void GetListActsWithprevActNotSelected(KivListValKivBaseUnknown_var* list) const;
  void GetListActsWithNextActNotSelected(KivListValKivBaseUnknown_var* list) const;
  bool IsRuleOneViolated() const;
  bool IsRuleTwoViolated() const;
  // True when the activity's resources hang under the resource father (the
  // father of the first resource met during the command, recorded then).
  // Shows the message of the first mismatch; true when both levels agree.
  bool ReportLevelMismatch(bool sameLevel, bool sameResourceLevel);
  bool IsSameResourceLevel(const KivISPPActivity_var& activity);
  // No resource type is offered for a group resource under the planning rules.
  KivListVal<KivUnicodeString> GetListOfValidResourcesType() const { return {}; }
  KivBaseUnknown_var GetValidChildrenOfParentObject(KivBaseUnknown*) const { return {}; }

  // "BIWActivityGrouping" for "Grouping Activity", otherwise empty.
  static KivUnicodeString GetActivityTypeToCreate(const KivUnicodeString& dialogType);

  MoxPexActivityGroupDlg* GetDialog() const { return dialog_; }
  const KivListValKivBaseUnknown_var& GetGroupList() const { return groupList_; }
  const KivISPPAbstractActivity_var& GetGroupActivity() const { return groupActivity_; }

 protected:
  ~MoxPexPertGrpActCmd() override;

 private:
  void ShowError(const char* key) const;
  bool SameParent(const KivISPPActivity_var& activity) const;
  void ProposeNames();
  void OfferDefaultResourceType();
  // The build on OK, after the checks; false when a change failed.
  bool BuildGroup(const KivBaseUnknown_var& entry);
  bool CopyList(const KivListValKivBaseUnknown_var& list, const KivBaseUnknown_var& group);
  void GetCSOElements(KivListValKivBaseUnknown_var& list) const;
  bool MakeLinks(const KivBaseUnknown_var& group, const KivListValKivBaseUnknown_var& pasted);
  static void GetListActAfterStartAndBeforeStop(const KivListValKivBaseUnknown_var* list,
                                                KivListValKivBaseUnknown_var& afterStart,
                                                KivListValKivBaseUnknown_var& beforeStop);
  bool RemoveFlows(const KivBaseUnknown_var& group, const KivListValKivBaseUnknown_var& picked);
  bool SetCycleTime(const KivBaseUnknown_var& group, const KivListValKivBaseUnknown_var& children);
  bool CreateGroupResource(const KivBaseUnknown_var& group,
                           const KivListValKivBaseUnknown_var& children);
  void CreateOneResource(const KivIProduct_var& product) const;
  MoxPexGroupShape Shape() const;

  MoxPexActivityGroupDlg* dialog_ = nullptr;
  KivISPPAbstractActivity_var groupActivity_;
  KivDialogAgent* okAgent_ = nullptr;
  KivDialogAgent* cancelAgent_ = nullptr;
  KivISPPActivity_var firstPicked_;
  KivISPPActivity_var referenceParent_;
  KivPathElementAgent* activityAgent_ = nullptr;
  KivListValKivBaseUnknown_var groupList_;
  KivIProduct_var resourceFather_;
  bool resourceFatherKnown_ = false;
  KivListVal<KivUnicodeString> validResourceTypes_;
  KivFrmEditor_var editor_;
  KivBaseUnknown_var document_;
  bool ruleEnvironment_ = false;
  bool resourcesAssigned_ = false;
};

extern "C" KivBaseUnknown* fctCreateMoxPexPertGrpActCmd();
