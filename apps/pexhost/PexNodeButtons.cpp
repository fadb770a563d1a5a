#include "PexNodeButtons.h"

#include <memory>

#include "KivBaseUnknown.h"
#include "MoxIZitBltMgr.h"
#include "PexJsonWriter.h"
#include "PexListSteps.h"

void PexWriteNodeButtons(KivBaseUnknown* node, PexJsonWriter& json) {
  MoxIZitBltMgr_var manager(node);
  if (!manager) return;
  KivListValKivUnicodeString* list = nullptr;
  if (FAILED(manager->GetAllZitBlts(&list))) return;
  std::unique_ptr<KivListValKivUnicodeString> names(list);
  for (const KivUnicodeString& name : *names) {
    MoxIZitBltButton_var button = manager->GetZitBltButton(name);
    if (!button) continue;
    json.BeginObject();
    json.Key("name");
    json.String(name.ConvertToUTF8());
    json.Key("location");
    json.String(button->GetButtonLocation().ConvertToUTF8());
    json.Key("shown");
    json.Bool(button->IsShown());
    json.Key("open");
    json.Bool(button->IsOpen());
    json.Key("greyed");
    json.Bool(button->IsGreyed());
    double x = 0.0, y = 0.0;
    if (button->GetButtonPosition(x, y)) {
      json.Key("x");
      json.Number(x);
      json.Key("y");
      json.Number(y);
    }
    if (button->IsOpen()) PexWriteListRows(button.get(), json);
    json.EndObject();
  }
}

std::string PexNoSuchButton(KivBaseUnknown* node, const std::string& button) {
  MoxIZitBltMgr_var manager(node);
  KivListValKivUnicodeString* list = nullptr;
  if (!manager || FAILED(manager->GetAllZitBlts(&list)) || !list)
    return "the node has no status buttons";
  std::unique_ptr<KivListValKivUnicodeString> names(list);
  std::string known;
  for (const KivUnicodeString& name : *names)
    known += (known.empty() ? "" : ", ") + name.ConvertToUTF8();
  if (known.empty()) return "the node has no status buttons";
  return "the node has no button \"" + button + "\" (its buttons: " + known + ")";
}

KivStepResult PexDriveNodeButton(KivBaseUnknown* node, const std::string& button,
                                 const std::string& action) {
  MoxIZitBltMgr_var manager(node);
  MoxIZitBltButton_var zitBlt =
      manager ? manager->GetZitBltButton(KivUnicodeString(button)) : MoxIZitBltButton_var();
  if (!zitBlt) return KivStepResult::Fail(PexNoSuchButton(node, button));
  if (action == "show" || action == "hide") {
    if (FAILED(manager->SetZitBltStatus(KivUnicodeString(button), action == "show" ? 1 : 0)))
      return KivStepResult::Fail("button \"" + button + "\" cannot be " +
                                 (action == "show" ? "shown" : "hidden"));
    return KivStepResult::Ok();
  }
  if (action == "click") {
    if (FAILED(zitBlt->Click()))
      return KivStepResult::Fail("button \"" + button + "\" is not drawn in a viewer");
    return KivStepResult::Ok(zitBlt->IsOpen() ? "opened" : "closed");
  }
  return KivStepResult::Fail("\"" + action + "\" is not show, hide or click");
}

KivStepResult PexCheckNodeButton(KivBaseUnknown* node, const std::string& button,
                                 const std::string& state) {
  MoxIZitBltMgr_var manager(node);
  MoxIZitBltButton_var zitBlt =
      manager ? manager->GetZitBltButton(KivUnicodeString(button)) : MoxIZitBltButton_var();
  if (!zitBlt) return KivStepResult::Fail(PexNoSuchButton(node, button));
  std::string actual;
  if (state == "shown" || state == "hidden")
    actual = zitBlt->IsShown() ? "shown" : "hidden";
  else if (state == "open" || state == "closed")
    actual = zitBlt->IsOpen() ? "open" : "closed";
  else if (state == "greyed" || state == "coloured")
    actual = zitBlt->IsGreyed() ? "greyed" : "coloured";
  else
    return KivStepResult::Fail("\"" + state +
                               "\" is not shown, hidden, open, closed, greyed or coloured");
  if (actual != state)
    return KivStepResult::Fail("button \"" + button + "\" is " + actual + ", not " + state);
  return KivStepResult::Ok();
}
