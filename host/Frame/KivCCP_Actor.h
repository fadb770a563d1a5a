#pragma once
// The copy/paste actor of an editor: copies the activities of the editor's
// current selection to the clipboard, pastes them as new copies into a target
// activity, and cuts (deletes) the selected activities, all through the
// process document's copy and delete.
//
//   KivCCP_Actor actor(0, editor);          // clipboard type 0: the application's
//   if (actor.Init()) {
//     actor.SetMode(KivCCP_Actor::CopyMode);
//     if (actor.ReadSelection() && actor.CanCopy()) actor.Copy();
//     actor.SetMode(KivCCP_Actor::PasteMode);
//     if (actor.CanPaste(target)) actor.Paste(target);   // copies become the selection
//   }
//
// A cut deletes the activities: the document cannot keep deleted activities
// for a later paste, so a cut leaves nothing to paste (the clipboard forgets
// deleted activities).
#include "KivFrmEditor.h"
#include "KivImplement.h"
#include "KivPathElement.h"

class KivCCP_Actor : public KivImplement<> {
  KIV_CLASS(KivCCP_Actor, KivBaseUnknown, "Frame")
 public:
  static constexpr int CopyMode = 1;
  static constexpr int PasteMode = 4;

  KivCCP_Actor(int clipboardType, KivFrmEditor* editor);

  // True when the clipboard type is known (0) and the editor has a process
  // document.
  bool Init();
  // CopyMode or PasteMode; false (mode unchanged) for anything else.
  bool SetMode(int mode);
  int GetMode() const { return mode_; }

  // Copy mode: takes the activities of the editor's current selection (other
  // selected objects are left out). True when there is at least one.
  bool ReadSelection();
  const KivListValKivBaseUnknown_var& GetReadActivities() const { return read_; }
  bool CanCopy() const;
  HRESULT Copy();
  // The root activity cannot be cut.
  bool CanCut() const;
  // Deletes the read activities; their paths leave the selection sets.
  HRESULT Cut();

  // Paste mode: the clipboard holds activities of this editor's document and
  // the target path ends with one of its activities, outside the copied ones.
  bool CanPaste(KivPathElement* target) const;
  // Copies the clipboard's activities under the target; the copies become
  // the editor's current selection.
  HRESULT Paste(KivPathElement* target);
  // The copies made by the last paste.
  const KivListValKivBaseUnknown_var& GetPastedObjects() const { return pasted_; }

  // The clipboard itself: opening empties it, closing keeps its content.
  void OpenClipboard();
  void CloseClipboard();

 protected:
  ~KivCCP_Actor() override;

 private:
  KivBaseUnknown* TargetActivity(KivPathElement* target) const;

  int clipboardType_;
  KivFrmEditor_var editor_;
  bool initialised_ = false;
  int mode_ = 0;
  KivListValKivBaseUnknown_var read_;
  KivListValKivBaseUnknown_var pasted_;
};
