// Session steps for grouping: several objects picked in one event (a
// multi-selection brought to the running command at once), and the checks
// of what a grouping leaves: an activity's successors and a document that
// saves and loads again to the same bytes.
#include "KivISPPFlowMgt.h"
#include "KivIModelObject.h"
#include "KivProcessDocumentReader.h"
#include "KivProcessDocumentWriter.h"
#include "PexSession.h"
#include "PexStepArgs.h"
#include "PexVerbRegistry.h"

namespace {
using Args = const std::vector<std::string>&;
// More names than a line of a script reasonably holds.
constexpr std::size_t kManyNames = 256;

KivStepResult PickTogether(PexSession&, Args names) {
  KivListValKivBaseUnknown_var objects;
  for (const auto& name : names) {
    std::string error;
    KivBaseUnknown_var object = KivInteraction::FindObject(name, error);
    if (!object) return KivStepResult::Fail(error);
    objects.Append(object);
  }
  return KivInteraction::Pick(objects);
}

KivProcessDocument* CurrentDocument() {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  return editor ? editor->GetProcessDocument() : nullptr;
}

KivStepResult NextOf(PexSession&, Args a) {
  std::string error;
  KivBaseUnknown_var object = KivInteraction::FindObject(a[0], error);
  if (!object) return KivStepResult::Fail(error);
  KivISPPFlowMgt_var flow(object.get());
  if (!flow) return KivStepResult::Fail(PexQuoted(a[0]) + " is not in a flow");
  const KivSPPList next = flow->NextActivities("");
  std::string found, wanted;
  for (const auto& n : *next) {
    KivIModelObject_var model(n.get());
    found += (found.empty() ? "" : " ") + PexQuoted(model ? model->ObjectName().ConvertToUTF8() : "");
  }
  for (std::size_t i = 1; i < a.size(); ++i) wanted += (i > 1 ? " " : "") + PexQuoted(a[i]);
  if (found != wanted)
    return KivStepResult::Fail(PexQuoted(a[0]) + " precedes " + (found.empty() ? "nothing" : found));
  return KivStepResult::Ok();
}

KivStepResult Roundtrip(PexSession&, Args) {
  KivProcessDocument* document = CurrentDocument();
  if (!document) return KivStepResult::Fail("no document is open");
  std::string saved, again, error;
  if (FAILED(KivProcessDocumentWriter::WriteText(*document, saved, error)))
    return KivStepResult::Fail("the document cannot be saved: " + error);
  KivVar<KivProcessDocument> reloaded;
  KivProcessDocumentError loadError;
  if (FAILED(KivProcessDocumentReader::LoadBuffer(saved.data(), saved.size(), "saved document",
                                                  reloaded, loadError)))
    return KivStepResult::Fail("the saved document does not load: " + loadError.ToString());
  if (FAILED(KivProcessDocumentWriter::WriteText(*reloaded, again, error)))
    return KivStepResult::Fail("the reloaded document cannot be saved: " + error);
  if (again != saved) return KivStepResult::Fail("the reloaded document saves differently");
  return KivStepResult::Ok();
}
}  // namespace

void PexRegisterGroupingSteps(PexVerbRegistry& registry) {
  registry.AddVerb({"pick-together", 1, kManyNames, "OBJECT...",
                    PickTogether});
  registry.AddCheck({"next", 1, "ACTIVITY [NAME...]", NextOf,
                     kManyNames});
  registry.AddCheck({"roundtrip", 0, "nothing", Roundtrip});
}
