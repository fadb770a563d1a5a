#pragma once
// The application frame: the main window (parent of the host's dialogs), the
// window layout and the open editors, one of which is current. Made on first
// use; Shutdown() closes everything (commands, windows, editors, clipboard)
// so that the next use starts afresh.
#include <vector>

#include "KivDlgWindow.h"
#include "KivFrmEditor.h"
#include "KivFrmLayout.h"

class KivApplicationFrame : public KivImplement<> {
  KIV_CLASS(KivApplicationFrame, KivBaseUnknown, "Frame")
 public:
  static KivApplicationFrame* GetFrame();
  static bool Exists();
  static void Shutdown();

  KivDlgDocument* GetMainWindow() const { return mainWindow_.get(); }
  KivFrmLayout* GetLayout() const { return layout_.get(); }

  // Opens an editor on the document and makes it current; the same editor
  // when the document is open already. Null for a null document.
  KivFrmEditor* OpenEditor(KivProcessDocument* document);
  // Deletes the editor's windows, cancels the running commands when it is
  // the current editor, and forgets it. E_FAIL for an editor not open here.
  HRESULT CloseEditor(KivFrmEditor* editor);
  const std::vector<KivFrmEditor_var>& GetEditors() const { return editors_; }
  KivFrmEditor* GetCurrentEditor() const { return current_; }
  HRESULT SetCurrentEditor(KivFrmEditor* editor);

 protected:
  KivApplicationFrame();
  ~KivApplicationFrame() override;

 private:
  void CloseAll();

  KivVar<KivDlgDocument> mainWindow_;
  KivVar<KivFrmLayout> layout_;
  std::vector<KivFrmEditor_var> editors_;
  KivFrmEditor* current_ = nullptr;
};
