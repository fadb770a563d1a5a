// Feeds arbitrary bytes to the host's text file readers: as a message
// catalogue and as a settings repository. A settings repository must read
// back, after a save, exactly the settings it held before, also with an
// arbitrary key and value written into it.
#include <stdlib.h>

#include <fstream>
#include <map>

#include "../KivFuzz.h"
#include "KivMsgCatalog.h"
#include "KivSettingRepository.h"

namespace {
std::string Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/kivfuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    Require(made);
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
    Require(repo.ReadSetting(key, value) == S_OK);
    all[key.str()] = value.str();
  }
  return all;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::string folder = Folder();
  const std::string text = Text(data, size);
  std::ofstream(folder + "/Fuzz.kivmsg", std::ios::binary) << text;
  std::ofstream(folder + "/Fuzz.kivsettings", std::ios::binary) << text;

  const std::string firstLine = text.substr(0, text.find('\n'));
  KivMsgCatalog::BuildMessage("Fuzz", KivString(firstLine), "default /P1", {"p"});
  KivMsgCatalog::BuildMessage("Fuzz", "title", "", {"a", "b"});

  KivSettingRepository::ForgetAll();
  KivSettingRepository* repo = KivSettingRepository::GetRepository("Fuzz");
  Require(repo);
  std::map<std::string, std::string> expected = Settings(*repo);
  const std::string key = firstLine.empty() ? "k" : firstLine;
  const std::string value = text.substr(firstLine.size());
  Require(repo->WriteSetting(KivString(key), KivString(value)) == S_OK);
  expected[key] = value;
  Require(repo->Save() == S_OK);

  KivSettingRepository::ForgetAll();
  Require(Settings(*KivSettingRepository::GetRepository("Fuzz")) == expected);
  KivSettingRepository::ForgetAll();
  return 0;
}
