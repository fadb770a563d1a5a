#pragma once
// The ungroup command: the user picks one grouping activity; copies of its
// child activities move up to the group's level, linked to the group's former
// predecessors and successors, the resources of the group resource go back to
// that resource's father, the group resource and the group are deleted. The
// whole change is one change unit of the document: when a change fails
// half-way, the document goes back to what it was before the pick.
#include "KivFrmEditor.h"
#include "KivStateCommand.h"

class MoxPexPertUngroupActCmd : public KivStateCommand {
  KIV_CLASS(MoxPexPertUngroupActCmd, KivStateCommand, "MoxPexViewers")
 public:
  MoxPexPertUngroupActCmd();

  void BuildGraph() override;
  // Pick filter: a grouping activity.
  bool ValidActivitiesSelection(KivDialogAgent* agent, void* data);
  bool UngroupActivity(void* data);

  // Ungrouping always keeps to the planning rules.
  bool IsValidE5PTSRules() const { return true; }

 protected:
  ~MoxPexPertUngroupActCmd() override;

 private:
  bool Dissolve(const KivBaseUnknown_var& group, const KivBaseUnknown_var& parent,
                KivFrmEditor* editor);
  void GetCSOElements(KivFrmEditor* editor, KivListValKivBaseUnknown_var& list) const;
  bool MakeLinks(const KivBaseUnknown_var& group, const KivListValKivBaseUnknown_var& pasted);
  static void ChkIfActAlreadyHasPrevLinks(KivListValKivBaseUnknown_var& list);
  static void ChkIfActAlreadyHasNextLinks(KivListValKivBaseUnknown_var& list);
  bool ReallocateGroupResourceFromActivity(const KivBaseUnknown_var& group, KivFrmEditor* editor);
  void ShowError(const char* key, const char* fallback) const;

  KivPathElementAgent* activityAgent_ = nullptr;
  KivBaseUnknown_var picked_;
};

extern "C" KivBaseUnknown* fctCreateMoxPexPertUngroupActCmd();
