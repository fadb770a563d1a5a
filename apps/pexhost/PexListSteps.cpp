#include "PexListSteps.h"

#include <cmath>

#include "Kiv2DBagRep.h"
#include "KivFrmEditor.h"
#include "KivISPPProductIO.h"
#include "KivIVisu.h"
#include "KivPertInteraction.h"
#include "KivSelectShowActions.h"
#include "MoxIScrollListZitBlt.h"
#include "MoxIZitBltMgr.h"
#include "PexJsonWriter.h"
#include "PexNodeButtons.h"
#include "PexSession.h"
#include "PexStepArgs.h"
#include "PexVerbRegistry.h"

namespace {
using Args = const std::vector<std::string>&;

struct FoundList {
  MoxIZitBltButton_var button;
  MoxIScrollListZitBlt_var list;
};

KivStepResult FindList(const std::string& node, const std::string& name, FoundList& found) {
  std::string error;
  KivBaseUnknown_var object = KivInteraction::FindObject(node, error);
  if (!object) return KivStepResult::Fail(error);
  MoxIZitBltMgr_var manager(object.get());
  found.button = manager ? manager->GetZitBltButton(KivUnicodeString(name)) : NULL_var;
  if (!found.button) return KivStepResult::Fail(PexNoSuchButton(object.get(), name));
  found.list = MoxIScrollListZitBlt_var(found.button.get());
  if (!found.list) return KivStepResult::Fail("button " + PexQuoted(name) + " opens no list");
  return KivStepResult::Ok();
}

KivStepResult RowOf(const FoundList& found, const std::string& text, MoxScrollListRow& row,
                    int& index) {
  if (!PexToInteger(text, index))
    return KivStepResult::Fail(PexQuoted(text) + " is not a row number");
  if (!found.list->GetRow(index, row))
    return KivStepResult::Fail("the list has " + std::to_string(found.list->GetRowCount()) +
                               " rows, no row " + text);
  return KivStepResult::Ok();
}

// The product or resource a row stands for: the linked item of a product
// link, else the item itself.
KivBaseUnknown_var ListedObject(const MoxScrollListRow& row) {
  if (KivISPPProductIO_var link = row.item.get()) return link->GetItem();
  return row.item;
}

std::string ShowState(const MoxScrollListRow& row) {
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  if (!editor || !KivISPPProductIO_var(row.item.get())) return {};
  return editor->GetProcessDocument()->ShowState(ListedObject(row).get()).ConvertToUTF8();
}

KivStepResult OpenOrClose(MoxIZitBltButton* button, bool open) {
  if (button->IsOpen() != open && FAILED(button->Click()))
    return KivStepResult::Fail("the button is not drawn in a viewer");
  return KivStepResult::Ok(open ? "open" : "closed");
}

// Drags the thumb of the list so that the window starts at row `first`,
// one row per drag step.
KivStepResult Scroll(KivViewer* viewer, const FoundList& found, int first) {
  MoxIScrollListZitBlt* list = found.list.get();
  if (!found.button->IsOpen()) return KivStepResult::Fail("the list is closed");
  Kiv2DRep* thumb = list->GetScrollThumb();
  if (!thumb) return KivStepResult::Fail("the list has no scroll bar");
  const int last = list->GetRowCount() - list->GetScrollRange() + 1;
  if (first < 1 || first > last)
    return KivStepResult::Fail("the window can start at rows 1 to " + std::to_string(last));
  const int steps = std::max(1, std::abs(first - list->GetFirstVisible()));
  KivStepResult dragged =
      KivPertInteraction::DragRep(viewer, thumb, list->GetThumbDragTo(first), steps);
  if (!dragged) return dragged;
  if (list->GetFirstVisible() != first)
    return KivStepResult::Fail("the window starts at row " +
                               std::to_string(list->GetFirstVisible()) + ", not " +
                               std::to_string(first));
  return KivStepResult::Ok("rows " + std::to_string(first) + " to " +
                           std::to_string(first + list->GetScrollRange() - 1) + " shown");
}

// Picks the row where the user sees it: the object under the middle of its
// label is what the host's select and hide/show act on.
KivStepResult PickRow(KivViewer* viewer, const MoxScrollListRow& row, const std::string& action) {
  if (!row.visible) return KivStepResult::Fail("the row is scrolled out of the window");
  // The host's view of the row's drawing.
  KivIVisu_var visu(row.visu.get());
  auto* rep = visu ? dynamic_cast<Kiv2DBagRep*>(visu->GiveRep()) : nullptr;
  Kiv2DRep* label = rep ? rep->GetChild(1) : nullptr;
  if (!label || !label->IsVisibleInTree()) return KivStepResult::Fail("the row is not drawn");
  const Kiv2DBagRep* bag = label->GetFather();
  const Kiv2DBoundingBox box = bag->GetWorldMatrix().Apply(label->GetBoundingElement());
  const float x = (box.xmin + box.xmax) / 2, y = (box.ymin + box.ymax) / 2;
  KivBaseUnknown_var picked;
  for (const auto& under : viewer->PickAll(x, y))
    if (KivBaseUnknown* model = under->FindModelObject(); model && !picked) picked = model;
  if (!picked) return KivStepResult::Fail("nothing is picked on the row's label");
  if (action == "select") return KivSelectShowActions::Select(picked.get());
  return KivSelectShowActions::HideShow(picked.get(), action == "hide" ? KivNoShow : KivShow);
}
}  // namespace

