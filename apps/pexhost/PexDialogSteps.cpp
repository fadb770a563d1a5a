// Session steps on dialogs, message boxes and commands: type, select, check,
// activate, ok, cancel, close, answer, abort.
#include "KivDlgNotify.h"
#include "KivMessageLog.h"
#include "PexSession.h"
#include "PexStepArgs.h"
#include "PexVerbRegistry.h"

void PexRegisterDialogSteps(PexVerbRegistry& registry) {
  using Args = const std::vector<std::string>&;
  registry.AddVerb({"type", 3, 3, "DIALOG EDITOR TEXT",
                    [](PexSession&, Args a) {
                      return KivInteraction::TypeText(KivString(a[0]), KivString(a[1]), a[2]);
                    },
                    "types into an editor of a dialog"});
  registry.AddVerb({"select", 3, 3, "DIALOG COMBO LINE",
                    [](PexSession&, Args a) {
                      return KivInteraction::ChooseLine(KivString(a[0]), KivString(a[1]), a[2]);
                    },
                    "chooses a line of a combo"});
  registry.AddVerb({"check", 3, 3, "DIALOG BUTTON on|off",
                    [](PexSession&, Args a) {
                      if (a[2] != "on" && a[2] != "off")
                        return KivStepResult::Fail(PexQuoted(a[2]) + " is not on or off");
                      return KivInteraction::Check(KivString(a[0]), KivString(a[1]), a[2] == "on");
                    },
                    "sets a check button"});
  registry.AddVerb({"activate", 2, 2, "DIALOG ITEM",
                    [](PexSession&, Args a) {
                      return KivInteraction::ActivateItem(KivString(a[0]), KivString(a[1]));
                    },
                    "presses a push item"});
  registry.AddVerb({"ok", 1, 1, "DIALOG",
                    [](PexSession&, Args a) { return KivInteraction::PressOK(KivString(a[0])); },
                    "presses OK"});
  registry.AddVerb(
      {"cancel", 1, 1, "DIALOG",
       [](PexSession&, Args a) { return KivInteraction::PressCancel(KivString(a[0])); },
       "presses Cancel"});
  registry.AddVerb(
      {"close", 1, 1, "DIALOG",
       [](PexSession&, Args a) { return KivInteraction::CloseWindow(KivString(a[0])); },
       "closes a window"});
  registry.AddVerb({"answer", 1, 1, "ok|cancel",
                    [](PexSession&, Args a) {
                      if (a[0] != "ok" && a[0] != "cancel")
                        return KivStepResult::Fail(PexQuoted(a[0]) + " is not ok or cancel");
                      KivMessageLog::QueueAnswer(a[0] == "ok" ? KivDlgNfyAnswerOK
                                                              : KivDlgNfyAnswerCancel);
                      return KivStepResult::Ok();
                    },
                    "the answer the next message box gets (OK otherwise)"});
  registry.AddVerb({"abort", 0, 0, "",
                    [](PexSession&, Args) { return KivInteraction::CancelCommands(); },
                    "cancels the running commands"});
}
