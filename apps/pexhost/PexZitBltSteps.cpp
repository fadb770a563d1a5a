// Session steps on the status buttons of a node: the `zitblt` verb and the
// `expect button` check.
#include "PexNodeButtons.h"
#include "PexSession.h"
#include "PexVerbRegistry.h"

void PexRegisterZitBltSteps(PexVerbRegistry& registry) {
  using Args = const std::vector<std::string>&;
  registry.AddVerb({"zitblt", 3, 3, "NODE BUTTON show|hide|click",
                    [](PexSession&, Args a) {
                      std::string error;
                      KivBaseUnknown_var node = KivInteraction::FindObject(a[0], error);
                      if (!node) return KivStepResult::Fail(error);
                      return PexDriveNodeButton(node.get(), a[1], a[2]);
                    },
                    "shows or hides a status button, or clicks it (opens or closes its list)"});
  registry.AddCheck({"button", 3, "NODE BUTTON shown|hidden|open|closed|greyed|coloured",
                     [](PexSession&, Args a) {
                       std::string error;
                       KivBaseUnknown_var node = KivInteraction::FindObject(a[0], error);
                       if (!node) return KivStepResult::Fail(error);
                       return PexCheckNodeButton(node.get(), a[1], a[2]);
                     },
                     0,
                     "a status button is shown or hidden, its list open or closed, greyed "
                     "(empty) or coloured"});
}
