#pragma once
// The one way a user drives the host: each call is one user event (open a
// document, start a command, pick, answer a dialog) and answers whether it
// succeeded, with a message saying what happened or what went wrong. Delayed
// destructions run after each event. Tests and session scripts use the same
// calls.
#include <string>
#include <vector>

#include "KivCommandStarter.h"
#include "KivDialog.h"
#include "KivFrmEditor.h"
#include "KivMessageLog.h"

struct KivStepResult {
  bool ok = false;
  std::string message;
  explicit operator bool() const { return ok; }
  static KivStepResult Ok(std::string message = {}) { return {true, std::move(message)}; }
  static KivStepResult Fail(std::string message) { return {false, std::move(message)}; }
};

class KivInteraction {
 public:
  // Loads the document file and opens it in a new editor that becomes
  // current; nothing is opened when the file is refused.
  static KivStepResult OpenDocument(const KivUnicodeString& path);
  // Opens a document already in memory.
  static KivStepResult OpenDocument(KivProcessDocument* document);
  static KivFrmEditor* GetCurrentEditor();

  // Starts a command by class name (see KivCommandStarter).
  static KivStepResult StartCommand(const KivString& className, KivBaseUnknown* argument = nullptr);
  // Cancels the running state commands.
  static KivStepResult CancelCommands();

  // Picks objects in one event: into the active state command's agents (and,
  // for agents that are clients of it, the current selection); with no
  // command running, the picked objects become the current selection.
  static KivStepResult Pick(KivBaseUnknown* object);
  static KivStepResult Pick(const KivListValKivBaseUnknown_var& objects);
  // Picks by identifier in the current document, else by the unique name of
  // an activity, product or resource.
  static KivStepResult Pick(const std::string& idOrName);
  // The object of the current document with that identifier or unique name;
  // a name several objects share is refused with their identifiers.
  static KivBaseUnknown_var FindObject(const std::string& idOrName, std::string& error);
  // Replaces the current selection without going through a command.
  static KivStepResult Select(const KivListValKivBaseUnknown_var& objects);

  // Dialogs are found by name: shown dialogs under the main window first
  // (the most recent first), then hidden ones, then the layout's windows.
  // Widgets by name inside them.
  static KivDialog* FindDialog(const KivString& dialogName);
  static KivStepResult TypeText(const KivString& dialogName, const KivString& editorName,
                                const KivUnicodeString& text);
  static KivStepResult ChooseLine(const KivString& dialogName, const KivString& widgetName,
                                  const KivUnicodeString& line);
  static KivStepResult Check(const KivString& dialogName, const KivString& buttonName,
                             bool checked);
  static KivStepResult ActivateItem(const KivString& dialogName, const KivString& itemName);
  static KivStepResult PressOK(const KivString& dialogName);
  static KivStepResult PressCancel(const KivString& dialogName);
  static KivStepResult CloseWindow(const KivString& dialogName);

  // Messages shown to the user, oldest first.
  static std::vector<KivLoggedMessage> Messages() { return KivMessageLog::GetMessages(); }
  static void ClearMessages() { KivMessageLog::Clear(); }
};
