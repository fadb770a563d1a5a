#include "KivApplicationFrame.h"

#include <algorithm>

#include "KivClipboard.h"
#include "KivCommandStarter.h"
#include "KivDelayedDestruction.h"
#include "KivFrmWindow.h"

namespace {
KivApplicationFrame*& Instance() {
  static KivApplicationFrame* frame = nullptr;
  return frame;
}
}  // namespace

KivApplicationFrame::KivApplicationFrame()
    : mainWindow_(KivMake<KivDlgDocument>("MainWindow")), layout_(KivMake<KivFrmLayout>()) {}

KivApplicationFrame::~KivApplicationFrame() = default;

KivApplicationFrame* KivApplicationFrame::GetFrame() {
  if (!Instance()) Instance() = new KivApplicationFrame();
  return Instance();
}

bool KivApplicationFrame::Exists() { return Instance() != nullptr; }

void KivApplicationFrame::Shutdown() {
  KivApplicationFrame* frame = Instance();
  if (!frame) return;
  frame->CloseAll();
  // Destructions requested while closing may still reach the frame.
  KivDelayedDestruction::Flush();
  Instance() = nullptr;
  frame->Release();
  KivDelayedDestruction::Flush();
}

void KivApplicationFrame::CloseAll() {
  KivCommandStarter::CancelAll();
  KivClipboard::Empty();
  layout_->DeleteAllWindows();
  KivDelayedDestruction::Flush();
  while (!editors_.empty()) CloseEditor(editors_.back());
  // Dialogs left open under the main window go with it.
  while (mainWindow_->GetChildCount() > 0) mainWindow_->GetChild(1)->RequestDelayedDestruction();
}

KivFrmEditor* KivApplicationFrame::OpenEditor(KivProcessDocument* document) {
  if (!document) return nullptr;
  for (const auto& editor : editors_) {
    if (editor->GetProcessDocument() == document) {
      SetCurrentEditor(editor);
      return editor;
    }
  }
  editors_.push_back(KivMake<KivFrmEditor>(document));
  SetCurrentEditor(editors_.back());
  return editors_.back();
}

HRESULT KivApplicationFrame::CloseEditor(KivFrmEditor* editor) {
  auto it = std::find_if(editors_.begin(), editors_.end(),
                         [editor](const KivFrmEditor_var& e) { return e.get() == editor; });
  if (!editor || it == editors_.end()) return E_FAIL;
  KivFrmEditor_var keep = *it;
  if (current_ == editor) KivCommandStarter::CancelAll();
  const KivListValKivBaseUnknown_var windows = layout_->GetWindows();
  for (const auto& held : windows) {
    auto* window = dynamic_cast<KivFrmWindow*>(held->GetImpl());
    if (window && window->GetEditor() == editor) window->DeleteWindow();
  }
  editor->GetCSO()->Empty();
  editors_.erase(std::find(editors_.begin(), editors_.end(), keep));
  if (current_ == editor) SetCurrentEditor(editors_.empty() ? nullptr : editors_.back().get());
  return S_OK;
}

HRESULT KivApplicationFrame::SetCurrentEditor(KivFrmEditor* editor) {
  if (editor && std::none_of(editors_.begin(), editors_.end(),
                             [editor](const KivFrmEditor_var& e) { return e.get() == editor; }))
    return E_FAIL;
  current_ = editor;
  KivCSO::SetCurrent(editor ? editor->GetCSO() : nullptr);
  return S_OK;
}
