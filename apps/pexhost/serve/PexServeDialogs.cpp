#include "PexServeDialogs.h"

#include <functional>

#include "KivApplicationFrame.h"
#include "KivDlgCheckButton.h"
#include "KivDlgCombo.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgFrame.h"
#include "KivDlgNotify.h"
#include "KivDlgPushItem.h"
#include "KivDlgSelectorList.h"
#include "KivFrmWindow.h"
#include "KivPertInteraction.h"

using nlohmann::json;

namespace {
std::string Utf8(const KivUnicodeString& text) { return text.ConvertToUTF8(); }

json Lines(int count, const std::function<KivUnicodeString(int)>& line) {
  json lines = json::array();
  for (int i = 0; i < count; ++i) lines.push_back(Utf8(line(i)));
  return lines;
}

// A window the page shows as a dialog: not a document window (the viewer is
// drawn apart) and not a message box (messages come from the message log).
bool IsDialogWindow(KivDialog* dialog) {
  return dynamic_cast<KivDlgWindow*>(dialog) && !dynamic_cast<KivFrmWindow*>(dialog) &&
         !dynamic_cast<KivDlgNotify*>(dialog);
}

// The shown dialog windows under `parent`, looking inside frames but not
// inside document windows (the layout lists those) or other dialogs.
void CollectShown(KivDialog& parent, json& out) {
  for (int i = 1; i <= parent.GetChildCount(); ++i) {
    KivDialog* child = parent.GetChild(i);
    if (!child || !child->IsVisible() || dynamic_cast<KivFrmWindow*>(child)) continue;
    if (IsDialogWindow(child))
      out.push_back(PexServeDialogs::Widget(*child));
    else
      CollectShown(*child, out);
  }
}
}  // namespace

json PexServeDialogs::Widget(KivDialog& widget) {
  json out = {{"name", widget.GetName().str()},
              {"title", Utf8(widget.GetTitle())},
              {"visible", widget.IsVisible()},
              {"sensitive", widget.GetSensitivity()}};
  if (widget.HasGridConstraints()) {
    const KivDlgGridConstraints& g = widget.GetGridConstraints();
    out["grid"] = {{"row", g.row}, {"column", g.column}, {"rowSpan", g.rowSpan},
                   {"columnSpan", g.columnSpan}};
  }
  if (auto* box = dynamic_cast<KivDlgDialog*>(&widget)) {
    out["kind"] = "dialog";
    out["ok"] = box->GetOKSensitivity();
  } else if (dynamic_cast<KivDlgWindow*>(&widget)) {
    out["kind"] = "window";
  } else if (auto* editor = dynamic_cast<KivDlgEditor*>(&widget)) {
    out["kind"] = "editor";
    out["text"] = Utf8(editor->GetText());
  } else if (auto* combo = dynamic_cast<KivDlgCombo*>(&widget)) {
    out["kind"] = "combo";
    out["lines"] = Lines(combo->GetLineCount(), [&](int i) { return combo->GetLine(i); });
    out["selected"] = combo->GetSelect();
  } else if (auto* list = dynamic_cast<KivDlgSelectorList*>(&widget)) {
    out["kind"] = "list";
    out["lines"] = Lines(list->GetLineCount(), [&](int i) { return list->GetLine(i); });
    out["selection"] = list->GetSelect();
    out["multiple"] = (list->GetStyle() & KivDlgListMultiSelect) != 0;
  } else if (auto* check = dynamic_cast<KivDlgCheckButton*>(&widget)) {
    out["kind"] = "check";
    out["checked"] = check->IsChecked();
  } else if (dynamic_cast<KivDlgPushItem*>(&widget)) {
    out["kind"] = "item";
  } else if (dynamic_cast<KivDlgLabel*>(&widget)) {
    out["kind"] = "label";
  } else if (dynamic_cast<KivDlgFrame*>(&widget)) {
    out["kind"] = "frame";
  } else {
    out["kind"] = "widget";
  }
  json children = json::array();
  for (int i = 1; i <= widget.GetChildCount(); ++i)
    if (KivDialog* child = widget.GetChild(i)) children.push_back(Widget(*child));
  if (!children.empty()) out["children"] = std::move(children);
  return out;
}

json PexServeDialogs::Shown() {
  json shown = json::array();
  if (!KivApplicationFrame::Exists()) return shown;
  KivApplicationFrame* frame = KivApplicationFrame::GetFrame();
  CollectShown(*frame->GetMainWindow(), shown);
  for (const auto& held : frame->GetLayout()->GetWindows())
    if (auto* window = dynamic_cast<KivFrmWindow*>(held->GetImpl()))
      CollectShown(*window, shown);
  return shown;
}

json PexServeDialogs::OpenMenu() {
  KivDlgContextualMenu* menu = KivPertInteraction::GetOpenContextMenu();
  if (!menu) return nullptr;
  json items = json::array();
  for (int i = 1; i <= menu->GetChildCount(); ++i) {
    KivDialog* item = menu->GetChild(i);
    items.push_back({{"name", item->GetName().str()},
                     {"title", Utf8(item->GetTitle())},
                     {"sensitive", item->IsReachable()}});
  }
  return {{"items", std::move(items)}};
}
