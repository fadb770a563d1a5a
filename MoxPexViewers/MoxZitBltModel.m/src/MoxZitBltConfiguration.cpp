#include "MoxZitBltConfiguration.h"

#include <unordered_map>

#include "KivEnvironment.h"
#include "KivIXMLDOMDocumentBuilder.h"
#include "KivPathSearch.h"
#include "KivSettingRepository.h"
#include "MoxPexTraces.h"
#include "MoxZitBltConfigurationCheck.h"
#include "StrX.h"

namespace {
// One parsed configuration file of the process.
struct SharedDocument {
  KivIDOMDocument_var document;
  bool parsed = false;
  int parses = 0;
  // The declarations read from `document`, by activity type.
  std::unordered_map<KivUnicodeString, MoxZitBltDeclarations> declared;
};

SharedDocument& ZitBltState() {
  static SharedDocument state;
  return state;
}

SharedDocument& StatusBarState() {
  static SharedDocument state;
  return state;
}

KivString FindOnStartupPath(const char* fileName) {
  const char* folders = KivGetEnv("KivStartupPath");
  if (!folders) return KivString();
  return KivFindPath(KivString(fileName), KivString(folders));
}

// Parses `path` without validation into `document`; true on success. The
// builder is released on every path.
bool ParseConfigurationFile(const KivString& path, KivIDOMDocument_var& document) {
  KivIXMLDOMDocumentBuilder_var builder;
  if (FAILED(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder)) || !builder) {
    MoxZitBltModelTrace().Write("no XML document builder: configuration not available");
    return false;
  }
  const KivListValKivUnicodeString names{KivUnicodeString(kKivXMLOptionDoValidation)};
  const KivListValKivUnicodeString values{KivUnicodeString("false")};
  KivIDOMDocument_var parsed;
  const HRESULT hr =
      builder->Parse(KivUnicodeString(path.str()), parsed, names, values, nullptr, nullptr);
  if (FAILED(hr) || !parsed) {
    MoxZitBltModelTrace().Print("configuration \"%s\" not available: %s", path.c_str(),
                                builder->GetLastError().ConvertToUTF8().c_str());
    return false;
  }
  document = parsed;
  return true;
}

KivString ToLocal(const KivUnicodeString& text) { return StrX(text).ToKivString(); }

unsigned long gStatusBarParses = 0;
}  // namespace

KivString MoxZitBltConfiguration::GetConfigFile() { return FindOnStartupPath(kFileName); }

bool MoxZitBltConfiguration::GetDomDocument(KivIDOMDocument_var& document) {
  SharedDocument& state = ZitBltState();
  if (!state.parsed) {
    const KivString path = GetConfigFile();
    if (!ParseConfigurationFile(path, state.document)) return false;
    MoxZitBltConfigurationCheck::Report(
        MoxZitBltConfigurationCheck::CheckZitBltFile(state.document, path.str()));
    state.parsed = true;
    ++state.parses;
  }
  document = state.document;
  return true;
}

bool MoxZitBltConfiguration::IsParsed() { return ZitBltState().parsed; }

int MoxZitBltConfiguration::ParseCount() { return ZitBltState().parses; }

std::vector<KivIDOMElement_var> MoxZitBltConfiguration::SelectZitBlts(
    KivIDOMDocument* document, const KivUnicodeString& activityType) {
  std::vector<KivIDOMElement_var> selected;
  if (!document) return selected;
  const KivUnicodeString activityTypeAttribute("ActivityType");
  for (const KivIDOMElement_var& block : document->GetElementsByTagName("ActivityZitBlt")) {
    if (!block || block->GetAttribute(activityTypeAttribute) != activityType) continue;
    for (const KivIDOMElement_var& zitBlt : block->GetElementsByTagName("ZitBlt"))
      if (zitBlt) selected.push_back(zitBlt);
  }
  return selected;
}

MoxZitBltEntry MoxZitBltConfiguration::ReadZitBlt(KivIDOMElement* zitBlt) {
  MoxZitBltEntry entry;
  if (!zitBlt) return entry;
  entry.name = zitBlt->GetAttribute("Name");
  entry.type = ToLocal(zitBlt->GetAttribute("Type"));
  entry.loadModule = ToLocal(zitBlt->GetAttribute("LoadModule"));
  entry.location = zitBlt->GetAttribute("Location");
  entry.priority = zitBlt->GetAttribute("Priority");
  entry.initialState = zitBlt->GetAttribute("InitialState");
  entry.iconFile = zitBlt->GetAttribute("IconFile");
  return entry;
}

bool MoxZitBltConfiguration::ReadUpdateData(KivIDOMElement* zitBlt, MoxZitBltUpdateData& data) {
  if (!zitBlt) return false;
  const KivListValKivIDOMElement_var updates = zitBlt->GetElementsByTagName("UpdateData");
  if (updates.IsEmpty() || !updates[1]) return false;
  data.cmdName = ToLocal(updates[1]->GetAttribute("CmdName"));
  data.loadModule = ToLocal(updates[1]->GetAttribute("LoadModule"));
  return true;
}

MoxZitBltDeclarations MoxZitBltConfiguration::DeclaredFor(KivIDOMDocument* document,
                                                          const KivUnicodeString& activityType) {
  SharedDocument& state = ZitBltState();
  const bool shared = document && document == state.document.get();
  if (shared)
    if (auto known = state.declared.find(activityType); known != state.declared.end())
      return known->second;
  auto declared = std::make_shared<std::vector<MoxZitBltDeclaration>>();
  for (const KivIDOMElement_var& element : SelectZitBlts(document, activityType)) {
    MoxZitBltDeclaration& declaration = declared->emplace_back();
    declaration.entry = ReadZitBlt(element);
    declaration.hasUpdate = ReadUpdateData(element, declaration.update);
  }
  if (shared) state.declared.emplace(activityType, declared);
  return declared;
}

void MoxZitBltConfiguration::Forget() { ZitBltState() = SharedDocument(); }

KivString MoxStatusBarConfiguration::GetConfigFile() {
  KivString value;
  if (KivSettingRepository* settings = KivSettingRepository::GetRepository(kSettingRepository))
    settings->ReadSetting(kSettingKey, value);
  if (!value.IsEmpty()) return value;
  return FindOnStartupPath(kFileName);
}

bool MoxStatusBarConfiguration::Parse() {
  SharedDocument& state = StatusBarState();
  if (state.parsed) return true;
  KivIDOMDocument_var parsed;
  const KivString path = GetConfigFile();
  if (path.IsEmpty())
    MoxZitBltModelTrace().Print("status-bar file %s not found: the status bars stay empty",
                                kFileName);
  else if (ParseConfigurationFile(path, parsed)) {
    MoxZitBltConfigurationCheck::Report(
        MoxZitBltConfigurationCheck::CheckStatusBarFile(parsed, path.str()));
    state.document = parsed;
    ++state.parses;
    ++gStatusBarParses;
  }
  state.parsed = static_cast<bool>(state.document);
  return state.parsed;
}

KivIDOMDocument_var MoxStatusBarConfiguration::GetDocument() {
  return StatusBarState().parsed ? StatusBarState().document : KivIDOMDocument_var();
}

bool MoxStatusBarConfiguration::IsParsed() { return StatusBarState().parsed; }

unsigned long MoxStatusBarConfiguration::ParseNumber() { return gStatusBarParses; }

void MoxStatusBarConfiguration::Forget() { StatusBarState() = SharedDocument(); }
