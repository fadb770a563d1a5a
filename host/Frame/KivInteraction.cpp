#include "KivInteraction.h"

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivDlgCheckButton.h"
#include "KivDlgCombo.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgPushItem.h"
#include "KivDlgSelectorList.h"
#include "KivFrmWindow.h"
#include "KivISPPActivity.h"
#include "KivISPPItem.h"
#include "KivIModelObject.h"
#include "KivProcessDocumentReader.h"

namespace {
// Ends a user event: the releases it queued run now.
KivStepResult EndOfEvent(KivStepResult result) {
  KivDelayedDestruction::Flush();
  return result;
}

std::string Quoted(const KivString& s) { return "\"" + s.str() + "\""; }

std::string NameOf(KivBaseUnknown* object) {
  if (KivIModelObject_var named = object) return named->ObjectName().ConvertToUTF8();
  if (KivISPPItem_var item = object) return item->GetItemName().ConvertToUTF8();
  return object ? object->IsA() : "nothing";
}

template <class Widget>
Widget* FindWidget(const KivString& dialogName, const KivString& widgetName, std::string& error) {
  KivDialog* dialog = KivInteraction::FindDialog(dialogName);
  if (!dialog) {
    error = "no dialog " + Quoted(dialogName);
    return nullptr;
  }
  KivDialog* child = dialog->FindChild(widgetName);
  auto* widget = child ? dynamic_cast<Widget*>(child) : nullptr;
  if (!widget) {
    error = "no " + std::string(Widget::MetaObject().ClassName()) + " " + Quoted(widgetName) +
            " in dialog " + Quoted(dialogName);
    return nullptr;
  }
  if (!widget->IsReachable()) {
    error = Quoted(widgetName) + " in " + Quoted(dialogName) + " is hidden or insensitive";
    return nullptr;
  }
  return widget;
}

KivDlgDialog* FindBox(const KivString& dialogName, std::string& error) {
  auto* box = dynamic_cast<KivDlgDialog*>(KivInteraction::FindDialog(dialogName));
  if (!box) error = "no dialog box " + Quoted(dialogName);
  return box;
}
}  // namespace

KivStepResult KivInteraction::OpenDocument(const KivUnicodeString& path) {
  KivVar<KivProcessDocument> document;
  KivProcessDocumentError error;
  if (FAILED(KivProcessDocumentReader::LoadFile(path, document, error)) || !document)
    return EndOfEvent(KivStepResult::Fail(error.ToString()));
  return OpenDocument(document);
}

KivStepResult KivInteraction::OpenDocument(KivProcessDocument* document) {
  if (!document) return EndOfEvent(KivStepResult::Fail("no document to open"));
  KivFrmEditor* editor = KivApplicationFrame::GetFrame()->OpenEditor(document);
  // The document's own window, so that the layout shows what is open.
  std::string name = document->GetStorageName().ConvertToUTF8();
  if (const auto slash = name.find_last_of('/'); slash != std::string::npos)
    name.erase(0, slash + 1);
  if (name.empty()) name = "Process";
  bool hasWindow = false;
  for (const auto& held : KivFrmLayout::GetCurrentLayout()->GetWindows()) {
    auto* window = dynamic_cast<KivFrmWindow*>(held->GetImpl());
    hasWindow = hasWindow || (window && window->GetEditor() == editor);
  }
  if (!hasWindow) new KivFrmWindow(name, editor);  // the layout owns it
  return EndOfEvent(KivStepResult::Ok("opened " + name));
}

KivFrmEditor* KivInteraction::GetCurrentEditor() { return KivFrmEditor::GetCurrentEditor(); }

KivStepResult KivInteraction::StartCommand(const KivString& className, KivBaseUnknown* argument) {
  KivApplicationFrame::GetFrame();  // commands expect the frame
  KivCommandStarter::Result started = KivCommandStarter::Start(className, argument);
  if (!started) return EndOfEvent(KivStepResult::Fail(started.message.str()));
  KivStateCommand_var stateCommand = started.command;
  std::string status = "started " + className.str();
  if (stateCommand && stateCommand->IsEnded()) status += " (it has ended)";
  return EndOfEvent(KivStepResult::Ok(status));
}

KivStepResult KivInteraction::CancelCommands() {
  const int running = KivCommandStarter::RunningCount();
  KivCommandStarter::CancelAll();
  return EndOfEvent(KivStepResult::Ok("cancelled " + std::to_string(running) + " command(s)"));
}

KivStepResult KivInteraction::Pick(KivBaseUnknown* object) {
  KivListValKivBaseUnknown_var one;
  if (object) one.Append(KivBaseUnknown_var(object));
  return Pick(one);
}