void PexWriteListRows(KivBaseUnknown* button, PexJsonWriter& json) {
  MoxIScrollListZitBlt_var list(button);
  if (!list) return;
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  json.Key("first");
  json.Integer(list->GetFirstVisible());
  json.Key("range");
  json.Integer(list->GetScrollRange());
  json.Key("rows");
  json.BeginArray();
  for (int i = 1; i <= list->GetRowCount(); ++i) {
    MoxScrollListRow row;
    if (!list->GetRow(i, row)) continue;
    json.BeginObject();
    const std::string id =
        editor ? editor->GetProcessDocument()->IdOf(ListedObject(row).get()) : std::string();
    if (!id.empty()) {
      json.Key("id");
      json.String(id);
    }
    json.Key("name");
    json.String(row.label.ConvertToUTF8());
    json.Key("state");
    json.String(row.colour == 247 ? "marked" : "normal");
    json.Key("colour");
    json.Integer(row.colour);
    if (const std::string show = ShowState(row); !show.empty()) {
      json.Key("show");
      json.String(show);
    }
    json.Key("visible");
    json.Bool(row.visible);
    json.EndObject();
  }
  json.EndArray();
}

namespace {
KivStepResult OpenStep(PexSession&, Args a) {
  if (a[2] != "open" && a[2] != "close")
    return KivStepResult::Fail(PexQuoted(a[2]) + " is not open or close");
  FoundList found;
  if (KivStepResult r = FindList(a[0], a[1], found); !r) return r;
  return OpenOrClose(found.button.get(), a[2] == "open");
}

KivStepResult ScrollStep(PexSession& session, Args a) {
  KivViewer* viewer = session.CurrentViewer();
  if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
  FoundList found;
  if (KivStepResult r = FindList(a[0], a[1], found); !r) return r;
  int first = 0;
  if (!PexToInteger(a[2], first))
    return KivStepResult::Fail(PexQuoted(a[2]) + " is not a row number");
  return Scroll(viewer, found, first);
}

KivStepResult RowStep(PexSession& session, Args a) {
  KivViewer* viewer = session.CurrentViewer();
  if (!viewer) return KivStepResult::Fail("the current window shows no PERT level");
  const std::string& action = a[3];
  if (action != "select" && action != "hide" && action != "show")
    return KivStepResult::Fail(PexQuoted(action) + " is not select, hide or show");
  FoundList found;
  if (KivStepResult r = FindList(a[0], a[1], found); !r) return r;
  if (!found.button->IsOpen()) return KivStepResult::Fail("the list is closed");
  MoxScrollListRow row;
  int index = 0;
  if (KivStepResult r = RowOf(found, a[2], row, index); !r) return r;
  return PickRow(viewer, row, action);
}

KivStepResult RowsCheck(PexSession&, Args a) {
  FoundList found;
  if (KivStepResult r = FindList(a[0], a[1], found); !r) return r;
  int expected = 0;
  if (!PexToInteger(a[2], expected))
    return KivStepResult::Fail(PexQuoted(a[2]) + " is not a count");
  const int rows = found.list->GetRowCount();
  if (rows != expected)
    return KivStepResult::Fail("the list has " + std::to_string(rows) + " rows, not " + a[2]);
  return KivStepResult::Ok();
}

KivStepResult RowCheck(PexSession&, Args a) {
  FoundList found;
  if (KivStepResult r = FindList(a[0], a[1], found); !r) return r;
  MoxScrollListRow row;
  int index = 0;
  if (KivStepResult r = RowOf(found, a[2], row, index); !r) return r;
  const std::string name = row.label.ConvertToUTF8();
  if (name != a[3])
    return KivStepResult::Fail("row " + a[2] + " is " + PexQuoted(name) + ", not " +
                               PexQuoted(a[3]));
  for (std::size_t i = 4; i < a.size(); ++i) {
    const std::string& state = a[i];
    std::string actual;
    if (state == "visible" || state == "scrolled")
      actual = row.visible ? "visible" : "scrolled";
    else if (state == "normal" || state == "marked")
      actual = row.colour == 247 ? "marked" : "normal";
    else if (state == "SHOW" || state == "HIDDEN" || state == "PARTIAL")
      actual = ShowState(row);
    else
      return KivStepResult::Fail(
          PexQuoted(state) + " is not visible, scrolled, normal, marked, SHOW, HIDDEN or PARTIAL");
    if (actual != state)
      return KivStepResult::Fail("row " + a[2] + " is " +
                                 (actual.empty() ? "without show state" : actual) + ", not " +
                                 state);
  }
  return KivStepResult::Ok();
}
}  // namespace

void PexRegisterListSteps(PexVerbRegistry& registry) {
  registry.AddVerb({"list", 3, 3, "NODE BUTTON open|close", OpenStep,
                    "opens or closes the list of a status button"});
  registry.AddVerb({"scroll", 3, 3, "NODE BUTTON FIRST", ScrollStep,
                    "scrolls the list until row FIRST is the first shown"});
  registry.AddVerb({"row", 4, 4, "NODE BUTTON ROW select|hide|show", RowStep,
                    "selects, hides or shows what a shown row stands for"});
  registry.AddCheck({"rows", 3, "NODE BUTTON COUNT", RowsCheck, 0, "the list has COUNT rows"});
  registry.AddCheck({"row", 4, "NODE BUTTON ROW NAME [STATE...]", RowCheck, 7,
                     "row ROW (from 1) is labelled NAME and in each STATE given"});
}

KivStepResult PexOpenList(const std::string& nodeAndButton) {
  const std::size_t colon = nodeAndButton.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == nodeAndButton.size())
    return KivStepResult::Fail(PexQuoted(nodeAndButton) + " is not NODE:BUTTON");
  FoundList found;
  if (KivStepResult r =
          FindList(nodeAndButton.substr(0, colon), nodeAndButton.substr(colon + 1), found);
      !r)
    return r;
  return OpenOrClose(found.button, true);
}
