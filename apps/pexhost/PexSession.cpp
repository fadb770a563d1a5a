#include "PexSession.h"

#include <cairo.h>

#include <cmath>

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivFrmEditor.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "KivISPPActivity.h"
#include "KivModuleLoader.h"
#include "KivPertInteraction.h"
#include "KivPictureRenderer.h"
#include "KivProcessDocument.h"
#include "KivProcessDocumentWriter.h"
#include "MoxIPertNode.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertWindow.h"
#include "MoxPertController.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPertViewer.h"
#include "PexJsonWriter.h"
#include "PexNodeButtons.h"
#include "PexPictureOptions.h"

namespace {
const char* const kPlugIn = "MoxPexViewers";

std::string NodeName(KivBaseUnknown* node) {
  KivIGENode_var graphNode(node);
  return graphNode ? graphNode->GetNodeName().ConvertToUTF8() : std::string();
}

std::string NodeType(KivBaseUnknown* node) {
  KivISPPActivity_var activity(node);
  return activity ? activity->TypeName().ConvertToUTF8() : NodeName(node);
}

int ChildActivityCount(KivBaseUnknown* activity) {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  if (!editor) return 0;
  KivProcessDocument* document = editor->GetProcessDocument();
  const std::string id = document->IdOf(activity);
  int count = 0;
  for (const auto& each : document->ListActivities()) {
    KivISPPActivity_var parent = KivISPPActivity_var(each.get())->ParentActivity();
    if (parent && document->IdOf(parent.get()) == id) ++count;
  }
  return count;
}

const char* const kNoChildren = " has no child activities to show";

std::string LastMessageSince(std::size_t count) {
  const auto messages = KivInteraction::Messages();
  if (messages.size() <= count) return {};
  const KivLoggedMessage& last = messages.back();
  return "\"" + last.text.ConvertToUTF8() + "\" (" + last.title.ConvertToUTF8() + ")";
}
}  // namespace

PexSession::PexSession(std::string readFolder) : readFolder_(std::move(readFolder)) {}

PexSession::~PexSession() {
  KivApplicationFrame::Shutdown();
  KivDelayedDestruction::Flush();
  // Pictures with text fill cairo's font caches; empty them so that the
  // process ends owning nothing (leak checkers see what is left).
  cairo_debug_reset_static_data();
}

std::string PexSession::Resolve(const std::string& path) const {
  if (path.empty() || path.front() == '/' || readFolder_.empty()) return path;
  return readFolder_ + "/" + path;
}

KivStepResult PexSession::LoadPlugIn() {
  if (KivModuleLoader::Find(kPlugIn)) return KivStepResult::Ok();
  if (!KivModuleLoader::Load(kPlugIn))
    return KivStepResult::Fail("cannot load " + KivModuleLoader::LastError());
  return KivStepResult::Ok("loaded " + std::string(kPlugIn));
}

KivStepResult PexSession::Open(const std::string& path) {
  return KivInteraction::OpenDocument(KivUnicodeString(Resolve(path)));
}

KivStepResult PexSession::Start(const std::string& commandClass) {
  if (KivStepResult loaded = LoadPlugIn(); !loaded) return loaded;
  return KivInteraction::StartCommand(KivString(commandClass));
}

KivStepResult PexSession::Pick(const std::string& idOrName) {
  return KivInteraction::Pick(idOrName);
}