KivStepResult KivInteraction::Pick(const KivListValKivBaseUnknown_var& objects) {
  KivFrmEditor* editor = GetCurrentEditor();
  if (!editor) return EndOfEvent(KivStepResult::Fail("no document is open"));
  if (objects.IsEmpty()) return EndOfEvent(KivStepResult::Fail("nothing to pick"));
  KivListValKivBaseUnknown_var paths;
  std::string names;
  for (const auto& object : objects) {
    if (!object) continue;
    // A deleted activity is no longer in any window: it cannot be picked.
    if (KivISPPActivity_var activity = object; activity && !activity->IsAttached())
      return EndOfEvent(KivStepResult::Fail(NameOf(object) + " was deleted; it cannot be picked"));
    paths.Append(KivBaseUnknown_var(editor->BuildPathElement(object).get()));
    names += (names.empty() ? "" : ", ") + NameOf(object);
  }
  KivStateCommand* command = KivCommandStarter::GetActiveStateCommand();
  if (!command) {
    editor->GetCSO()->Empty();
    editor->GetCSO()->AddElements(paths);
    return EndOfEvent(KivStepResult::Ok("selected " + names));
  }
  KivStateCommand_var keep(command);
  const int taken = command->OfferPicks(paths);
  if (taken == 0)
    return EndOfEvent(
        KivStepResult::Fail(command->GetName().str() + " refused the pick of " + names));
  return EndOfEvent(KivStepResult::Ok(command->GetName().str() + " took " + std::to_string(taken) +
                                      " of " + names));
}

KivBaseUnknown_var KivInteraction::FindObject(const std::string& idOrName, std::string& error) {
  KivFrmEditor* editor = GetCurrentEditor();
  if (!editor) {
    error = "no document is open";
    return NULL_var;
  }
  KivProcessDocument* document = editor->GetProcessDocument();
  if (KivBaseUnknown_var byId = document->FindById(idOrName)) return byId;
  KivBaseUnknown_var found;
  int matches = 0;
  std::string ids;  // of the objects that match, for the message
  for (const auto& list :
       {document->ListActivities(), document->ListProducts(), document->ListResources()}) {
    for (const auto& object : list) {
      if (NameOf(object) != idOrName) continue;
      if (++matches == 1) found = object;
      ids += (ids.empty() ? "" : ", ") + document->IdOf(object.get());
    }
  }
  if (matches == 1) return found;
  error = matches == 0 ? "no object with identifier or name \"" + idOrName + "\""
                       : std::to_string(matches) + " objects are named \"" + idOrName + "\" (" +
                             ids + "); use an identifier";
  return NULL_var;
}

KivStepResult KivInteraction::Pick(const std::string& idOrName) {
  std::string error;
  KivBaseUnknown_var object = FindObject(idOrName, error);
  if (!object) return EndOfEvent(KivStepResult::Fail(error));
  return Pick(object.get());
}

KivStepResult KivInteraction::Select(const KivListValKivBaseUnknown_var& objects) {
  KivFrmEditor* editor = GetCurrentEditor();
  if (!editor) return EndOfEvent(KivStepResult::Fail("no document is open"));
  KivListValKivBaseUnknown_var paths;
  for (const auto& object : objects)
    if (object) paths.Append(KivBaseUnknown_var(editor->BuildPathElement(object).get()));
  editor->GetCSO()->Empty();
  editor->GetCSO()->AddElements(paths);
  return EndOfEvent(KivStepResult::Ok("selected " + std::to_string(paths.Size()) + " object(s)"));
}

KivDialog* KivInteraction::FindDialog(const KivString& dialogName) {
  KivApplicationFrame* frame = KivApplicationFrame::GetFrame();
  KivDialog* main = frame->GetMainWindow();
  KivDialog* hidden = nullptr;
  for (int i = main->GetChildCount(); i >= 1; --i) {
    KivDialog* child = main->GetChild(i);
    if (child->GetName() != dialogName) continue;
    if (child->IsVisible()) return child;
    if (!hidden) hidden = child;
  }
  if (hidden) return hidden;
  if (KivDialog* window = frame->GetLayout()->FindWindow(dialogName)) return window;
  // Dialogs nested in other dialogs or in document windows.
  if (KivDialog* nested = main->FindChild(dialogName)) return nested;
  for (const auto& held : frame->GetLayout()->GetWindows()) {
    auto* window = dynamic_cast<KivFrmWindow*>(held->GetImpl());
    if (KivDialog* nested = window ? window->FindChild(dialogName) : nullptr) return nested;
  }
  return nullptr;
}

