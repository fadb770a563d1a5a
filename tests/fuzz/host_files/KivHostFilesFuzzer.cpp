// Feeds arbitrary bytes to the host's text file readers: as a message
// catalogue and as a settings repository. A settings repository must read
// back, after a save, exactly the settings it held before, also with an
// arbitrary key and value written into it.
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "KivMsgCatalog.h"
#include "KivSettingRepository.h"

namespace {
std::string Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/kivfuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    setenv("KivStartupPath", made, 1);
    setenv("KivUserSettingsPath", made, 1);
    return std::string(made);
  }();
  return folder;
}

std::map<std::string, std::string> Settings(const KivSettingRepository& repo) {
  std::map<std::string, std::string> all;
  for (const KivString& key : repo.Keys()) {
    KivString value;
    if (repo.ReadSetting(key, value) != S_OK) std::abort();
    all[key.str()] = value.str();
  }
  return all;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::string folder = Folder();
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::ofstream(folder + "/Fuzz.kivmsg", std::ios::binary) << text;
  std::ofstream(folder + "/Fuzz.kivsettings", std::ios::binary) << text;

  const std::string firstLine = text.substr(0, text.find('\n'));
  KivMsgCatalog::BuildMessage("Fuzz", KivString(firstLine), "default /P1", {"p"});
  KivMsgCatalog::BuildMessage("Fuzz", "title", "", {"a", "b"});

  KivSettingRepository::ForgetAll();
  KivSettingRepository* repo = KivSettingRepository::GetRepository("Fuzz");
  if (!repo) std::abort();
  std::map<std::string, std::string> expected = Settings(*repo);
  const std::string key = firstLine.empty() ? "k" : firstLine;
  const std::string value = text.substr(firstLine.size());
  if (repo->WriteSetting(KivString(key), KivString(value)) != S_OK) std::abort();
  expected[key] = value;
  if (repo->Save() != S_OK) std::abort();

  KivSettingRepository::ForgetAll();
  if (Settings(*KivSettingRepository::GetRepository("Fuzz")) != expected) std::abort();
  KivSettingRepository::ForgetAll();
  return 0;
}
