#include "PexServeState.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "KivCommandStarter.h"
#include "KivDlgNotify.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "KivISPPActivity.h"
#include "KivInteraction.h"
#include "KivViewer.h"
#include "MoxIPertWindow.h"
#include "PexJsonWriter.h"
#include "PexServeDialogs.h"
#include "PexServeEdits.h"
#include "PexSession.h"

using nlohmann::json;

namespace {
std::string NodeName(KivBaseUnknown* node) {
  KivIGENode_var graphNode(node);
  return graphNode ? graphNode->GetNodeName().ConvertToUTF8() : std::string();
}

// The activities in tree order with their depth and number of child
// activities; the page offers those with children as levels to open.
std::string Levels(KivProcessDocument& document) {
  struct Level {
    std::string id, name, type;
    int depth = 0, children = 0;
  };
  std::vector<Level> levels;
  std::unordered_map<std::string, std::size_t> indexOf;
  for (const auto& activity : document.ListActivities()) {
    KivISPPActivity_var spp(activity.get());
    if (!spp) continue;
    Level level{document.IdOf(activity.get()), NodeName(activity.get()),
                spp->TypeName().ConvertToUTF8()};
    if (KivVar<KivISPPActivity> parent = spp->ParentActivity()) {
      const auto found = indexOf.find(document.IdOf(parent.get()));
      if (found != indexOf.end()) {
        Level& parentLevel = levels[found->second];
        level.depth = parentLevel.depth + 1;
        ++parentLevel.children;
      }
    }
    indexOf[level.id] = levels.size();
    levels.push_back(std::move(level));
  }
  PexJsonWriter json;
  json.BeginArray();
  for (const Level& level : levels) {
    json.BeginObject();
    json.Key("id");
    json.String(level.id);
    json.Key("name");
    json.String(level.name);
    json.Key("type");
    json.String(level.type);
    json.Key("depth");
    json.Integer(level.depth);
    json.Key("children");
    json.Integer(level.children);
    json.EndObject();
  }
  json.EndArray();
  return json.Text();
}

// The viewer's nodes as the edits of the list `before`, with the nodes
// inserted; nothing when the whole list is about as short.
std::optional<std::string> NodeEdits(const PexViewerListing& before, const PexViewerListing& after,
                                     long since) {
  const std::vector<std::string_view> a(before.nodes.begin(), before.nodes.end());
  const std::vector<std::string_view> b(after.nodes.begin(), after.nodes.end());
  const std::size_t maxEdits = std::min<std::size_t>(500, std::max(a.size(), b.size()) / 2);
  const std::optional<PexServeEdits> edits = PexServeEditsBetween(a, b, maxEdits);
  if (!edits) return std::nullopt;
  std::string text = "{\"window\":\"";
  PexJsonWriter::AppendEscaped(text, after.window);
  text += "\",\"level\":\"";
  PexJsonWriter::AppendEscaped(text, after.level);
  text += "\",\"since\":" + std::to_string(since) + ",\"count\":" + std::to_string(b.size()) +
          ",\"edits\":[";
  for (std::size_t i = 0; i < edits->edits.size(); ++i) {
    const PexServeEdit& e = edits->edits[i];
    text += (i ? ",[" : "[") + std::to_string(e.at) + "," + std::to_string(e.removed) + "," +
            std::to_string(e.inserted) + "]";
  }
  text += "],\"nodes\":[";
  for (std::size_t i = 0; i < edits->inserted.size(); ++i) {
    if (i) text += ',';
    text += after.nodes[edits->inserted[i]];
  }
  return text + "]}";
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
  return Compose(session, inputs, nullptr);
}

std::string PexServeState::WriteSince(PexSession& session, const PexServeStateInputs& inputs,
                                      long since) {
  if (since != last_.revision || since < 0) return Compose(session, inputs, nullptr);
  const Written base = std::exchange(last_, Written{});
  return Compose(session, inputs, &base);
}

std::string PexServeState::Compose(PexSession& session, const PexServeStateInputs& inputs,
                                   const Written* base) {
  Written written;
  written.revision = inputs.revision;
  json state = {{"revision", inputs.revision}, {"picture", inputs.pictureRevision}};
  if (KivFrmEditor* editor = KivInteraction::GetCurrentEditor()) {
    KivProcessDocument& document = *editor->GetProcessDocument();
    const std::string path = document.GetStorageName().ConvertToUTF8();
    state["document"] = {{"path", path}, {"name", path.substr(path.find_last_of('/') + 1)}};
    written.levels = Levels(document);
    KivBaseUnknown_var level;
    if (KivFrmWindow* window = session.CurrentPertWindow())
      MoxIPertWindow_var(static_cast<KivBaseUnknown*>(window))->GetPertLevel(level);
    state["level"] = level ? json(document.IdOf(level.get())) : json(nullptr);
  } else {
    state["document"] = nullptr;
    written.levels = "[]";
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

  // The levels and the viewer's listing are written apart and spliced in.
  std::string text = state.dump(-1, ' ', false, json::error_handler_t::replace);
  text.pop_back();
  if (!base || base->levels != written.levels) text += ",\"levels\":" + written.levels;
  PexViewerListing listing;
  std::optional<std::string> edits;
  if (session.Listing(listing)) {
    if (base && base->viewer) edits = NodeEdits(*base->viewer, listing, base->revision);
    text += ",\"viewer\":" + (edits ? *edits : listing.Text()) + "}";
    written.viewer = std::move(listing);
  } else {
    text += ",\"viewer\":null}";
  }
  last_ = std::move(written);
  return text;
}