KivStepResult KivInteraction::TypeText(const KivString& dialogName, const KivString& editorName,
                                       const KivUnicodeString& text) {
  std::string error;
  auto* editor = FindWidget<KivDlgEditor>(dialogName, editorName, error);
  if (!editor) return EndOfEvent(KivStepResult::Fail(error));
  editor->Type(text);
  return EndOfEvent(
      KivStepResult::Ok("typed \"" + text.ConvertToUTF8() + "\" into " + Quoted(editorName)));
}

KivStepResult KivInteraction::ChooseLine(const KivString& dialogName, const KivString& widgetName,
                                         const KivUnicodeString& line) {
  std::string error;
  KivDialog* dialog = FindDialog(dialogName);
  KivDialog* widget = dialog ? dialog->FindChild(widgetName) : nullptr;
  bool chosen = false;
  if (auto* combo = dynamic_cast<KivDlgCombo*>(widget)) {
    if (!(combo = FindWidget<KivDlgCombo>(dialogName, widgetName, error)))
      return EndOfEvent(KivStepResult::Fail(error));
    chosen = combo->ChooseLine(line);
  } else if (auto* list = dynamic_cast<KivDlgSelectorList*>(widget)) {
    if (!(list = FindWidget<KivDlgSelectorList>(dialogName, widgetName, error)))
      return EndOfEvent(KivStepResult::Fail(error));
    chosen = list->ChooseLine(line);
  } else {
    return EndOfEvent(KivStepResult::Fail("no combo or list " + Quoted(widgetName) + " in " +
                                          (dialog ? "dialog " : "missing dialog ") +
                                          Quoted(dialogName)));
  }
  if (!chosen)
    return EndOfEvent(
        KivStepResult::Fail("no line \"" + line.ConvertToUTF8() + "\" in " + Quoted(widgetName)));
  return EndOfEvent(
      KivStepResult::Ok("chose \"" + line.ConvertToUTF8() + "\" in " + Quoted(widgetName)));
}

KivStepResult KivInteraction::Check(const KivString& dialogName, const KivString& buttonName,
                                    bool checked) {
  std::string error;
  auto* button = FindWidget<KivDlgCheckButton>(dialogName, buttonName, error);
  if (!button) return EndOfEvent(KivStepResult::Fail(error));
  button->Check(checked);
  return EndOfEvent(KivStepResult::Ok((checked ? "checked " : "unchecked ") + Quoted(buttonName)));
}

KivStepResult KivInteraction::ActivateItem(const KivString& dialogName, const KivString& itemName) {
  std::string error;
  auto* item = FindWidget<KivDlgPushItem>(dialogName, itemName, error);
  if (!item) return EndOfEvent(KivStepResult::Fail(error));
  item->Push();
  return EndOfEvent(KivStepResult::Ok("activated " + Quoted(itemName)));
}

KivStepResult KivInteraction::PressOK(const KivString& dialogName) {
  std::string error;
  KivDlgDialog* box = FindBox(dialogName, error);
  if (!box) return EndOfEvent(KivStepResult::Fail(error));
  KivBaseUnknown_var keep(box);
  if (!box->IsShownOnScreen())
    return EndOfEvent(KivStepResult::Fail(Quoted(dialogName) + " is not shown"));
  if (!box->PushOK())
    return EndOfEvent(KivStepResult::Fail("OK of " + Quoted(dialogName) + " is insensitive"));
  return EndOfEvent(KivStepResult::Ok("pressed OK in " + Quoted(dialogName)));
}

KivStepResult KivInteraction::PressCancel(const KivString& dialogName) {
  std::string error;
  KivDlgDialog* box = FindBox(dialogName, error);
  if (!box) return EndOfEvent(KivStepResult::Fail(error));
  KivBaseUnknown_var keep(box);
  if (!box->PushCancel())
    return EndOfEvent(KivStepResult::Fail(Quoted(dialogName) + " is not shown"));
  return EndOfEvent(KivStepResult::Ok("pressed Cancel in " + Quoted(dialogName)));
}

KivStepResult KivInteraction::CloseWindow(const KivString& dialogName) {
  auto* window = dynamic_cast<KivDlgWindow*>(FindDialog(dialogName));
  if (!window) return EndOfEvent(KivStepResult::Fail("no window " + Quoted(dialogName)));
  KivBaseUnknown_var keep(window);
  if (!window->Close())
    return EndOfEvent(KivStepResult::Fail(Quoted(dialogName) + " is not shown"));
  return EndOfEvent(KivStepResult::Ok("closed " + Quoted(dialogName)));
}
