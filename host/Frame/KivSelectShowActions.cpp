#include "KivSelectShowActions.h"

#include "KivDelayedDestruction.h"
#include "KivISelectShow.h"
#include "KivIModelObject.h"
#include "KivIVisProperties.h"

namespace {
KivStepResult EndOfEvent(KivStepResult result) {
  KivDelayedDestruction::Flush();
  return result;
}

std::string NameOf(KivBaseUnknown* object) {
  if (KivIModelObject_var named = object) return "\"" + named->ObjectName().ConvertToUTF8() + "\"";
  return object ? object->IsA() : "nothing";
}

// Why a pick cannot be acted on, or nothing.
std::string Unusable(KivFrmEditor* editor, KivBaseUnknown* picked) {
  if (!editor) return "no document is open";
  return picked ? std::string() : "nothing is picked";
}
}  // namespace

KivStepResult KivSelectShowActions::Select(KivBaseUnknown* picked) {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  if (std::string why = Unusable(editor, picked); !why.empty())
    return EndOfEvent(KivStepResult::Fail(why));
  KivBaseUnknown_var element(picked);
  if (KivISelectShow_var standIn = picked) {
    KivPathElement_var path = editor->BuildPathElement(picked);
    element = standIn->GetElement(path.get());
    if (!element) return EndOfEvent(KivStepResult::Fail(NameOf(picked) + " selects nothing"));
  }
  editor->GetCSO()->Empty();
  editor->GetCSO()->AddElement(editor->BuildPathElement(element.get()).get());
  return EndOfEvent(KivStepResult::Ok("selected " + NameOf(element.get())));
}

KivStepResult KivSelectShowActions::HideShow(KivBaseUnknown* picked, KivShowAttribut show) {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  if (std::string why = Unusable(editor, picked); !why.empty())
    return EndOfEvent(KivStepResult::Fail(why));
  KivBaseUnknown_var element(picked);
  if (KivISelectShow_var standIn = picked) {
    KivPathElement_var path = editor->BuildPathElement(picked);
    KivBaseUnknown* given = nullptr;
    int standsFor = 0;
    if (FAILED(standIn->GetElementForHideShow(path.get(), given, standsFor)) || !given)
      return EndOfEvent(KivStepResult::Fail(NameOf(picked) + " hides and shows nothing"));
    element = KivBaseUnknown_var::Adopt(given);
  }
  KivIVisProperties_var properties(element.get());
  if (!properties)
    return EndOfEvent(KivStepResult::Fail(NameOf(element.get()) + " cannot be hidden or shown"));
  if (FAILED(properties->SetShow(show)))
    return EndOfEvent(KivStepResult::Fail(NameOf(element.get()) + " refused the change"));
  return EndOfEvent(
      KivStepResult::Ok((show == KivNoShow ? "hid " : "showed ") + NameOf(element.get())));
}
