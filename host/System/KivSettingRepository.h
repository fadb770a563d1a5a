#pragma once
// Settings repositories: named sets of key/value settings kept per user.
//
// Repository "<name>" is the file "<folder>/<name>.kivsettings", where the
// folder is "KivUserSettingsPath" when set and not empty, else
// "$HOME/.config/pexhost". A repository that has no file yet is empty: every
// read fails until something is written; Save creates the file.
//
// The file holds one "key=value" line per setting. In keys and values '\'
// is written "\\", a line feed "\n" and a carriage return "\r"; a key also
// writes '=' as "\=" and a leading '#' as "\#". Lines that are blank, start
// with '#' or cannot be read are kept as they are and written back unchanged,
// so saving never loses what a person wrote into the file.
#include <string>
#include <vector>

#include "KivString.h"
#include "KivTypes.h"

class KivSettingRepository {
 public:
  // The repository of that name, owned by the host and shared by every
  // caller in the process (one per settings folder and name). Null when the
  // name cannot name a file (empty, holds '/', "." or "..").
  static KivSettingRepository* GetRepository(const KivString& name);
  // The folder that holds the repositories, empty when neither
  // "KivUserSettingsPath" nor "HOME" is set.
  static KivString UserSettingsFolder();
  // Forgets every repository held in memory, unsaved changes included.
  static void ForgetAll();

  // S_OK and the value when the key is set; E_FAIL and an empty value when not.
  HRESULT ReadSetting(const KivString& key, KivString& value) const;
  // E_INVALIDARG for an empty key; the change lasts until Save or ForgetAll.
  HRESULT WriteSetting(const KivString& key, const KivString& value);
  // S_OK when the key was set and is now removed, S_FALSE when it was not set.
  HRESULT RemoveSetting(const KivString& key);
  // Writes the file (through a temporary file, so a failed save leaves the
  // old file intact). E_FAIL with a trace line when it cannot be written.
  HRESULT Save();

  const KivString& GetName() const { return name_; }
  const KivString& GetFilePath() const { return path_; }
  // The keys of the settings, in file order, then in order of writing.
  std::vector<KivString> Keys() const;

  KivSettingRepository(const KivSettingRepository&) = delete;
  KivSettingRepository& operator=(const KivSettingRepository&) = delete;
  ~KivSettingRepository();

 private:
  KivSettingRepository(KivString name, KivString path);
  void Load();

  // One line of the file: a setting, or a line kept verbatim.
  struct Line {
    bool isSetting;
    std::string key;
    std::string value;  // the raw text for a verbatim line
  };
  KivString name_;
  KivString path_;
  std::vector<Line> lines_;
};