KivStepResult PexSession::View(const std::string& activityName) {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  if (!editor) return KivStepResult::Fail("no document is open");
  KivBaseUnknown_var activity;
  if (activityName.empty()) {
    activity = editor->GetProcessDocument()->GetRootActivity().get();
  } else {
    std::string error;
    activity = KivInteraction::FindObject(activityName, error);
    if (!activity) return KivStepResult::Fail(error);
    if (!KivISPPActivity_var(activity.get()))
      return KivStepResult::Fail("\"" + activityName + "\" is not an activity");
  }
  const std::size_t messagesBefore = KivInteraction::Messages().size();
  if (KivStepResult started = Start("MoxPexProductFlowViewerCmd"); !started) return started;
  if (KivStepResult picked = KivInteraction::Pick(activity.get()); !picked) {
    KivInteraction::CancelCommands();
    return picked;
  }
  KivFrmWindow* window = CurrentPertWindow();
  KivBaseUnknown_var level;
  if (window && window->IsAKindOf("MoxPexProductFlowViewer"))
    MoxIPertWindow_var(window)->GetPertLevel(level);
  if (!level || level != activity) {
    const std::string message = LastMessageSince(messagesBefore);
    const std::string name = "\"" + NodeName(activity.get()) + "\"";
    return KivStepResult::Fail(
        "the product flow viewer did not open on " + name +
        (message.empty() ? std::string() : ": " + message) +
        (ChildActivityCount(activity.get()) == 0 ? "; " + name + kNoChildren : std::string()));
  }
  return KivStepResult::Ok("viewer \"" + window->GetTitle().ConvertToUTF8() + "\"" +
                           (CurrentLevelIsEmpty()
                                ? "; \"" + NodeName(activity.get()) + "\"" + kNoChildren
                                : std::string()));
}

KivStepResult PexSession::Arrange() {
  if (!CurrentController()) return KivStepResult::Fail("the current window shows no PERT level");
  return Start("MoxPexNodeOrganizeCmd");
}

KivStepResult PexSession::Expand(const std::string& nodeName, bool expand) {
  MoxPertController* controller = CurrentController();
  if (!controller) return KivStepResult::Fail("the current window shows no PERT level");
  std::string error;
  KivBaseUnknown_var node = KivInteraction::FindObject(nodeName, error);
  if (!node) return KivStepResult::Fail(error);
  if (!controller->IsNodeDrawn(node))
    return KivStepResult::Fail("\"" + nodeName + "\" is not drawn in the current window");
  MoxIPertNodeExt_var ext(node.get());
  int state = 0;
  if (!ext || FAILED(ext->GetSuperNodeState(state, 1)) || state == MoxIPertNodeExt::kPlainNode)
    return KivStepResult::Fail("\"" + nodeName + "\" is not a super node");
  auto traverser = KivMake<MoxPertNodeTraverser>(controller);
  const HRESULT shown =
      expand ? traverser->ShowChildrenNodes(node) : traverser->HideChildrenNodes(node);
  if (FAILED(shown) || FAILED(traverser->ChangePertNodeShape(expand ? 1 : 2)))
    return KivStepResult::Fail("the chart refused to " +
                               std::string(expand ? "expand" : "collapse") + " \"" + nodeName +
                               "\"");
  KivDelayedDestruction::Flush();
  return KivStepResult::Ok();
}

KivStepResult PexSession::Move(const std::string& node, double x, double y) {
  return KivPertInteraction::MovePertNode(node, x, y);
}

KivStepResult PexSession::Resize(int width, int height) {
  KivFrmWindow* window = CurrentPertWindow();
  if (!window) return KivStepResult::Fail("the current window shows no PERT level");
  if (width <= 0 || height <= 0) return KivStepResult::Fail("a window size must be positive");
  window->Resize(window->GetX(), window->GetY(), width, height);
  return KivStepResult::Ok("title \"" + window->GetTitle().ConvertToUTF8() + "\"");
}

KivStepResult PexSession::Render(const std::string& path, KivPictureOptions options) {
  KivViewer* viewer = CurrentViewer();
  if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
  std::string error;
  if (!KivPictureRenderer::IsKnownFormat(path, &error)) return KivStepResult::Fail(error);
  PexDescribePicture(*this, options);
  if (FAILED(KivPictureRenderer(options).RenderToFile(*viewer, path, &error)))
    return KivStepResult::Fail(error);
  return KivStepResult::Ok("wrote " + path);
}

KivStepResult PexSession::RenderSvg(std::string& svg, KivPictureOptions options) {
  KivViewer* viewer = CurrentViewer();
  if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
  PexDescribePicture(*this, options);
  svg = KivPictureRenderer(options).RenderSvg(*viewer);
  return KivStepResult::Ok();
}

