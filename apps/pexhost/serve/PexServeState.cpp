#include "PexServeState.h"

#include <nlohmann/json.hpp>
#include <unordered_map>

#include "KivCommandStarter.h"
#include "KivDlgNotify.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "KivISPPActivity.h"
#include "KivInteraction.h"
#include "KivViewer.h"
#include "MoxIPertWindow.h"
#include "PexServeDialogs.h"
#include "PexSession.h"

using nlohmann::json;

namespace {
std::string NodeName(KivBaseUnknown* node) {
  KivIGENode_var graphNode(node);
  return graphNode ? graphNode->GetNodeName().ConvertToUTF8() : std::string();
}

// The activities in tree order with their depth and number of child
// activities; the page offers those with children as levels to open.
json Levels(KivProcessDocument& document) {
  json levels = json::array();
  std::unordered_map<std::string, std::size_t> indexOf;
  for (const auto& activity : document.ListActivities()) {
    KivISPPActivity_var spp(activity.get());
    if (!spp) continue;
    int depth = 0;
    const std::string id = document.IdOf(activity.get());
    if (KivVar<KivISPPActivity> parent = spp->ParentActivity()) {
      const auto found = indexOf.find(document.IdOf(parent.get()));
      if (found != indexOf.end()) {
        json& parentLevel = levels[found->second];
        depth = parentLevel["depth"].get<int>() + 1;
        parentLevel["children"] = parentLevel["children"].get<int>() + 1;
      }
    }
    indexOf[id] = levels.size();
    levels.push_back({{"id", id},
                      {"name", NodeName(activity.get())},
                      {"type", spp->TypeName().ConvertToUTF8()},
                      {"depth", depth},
                      {"children", 0}});
  }
  return levels;
}

json Messages(std::size_t first) {
  json messages = json::array();
  const std::vector<KivLoggedMessage> log = KivInteraction::Messages();
  for (std::size_t i = first; i < log.size(); ++i) {
    const KivLoggedMessage& m = log[i];
    messages.push_back({{"index", i},
                        {"dialog", m.dialogName.str()},
                        {"title", m.title.ConvertToUTF8()},
                        {"text", m.text.ConvertToUTF8()},
                        {"error", (m.style & KivDlgNfyError) != 0},
                        {"answer", m.answer == KivDlgNfyAnswerCancel ? "cancel" : "ok"}});
  }
  return messages;
}
}  // namespace

std::string PexServeState::Write(PexSession& session, const PexServeStateInputs& inputs) {
  json state = {{"revision", inputs.revision}, {"picture", inputs.pictureRevision}};
  if (KivFrmEditor* editor = KivInteraction::GetCurrentEditor()) {
    KivProcessDocument& document = *editor->GetProcessDocument();
    const std::string path = document.GetStorageName().ConvertToUTF8();
    state["document"] = {{"path", path}, {"name", path.substr(path.find_last_of('/') + 1)}};
    state["levels"] = Levels(document);
    KivBaseUnknown_var level;
    if (KivFrmWindow* window = session.CurrentPertWindow())
      MoxIPertWindow_var(static_cast<KivBaseUnknown*>(window))->GetPertLevel(level);
    state["level"] = level ? json(document.IdOf(level.get())) : json(nullptr);
  } else {
    state["document"] = nullptr;
    state["levels"] = json::array();
    state["level"] = nullptr;
  }
  KivViewer* viewer = session.CurrentViewer();
  state["cursor"] = viewer ? viewer->GetCursor() : 0;
  if (inputs.frame)
    state["frame"] = {{"left", inputs.frame->left},   {"top", inputs.frame->top},
                      {"scale", inputs.frame->scale}, {"width", inputs.frame->width},
                      {"height", inputs.frame->height}};
  else
    state["frame"] = nullptr;
  KivStateCommand* command = KivCommandStarter::GetActiveStateCommand();
  state["command"] = command ? json(command->GetName().str()) : json(nullptr);
  state["dialogs"] = PexServeDialogs::Shown();
  state["menu"] = PexServeDialogs::OpenMenu();
  state["messageCount"] = KivInteraction::Messages().size();
  state["messages"] = Messages(inputs.firstUnseenMessage);

  // The viewer's listing is the shell's own JSON, spliced in as written.
  std::string text = state.dump(-1, ' ', false, json::error_handler_t::replace);
  std::string viewerJson;
  if (!session.Json(viewerJson)) viewerJson = "null";
  text.insert(text.size() - 1, ",\"viewer\":" + viewerJson);
  return text;
}
