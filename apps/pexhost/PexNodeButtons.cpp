#include "PexNodeButtons.h"

#include <memory>

#include "KivBaseUnknown.h"
#include "MoxIZitBltMgr.h"
#include "MoxZitBltRep.h"
#include "PexJsonWriter.h"
#include "PexListSteps.h"

namespace {
// The manager of the node's buttons; the shell does not link the plug-in, so
// the interface is asked for by name.
MoxIZitBltMgr_var ManagerOf(KivBaseUnknown* node) {
  void* out = nullptr;
  if (!node || FAILED(node->QueryInterface(MoxIZitBltMgr::InterfaceName(), &out)) || !out)
    return MoxIZitBltMgr_var();
  return MoxIZitBltMgr_var::Adopt(static_cast<MoxIZitBltMgr*>(out));
}
}  // namespace

MoxZitBltRep* PexFindNodeButton(KivBaseUnknown* node, const std::string& button,
                                std::string& error) {
  MoxIZitBltMgr_var manager = ManagerOf(node);
  MoxZitBltRep* rep = nullptr;
  if (!manager || FAILED(manager->FindZitBlt(KivUnicodeString(button), &rep)) || !rep) {
    error = "the node has no button \"" + button + "\"";
    return nullptr;
  }
  return rep;
}

void PexWriteNodeButtons(KivBaseUnknown* node, PexJsonWriter& json) {
  MoxIZitBltMgr_var manager = ManagerOf(node);
  if (!manager) return;
  KivListValKivUnicodeString* list = nullptr;
  if (FAILED(manager->GetAllZitBlts(&list))) return;
  std::unique_ptr<KivListValKivUnicodeString> names(list);
  for (const KivUnicodeString& name : *names) {
    MoxZitBltRep* rep = nullptr;
    if (FAILED(manager->FindZitBlt(name, &rep)) || !rep) continue;
    json.BeginObject();
    json.Key("name");
    json.String(name.ConvertToUTF8());
    json.Key("location");
    json.String(rep->GetLocation().ConvertToUTF8());
    json.Key("shown");
    json.Bool(rep->GetStatus() == 1);
    json.Key("open");
    json.Bool(!rep->IsButtonCollapse());
    const Kiv2DBagRep* bag = rep->GetZitBltBtn();
    if (bag && bag->GetMatrix()) {
      const KivMathVector2Df at = bag->GetMatrix()->GetTranslation();
      json.Key("x");
      json.Number(at.x);
      json.Key("y");
      json.Number(at.y);
    }
    if (!rep->IsButtonCollapse()) PexWriteListRows(rep, json);
    json.EndObject();
  }
}

KivStepResult PexDriveNodeButton(KivBaseUnknown* node, const std::string& button,
                                 const std::string& action) {
  MoxIZitBltMgr_var manager = ManagerOf(node);
  if (!manager) return KivStepResult::Fail("the node has no status buttons");
  MoxZitBltRep* rep = nullptr;
  if (FAILED(manager->FindZitBlt(KivUnicodeString(button), &rep)) || !rep)
    return KivStepResult::Fail("the node has no button \"" + button + "\"");
  if (action == "show" || action == "hide") {
    if (FAILED(manager->SetZitBltStatus(KivUnicodeString(button), action == "show" ? 1 : 0)))
      return KivStepResult::Fail("button \"" + button + "\" cannot be " +
                                 (action == "show" ? "shown" : "hidden"));
    return KivStepResult::Ok();
  }
  if (action == "click") {
    if (!rep->GetZitBltBtn())
      return KivStepResult::Fail("button \"" + button + "\" is not drawn in a viewer");
    rep->ChangeBtnState();
    return KivStepResult::Ok(rep->IsButtonCollapse() ? "closed" : "opened");
  }
  return KivStepResult::Fail("\"" + action + "\" is not show, hide or click");
}

KivStepResult PexCheckNodeButton(KivBaseUnknown* node, const std::string& button,
                                 const std::string& state) {
  std::string error;
  MoxZitBltRep* rep = PexFindNodeButton(node, button, error);
  if (!rep) return KivStepResult::Fail(error);
  std::string actual;
  if (state == "shown" || state == "hidden")
    actual = rep->GetStatus() == 1 ? "shown" : "hidden";
  else if (state == "open" || state == "closed")
    actual = rep->IsButtonCollapse() ? "closed" : "open";
  else
    return KivStepResult::Fail("\"" + state + "\" is not shown, hidden, open or closed");
  if (actual != state)
    return KivStepResult::Fail("button \"" + button + "\" is " + actual + ", not " + state);
  return KivStepResult::Ok();
}