KivStepResult PexSession::Save(const std::string& path) {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  if (!editor) return KivStepResult::Fail("no document is open");
  KivProcessDocument& document = *editor->GetProcessDocument();
  const std::string target = path.empty() ? document.GetStorageName().ConvertToUTF8() : path;
  if (target.empty()) return KivStepResult::Fail("the document has no file yet; give a file name");
  std::string error;
  if (FAILED(KivProcessDocumentWriter::SaveFile(document, KivUnicodeString(target), error)))
    return KivStepResult::Fail("cannot save " + target + ": " + error);
  return KivStepResult::Ok("saved " + target);
}

KivStepResult PexSession::Json(std::string& text) {
  PexViewerListing listing;
  if (KivStepResult r = Listing(listing); !r) return r;
  text = listing.Text();
  return KivStepResult::Ok();
}

std::string PexViewerListing::Text() const {
  std::string text = "{\"window\":\"";
  PexJsonWriter::AppendEscaped(text, window);
  text += "\",\"level\":\"";
  PexJsonWriter::AppendEscaped(text, level);
  text += "\",\"nodes\":[";
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (i) text += ',';
    text += nodes[i];
  }
  text += "]}";
  return text;
}

KivStepResult PexSession::Listing(PexViewerListing& listing) {
  KivFrmWindow* window = CurrentPertWindow();
  MoxPertController* controller = CurrentController();
  if (!window || !controller) return KivStepResult::Fail("the current window shows no PERT level");
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  KivBaseUnknown_var level;
  MoxIPertWindow_var(window)->GetPertLevel(level);
  listing.window = window->GetTitle().ConvertToUTF8();
  listing.level = NodeName(level.get());
  listing.nodes.clear();
  for (const auto& node : controller->GetDrawnNodes()) {
    PexJsonWriter json;
    json.BeginObject();
    json.Key("id");
    json.String(editor ? editor->GetProcessDocument()->IdOf(node.get()) : std::string());
    json.Key("name");
    json.String(NodeName(node.get()));
    json.Key("type");
    json.String(NodeType(node.get()));
    double x = 0, y = 0, w = 0, h = 0;
    MoxIPertNode_var pert(node.get());
    if (pert) {
      pert->GetPosition(x, y, 1);
      pert->GetSize(w, h, 1);
    }
    json.Key("x");
    json.Number(x);
    json.Key("y");
    json.Number(y);
    json.Key("width");
    json.Number(w);
    json.Key("height");
    json.Number(h);
    MoxIPertNodeExt_var ext(node.get());
    int state = 0;
    if (ext) ext->GetSuperNodeState(state, 1);
    json.Key("superNode");
    json.String(state == 1 ? "expanded" : state == 2 ? "collapsed" : "none");
    json.Key("buttons");
    json.BeginArray();
    PexWriteNodeButtons(node.get(), json);
    json.EndArray();
    json.EndObject();
    listing.nodes.push_back(json.Text());
  }
  return KivStepResult::Ok();
}

bool PexSession::CurrentLevelIsEmpty() const {
  KivFrmWindow* window = CurrentPertWindow();
  KivBaseUnknown_var level;
  if (window) MoxIPertWindow_var(window)->GetPertLevel(level);
  return level && ChildActivityCount(level.get()) == 0;
}

KivFrmWindow* PexSession::CurrentPertWindow() const {
  KivFrmLayout* layout = KivApplicationFrame::Exists() ? KivFrmLayout::GetCurrentLayout() : nullptr;
  KivFrmWindow* window = layout ? layout->GetCurrentWindow() : nullptr;
  if (!window || !MoxIPertWindow_var(window)) return nullptr;
  return window;
}

KivViewer* PexSession::CurrentViewer() const {
  KivFrmWindow* window = CurrentPertWindow();
  return window ? MoxIPertWindow_var(window)->GetPertViewer() : nullptr;
}

MoxPertController* PexSession::CurrentController() const {
  KivFrmWindow* window = CurrentPertWindow();
  return window ? MoxIPertWindow_var(window)->GetPertController() : nullptr;
}
