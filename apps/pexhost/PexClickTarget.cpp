#include "PexClickTarget.h"

#include <memory>

#include "KivFrmEditor.h"
#include "KivIGENode.h"
#include "KivManipulator.h"
#include "KivPertInteraction.h"
#include "KivViewer.h"
#include "MoxIZitBltButton.h"
#include "MoxIZitBltMgr.h"
#include "MoxPertController.h"
#include "PexSession.h"
#include "PexStepArgs.h"

namespace {
std::string NodeLabel(KivBaseUnknown* node) {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  KivIGENode_var graphNode(node);
  std::string id = editor ? editor->GetProcessDocument()->IdOf(node) : std::string();
  std::string name = graphNode ? PexQuoted(graphNode->GetNodeName().ConvertToUTF8()) : "";
  return id.empty() ? name : name.empty() ? id : id + " " + name;
}

// The drawn node whose status buttons include `button`; null when none does.
KivBaseUnknown_var NodeOfButton(MoxPertController& controller, MoxIZitBltButton* button) {
  for (const auto& node : controller.GetDrawnNodes()) {
    MoxIZitBltMgr_var manager(node.get());
    KivListValKivUnicodeString* list = nullptr;
    if (!manager || FAILED(manager->GetAllZitBlts(&list))) continue;
    std::unique_ptr<KivListValKivUnicodeString> names(list);
    for (const KivUnicodeString& name : *names)
      if (manager->GetZitBltButton(name).get() == button) return node;
  }
  return KivBaseUnknown_var();
}
}  // namespace

KivStepResult PexClickAndSay(PexSession& session, float x, float y) {
  KivViewer* viewer = session.CurrentViewer();
  MoxPertController* controller = session.CurrentController();
  if (!viewer || !controller) return KivStepResult::Fail("the current window shows no PERT level");
  // The same choice the viewer makes: the topmost rep with a manipulator.
  std::string what;
  MoxIZitBltButton_var button;
  for (const auto& rep : viewer->PickAll(x, y)) {
    KivManipulator* manipulator = rep->GetManipulator();
    if (!manipulator) continue;
    button = MoxIZitBltButton_var(manipulator->GetFather());
    if (button) {
      KivBaseUnknown_var node = NodeOfButton(*controller, button.get());
      what = "button " + PexQuoted(button->GetButtonName().ConvertToUTF8()) +
             (node ? " of " + NodeLabel(node.get()) : std::string());
    } else if (KivBaseUnknown* model = rep->FindModelObject()) {
      what = (controller->IsNodeDrawn(KivBaseUnknown_var(model)) ? "node " : "") + NodeLabel(model);
    }
    if (what.empty()) what = manipulator->GetName().c_str();
    break;
  }
  KivStepResult clicked = KivPertInteraction::ClickAt(viewer, x, y);
  if (!clicked) return clicked;
  if (button) what += button->IsOpen() ? ", its list now open" : ", its list now closed";
  return KivStepResult::Ok(clicked.message + ": " + what);
}
