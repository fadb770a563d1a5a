#pragma once
// One person's session with the host, step by step: each operation is one
// user event through the host's interaction API and answers whether it
// succeeded, with a message. The `view` verb and session scripts are built
// from these steps.
#include <string>
#include <vector>

#include "KivInteraction.h"
#include "KivPictureLayout.h"
#include "KivVar.h"

class KivFrmWindow;
class KivViewer;
class MoxPertController;

// The listing of the current window's nodes, each node's JSON object kept
// apart (the served page is sent the nodes that changed).
struct PexViewerListing {
  std::string window;
  std::string level;
  std::vector<std::string> nodes;  // one JSON object per node, in drawing order
  // The whole listing as Json writes it.
  std::string Text() const;
};

class PexSession {
 public:
  // `readFolder`: relative names of files read (documents) are taken from
  // it; files written (pictures, saved documents) go to the current folder.
  explicit PexSession(std::string readFolder = {});
  ~PexSession();
  PexSession(const PexSession&) = delete;
  PexSession& operator=(const PexSession&) = delete;

  // Loads the plug-in module (once).
  KivStepResult LoadPlugIn();
  KivStepResult Open(const std::string& path);
  KivStepResult Start(const std::string& commandClass);
  KivStepResult Pick(const std::string& idOrName);
  // Opens the product flow viewer on the activity's level (the root's by
  // default) through the viewer command and checks that it shows it.
  KivStepResult View(const std::string& activity);
  // Re-arranges the current viewer (the node organise command).
  KivStepResult Arrange();
  KivStepResult Expand(const std::string& node, bool expand);
  KivStepResult Move(const std::string& node, double x, double y);
  KivStepResult Resize(int width, int height);
  // Draws the current level with its title, legend and tooltips; the
  // options' scale, fit and crop are kept.
  KivStepResult Render(const std::string& path, KivPictureOptions options = {});
  // The current viewer drawn as SVG text, like Render draws it.
  KivStepResult RenderSvg(std::string& svg, KivPictureOptions options = {});
  // An empty path saves the document back to the file it was read from.
  KivStepResult Save(const std::string& path);
  // The current window's nodes as JSON (see docs/scripting.md).
  KivStepResult Json(std::string& text);
  KivStepResult Listing(PexViewerListing& listing);

  // The current viewer's level has no child activities (it shows at most
  // its Start and Stop nodes).
  bool CurrentLevelIsEmpty() const;

  // The current window when it shows a PERT level, else null.
  KivFrmWindow* CurrentPertWindow() const;
  KivViewer* CurrentViewer() const;
  MoxPertController* CurrentController() const;
  // The path of a file to read.
  std::string Resolve(const std::string& path) const;

 private:
  std::string readFolder_;
};
