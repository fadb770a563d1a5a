// A small module that the module loading tests load by name: a factory, one
// that makes nothing and one that is exported but not in the creation
// dictionary.
#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivImplement.h"
#include "KivTrace.h"
#include "KivTstModuleProbe.h"

namespace {
int gLoads = 0;
// Counts how many times the module's static initialisation ran.
[[maybe_unused]] const int kCountLoad = ++gLoads;

class KivTstWidget : public KivImplement<KivTstIModuleProbe> {
  KIV_CLASS(KivTstWidget, KivBaseUnknown, "KivTstModule")
  KivBaseUnknown* Argument() override { return nullptr; }
};

const KivTrace gTrace("KivTstModuleTrace", "Traces for the test module");
}  // namespace

extern "C" KivBaseUnknown* fctCreateKivTstWidget() { return new KivTstWidget(); }
extern "C" KivBaseUnknown* fctCreateKivTstNothing() { return nullptr; }
// Exported without a creation dictionary entry: called without argument.
extern "C" KivBaseUnknown* fctCreateKivTstUnlisted() { return new KivTstWidget(); }
extern "C" int KivTstModuleLoadCount() { return gLoads; }

static const KivCreationRegistrar kWidgetFactory("KivTstWidget", &fctCreateKivTstWidget,
                                                 "KivTstModule");
static const KivCreationRegistrar kNothingFactory("KivTstNothing", &fctCreateKivTstNothing,
                                                  "KivTstModule");
KIV_DECLARE_CLASS(KivTstWidget, "KivTstModule");
