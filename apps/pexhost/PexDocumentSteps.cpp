// Session steps on the document and the current viewer: open, start, pick,
// view, arrange, resize, render, save.
#include "PexPictureOptions.h"
#include "PexSession.h"
#include "PexStepArgs.h"
#include "PexVerbRegistry.h"

void PexRegisterDocumentSteps(PexVerbRegistry& registry) {
  using Args = const std::vector<std::string>&;
  registry.AddVerb({"open", 1, 1, "FILE", [](PexSession& s, Args a) { return s.Open(a[0]); },
                    "loads a process document in a new editor that becomes current"});
  registry.AddVerb({"start", 1, 1, "COMMAND", [](PexSession& s, Args a) { return s.Start(a[0]); },
                    "starts a command by class name"});
  registry.AddVerb({"pick", 1, 1, "OBJECT", [](PexSession& s, Args a) { return s.Pick(a[0]); },
                    "picks the object into the running command, else into the selection"});
  registry.AddVerb({"view", 0, 1, "[ACTIVITY]",
                    [](PexSession& s, Args a) { return s.View(a.empty() ? std::string() : a[0]); },
                    "opens the product flow viewer on the activity's level (the root's)"});
  registry.AddVerb({"arrange", 0, 0, "", [](PexSession& s, Args) { return s.Arrange(); },
                    "re-arranges the nodes of the current viewer"});
  registry.AddVerb({"resize", 2, 2, "WIDTH HEIGHT",
                    [](PexSession& s, Args a) {
                      int w = 0, h = 0;
                      if (!PexToInteger(a[0], w) || !PexToInteger(a[1], h))
                        return KivStepResult::Fail("the size must be two whole numbers of pixels");
                      return s.Resize(w, h);
                    },
                    "resizes the current window (pixels)"});
  registry.AddVerb({"render", 1, 7, std::string("FILE.svg|FILE.png ") + kPexPictureOptionsUsage,
                    [](PexSession& s, Args a) {
                      KivPictureOptions options;
                      for (std::size_t i = 1; i < a.size(); ++i) {
                        std::string error;
                        const PexOptionUse use = PexTakePictureOption(a, i, options, error);
                        if (use == PexOptionUse::NotMine)
                          return KivStepResult::Fail("unknown option \"" + a[i] + "\"");
                        if (use == PexOptionUse::Bad) return KivStepResult::Fail(error);
                      }
                      return s.Render(a[0], options);
                    },
                    "draws the current viewer to a picture (sized by --scale, --fit, --crop)"});
  registry.AddVerb({"save", 0, 1, "[FILE]",
                    [](PexSession& s, Args a) { return s.Save(a.empty() ? std::string() : a[0]); },
                    "saves the current document (back to its own file without FILE)"});
}
