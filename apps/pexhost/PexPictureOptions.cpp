#include "PexPictureOptions.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "KivFrmEditor.h"
#include "KivFrmWindow.h"
#include "KivIGENode.h"
#include "KivISPPActivity.h"
#include "KivProcessDocument.h"
#include "KivViewer.h"
#include "MoxIPertWindow.h"
#include "MoxIZitBltButton.h"
#include "MoxIZitBltMgr.h"
#include "MoxPertController.h"
#include "MoxPertNodeAccess.h"
#include "MoxPertNodeLook.h"
#include "PexSession.h"

namespace {

// Reads exactly `count` numbers separated by `separator`.
bool ReadNumbers(const std::string& text, char separator, std::size_t count,
                 std::vector<double>& numbers) {
  numbers.clear();
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, separator)) {
    std::size_t used = 0;
    try {
      numbers.push_back(std::stod(part, &used));
    } catch (const std::exception&) {
      return false;
    }
    if (used != part.size() || !std::isfinite(numbers.back())) return false;
  }
  return numbers.size() == count && (text.empty() || text.back() != separator);
}

std::string NameOf(KivBaseUnknown* node) {
  KivIGENode_var graphNode(node);
  return graphNode ? graphNode->GetNodeName().ConvertToUTF8() : std::string();
}

// "Station" for one type, "Start, Stop" for the types sharing a colour.
std::vector<KivLegendEntry> TypeLegend(MoxPertController& controller) {
  std::map<int, std::vector<std::string>> namesByColour;
  std::vector<int> order;
  for (const auto& node : controller.GetDrawnNodes()) {
    const KivString type = MoxPertNodeAccess::TypeName(node.get());
    const int colour = MoxPertNodeFillColor(type);
    auto& names = namesByColour[colour];
    if (names.empty()) order.push_back(colour);
    const std::string name = MoxPertShortTypeName(type).ConvertToUTF8();
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  std::vector<KivLegendEntry> legend;
  for (const int colour : order) {
    std::string label;
    for (const std::string& name : namesByColour[colour])
      label += (label.empty() ? "" : ", ") + name;
    legend.push_back({label, colour, {}});
  }
  return legend;
}

// The icon of a button in grey levels, as a greyed button draws it.
KivVar<KivPixelImage> GreyIcon(MoxIZitBltButton& button) {
  auto icon = KivVar<KivPixelImage>::Adopt(button.GetButtonIcon());
  if (icon && SUCCEEDED(icon->Convert(KivPixelImage::kGrey))) icon->Convert(KivPixelImage::kRgba);
  return icon;
}

// One entry per button name shown in the level, with its icon in colour;
// then, when a shown button is greyed, one entry that says what grey means,
// with that button's icon in grey.
std::vector<KivLegendEntry> ButtonLegend(MoxPertController& controller) {
  std::vector<KivLegendEntry> legend;
  KivVar<KivPixelImage> greyIcon;
  for (const auto& node : controller.GetDrawnNodes()) {
    MoxIZitBltMgr_var manager(node.get());
    KivListValKivUnicodeString* names = nullptr;
    if (!manager || FAILED(manager->GetAllZitBlts(&names)) || !names) continue;
    const std::unique_ptr<KivListValKivUnicodeString> owned(names);
    for (const KivUnicodeString& name : *names) {
      const std::string label = name.ConvertToUTF8();
      const bool listed = std::any_of(legend.begin(), legend.end(),
                                      [&](const auto& e) { return e.label == label; });
      if (listed && greyIcon) continue;
      MoxIZitBltButton_var button = manager->GetZitBltButton(name);
      if (!button || !button->IsShown()) continue;
      if (!listed) {
        auto icon = KivVar<KivPixelImage>::Adopt(button->GetButtonIcon());
        if (icon) legend.push_back({label, -1, icon});
      }
      if (!greyIcon && button->IsGreyed()) greyIcon = GreyIcon(*button);
    }
  }
  if (greyIcon) legend.push_back({kPexGreyedButtonLabel, -1, greyIcon});
  return legend;
}

}  // namespace

PexOptionUse PexTakePictureOption(const std::vector<std::string>& args, std::size_t& i,
                                  KivPictureOptions& options, std::string& error) {
  std::string name = args[i];
  std::string value;
  bool inlineValue = false;
  if (const std::size_t equals = name.find('='); equals != std::string::npos) {
    value = name.substr(equals + 1);
    name.resize(equals);
    inlineValue = true;
  }
  if (name != "--scale" && name != "--fit" && name != "--crop") return PexOptionUse::NotMine;
  if (!inlineValue) {
    if (i + 1 >= args.size()) {
      error = name + " needs a value";
      return PexOptionUse::Bad;
    }
    value = args[++i];
  }
  std::vector<double> n;
  if (name == "--scale") {
    if (!ReadNumbers(value, ',', 1, n) || n[0] <= 0.0 || n[0] > 1000.0) {
      error =
          "--scale needs pixels per viewer unit, more than 0 and at most 1000 (\"" + value + "\")";
      return PexOptionUse::Bad;
    }
    options.pixelsPerUnit = n[0];
    options.exactScale = true;
  } else if (name == "--fit") {
    if (!ReadNumbers(value, 'x', 2, n) || n[0] < 16 || n[1] < 16 || n[0] > kKivMaxRasterSide ||
        n[1] > kKivMaxRasterSide || n[0] != std::floor(n[0]) || n[1] != std::floor(n[1])) {
      error = "--fit needs WIDTHxHEIGHT in whole pixels from 16 to " +
              std::to_string(kKivMaxRasterSide) + " (\"" + value + "\")";
      return PexOptionUse::Bad;
    }
    options.fitWidth = static_cast<int>(n[0]);
    options.fitHeight = static_cast<int>(n[1]);
  } else {
    if (!ReadNumbers(value, ',', 4, n) || n[0] >= n[2] || n[1] >= n[3]) {
      error =
          "--crop needs XMIN,YMIN,XMAX,YMAX in viewer units, the minimums below the maximums (\"" +
          value + "\")";
      return PexOptionUse::Bad;
    }
    options.crop =
        Kiv2DBoundingBox::FromCorners(static_cast<float>(n[0]), static_cast<float>(n[1]),
                                      static_cast<float>(n[2]), static_cast<float>(n[3]));
  }
  return PexOptionUse::Taken;
}

void PexDescribePicture(const PexSession& session, KivPictureOptions& options) {
  KivFrmWindow* window = session.CurrentPertWindow();
  MoxPertController* controller = session.CurrentController();
  KivViewer* viewer = session.CurrentViewer();
  if (!window || !controller || !viewer) return;
  KivBaseUnknown_var level;
  MoxIPertWindow_var(window)->GetPertLevel(level);
  std::string document;
  if (KivFrmEditor* editor = KivInteraction::GetCurrentEditor()) {
    document = editor->GetProcessDocument()->GetStorageName().ConvertToUTF8();
    document = document.substr(document.find_last_of('/') + 1);
  }
  options.title =
      document.empty() ? NameOf(level.get()) : document + " \u2014 " + NameOf(level.get());
  options.legend = TypeLegend(*controller);
  for (KivLegendEntry& entry : ButtonLegend(*controller)) options.legend.push_back(entry);
  options.tooltip = [controller](const KivDrawItem& item) {
    const KivBaseUnknown_var node = item.source ? controller->FindNodeOfRep(item.source) : NULL_var;
    return node ? NameOf(node.get()) : std::string();
  };
}
