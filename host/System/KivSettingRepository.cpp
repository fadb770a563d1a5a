#include "KivSettingRepository.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>

#include "KivEnvironment.h"
#include "KivPathSearch.h"
#include "KivSafeFile.h"
#include "KivSystemTrace.h"

namespace {
std::map<std::string, std::unique_ptr<KivSettingRepository>>& Repositories() {
  static std::map<std::string, std::unique_ptr<KivSettingRepository>> repositories;
  return repositories;
}

std::string Escape(const std::string& text, bool isKey) {
  std::string out;
  // A key must not look like a comment line.
  if (isKey && !text.empty() && text[0] == '#') out += '\\';
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '=' && isKey)
      out += "\\=";
    else
      out += c;
  }
  return out;
}

// Splits "key=value" at the first '=' that is not escaped and unescapes both
// sides; nothing when the line is not such a pair.
std::optional<std::pair<std::string, std::string>> ParseSetting(const std::string& line) {
  std::string parts[2];
  int part = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\') {
      if (i + 1 >= line.size()) return std::nullopt;
      const char next = line[++i];
      if (next == '\\')
        parts[part] += '\\';
      else if (next == 'n')
        parts[part] += '\n';
      else if (next == 'r')
        parts[part] += '\r';
      else if ((next == '=' || next == '#') && part == 0)
        parts[part] += next;
      else
        return std::nullopt;
    } else if (c == '=' && part == 0) {
      part = 1;
    } else {
      parts[part] += c;
    }
  }
  if (part == 0 || parts[0].empty()) return std::nullopt;
  return std::make_pair(std::move(parts[0]), std::move(parts[1]));
}
}  // namespace

KivString KivSettingRepository::UserSettingsFolder() {
  const char* folder = KivGetEnv("KivUserSettingsPath");
  if (folder && *folder) return KivString(folder);
  const char* home = KivGetEnv("HOME");
  if (home && *home) return KivString(std::string(home) + "/.config/pexhost");
  return KivString();
}

KivSettingRepository* KivSettingRepository::GetRepository(const KivString& name) {
  if (!KivIsPlainFileName(name.str())) {
    KivSystemTrace().Print("KivSettingRepository: \"%s\" cannot name a repository", name.c_str());
    return nullptr;
  }
  const KivString folder = UserSettingsFolder();
  const std::string path =
      folder.IsEmpty() ? std::string() : folder.str() + "/" + name.str() + ".kivsettings";
  auto& repositories = Repositories();
  const std::string id = path.empty() ? "\n" + name.str() : path;
  auto it = repositories.find(id);
  if (it == repositories.end()) {
    std::unique_ptr<KivSettingRepository> repository(
        new KivSettingRepository(name, KivString(path)));
    repository->Load();
    it = repositories.emplace(id, std::move(repository)).first;
  }
  return it->second.get();
}

void KivSettingRepository::ForgetAll() { Repositories().clear(); }

KivSettingRepository::KivSettingRepository(KivString name, KivString path)
    : name_(std::move(name)), path_(std::move(path)) {}

KivSettingRepository::~KivSettingRepository() = default;

void KivSettingRepository::Load() {
  if (path_.IsEmpty()) return;
  std::ifstream in(path_.str(), std::ios::binary);
  if (!in) return;  // no file yet: an empty repository
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') {
      lines_.push_back({false, std::string(), line});
      continue;
    }
    if (auto setting = ParseSetting(line)) {
      lines_.push_back({true, std::move(setting->first), std::move(setting->second)});
    } else {
      KivSystemTrace().Print("KivSettingRepository: %s:%d is not \"key=value\"; kept as it is",
                             path_.c_str(), lineNumber);
      lines_.push_back({false, std::string(), line});
    }
  }
}

HRESULT KivSettingRepository::ReadSetting(const KivString& key, KivString& value) const {
  // The last line of a key is the one in force (a file edited by hand may
  // repeat a key).
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
    if (it->isSetting && it->key == key.str()) {
      value = KivString(it->value);
      return S_OK;
    }
  }
  value = KivString();
  KivSystemTrace().Print("KivSettingRepository: \"%s\" has no setting \"%s\"", name_.c_str(),
                         key.c_str());
  return E_FAIL;
}

HRESULT KivSettingRepository::WriteSetting(const KivString& key, const KivString& value) {
  if (key.IsEmpty()) return E_INVALIDARG;
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
    if (it->isSetting && it->key == key.str()) {
      it->value = value.str();
      return S_OK;
    }
  }
  lines_.push_back({true, key.str(), value.str()});
  return S_OK;
}

HRESULT KivSettingRepository::RemoveSetting(const KivString& key) {
  const auto before = lines_.size();
  std::erase_if(lines_, [&](const Line& l) { return l.isSetting && l.key == key.str(); });
  return lines_.size() < before ? S_OK : S_FALSE;
}

std::vector<KivString> KivSettingRepository::Keys() const {
  std::vector<KivString> keys;
  for (const Line& l : lines_) {
    if (!l.isSetting) continue;
    bool seen = false;
    for (const KivString& k : keys) seen = seen || k.str() == l.key;
    if (!seen) keys.emplace_back(l.key);
  }
  return keys;
}

HRESULT KivSettingRepository::Save() {
  if (path_.IsEmpty()) {
    KivSystemTrace().Print("KivSettingRepository: no settings folder for \"%s\"", name_.c_str());
    return E_FAIL;
  }
  const std::filesystem::path path(path_.str());
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::string text;
  for (const Line& l : lines_) {
    if (l.isSetting)
      text += Escape(l.key, true) + '=' + Escape(l.value, false) + '\n';
    else
      text += l.value + '\n';
  }
  std::string reason;
  if (!KivSafeFile::Replace(path_.str(), text, reason)) {
    KivSystemTrace().Print("KivSettingRepository: cannot write %s: %s", path_.c_str(),
                           reason.c_str());
    return E_FAIL;
  }
  return S_OK;
}
