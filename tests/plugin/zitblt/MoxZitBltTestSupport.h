#pragma once
// Shared fixtures of the status-button tests: a scratch startup folder with
// a configuration file and icons, a process document, and a stand-in for the
// activity's list-command owner whose commands record what they are asked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "KivExtension.h"
#include "KivFrameLeakCheck.h"
#include "KivIModelObject.h"
#include "KivProcessDocument.h"
#include "KivSettingRepository.h"
#include "KivTestSupport.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxIZitBltCBSubscriber.h"
#include "MoxIZitBltMgr.h"
#include "MoxZitBltConfiguration.h"
#include "MoxZitBltIconCache.h"
#include "MoxZitBltRep.h"

// Writes a 16x16 24-bit BMP of one colour.
inline void WriteTestIcon(const std::filesystem::path& file, unsigned char r, unsigned char g,
                          unsigned char b) {
  std::ofstream out(file, std::ios::binary);
  const unsigned imageBytes = 16 * 16 * 3;  // rows of 48 bytes: no padding
  out << "BM";
  // File header, then the info header: 16 x 16, one plane, 24 bits, no
  // compression, 72 dpi.
  const std::pair<unsigned, int> header[] = {
      {54 + imageBytes, 4}, {0, 4}, {54, 4},         {40, 4},   {16, 4},   {16, 4}, {1, 2},
      {24, 2},              {0, 4}, {imageBytes, 4}, {2835, 4}, {2835, 4}, {0, 4},  {0, 4}};
  for (const auto& [value, bytes] : header)
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
  for (unsigned i = 0; i < 16 * 16; ++i) out << b << g << r;
}

// A ZitBlt element of the plug-in's module with the "Red" icon, and its list
// command when one is named; an ActivityZitBlt element around such elements.
inline std::string ZitBltXml(const char* name, const char* location, const char* command = nullptr,
                             const char* type = "MoxZitBltRep") {
  std::string xml = std::string("<ZitBlt Name=\"") + name + "\" Type=\"" + type +
                    "\" LoadModule=\"MoxPexViewers\" Location=\"" + location +
                    "\" IconFile=\"Red\">";
  if (command)
    xml += std::string("<UpdateData CmdName=\"") + command + "\" LoadModule=\"MoxPexViewers\"/>";
  return xml + "</ZitBlt>";
}
inline std::string ActivityXml(const char* type, const std::string& zitBlts) {
  return std::string("<ActivityZitBlt ActivityType=\"") + type + "\">" + zitBlts +
         "</ActivityZitBlt>";
}

// A list command that records its calls in a process-wide log: each call as
// "activity:button:Activate" or "...:Update" (the ObjectName of the command's
// activity, the button it serves), marked "(no rep)" when it came without a
// button.
class RecordingListCmd : public MoxBaseListZitBltCmd {
 public:
  RecordingListCmd(std::string activity, const KivUnicodeString& zitBlt)
      : activity_(std::move(activity)) {
    SetZitBltName(zitBlt);
  }
  HRESULT Activate(KivCommand* caller, KivNotification*) override {
    Record("Activate", dynamic_cast<MoxZitBltRep*>(caller));
    return S_OK;
  }
  void UpdateZitbltData(MoxZitBltRep* rep) override { Record("Update", rep); }
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }

 private:
  void Record(const char* what, MoxZitBltRep* rep) {
    Log().push_back(activity_ + ":" + GetZitBltName().ConvertToUTF8() + ":" + what +
                    (rep ? "" : "(no rep)"));
  }
  std::string activity_;
};

// The list-command owner of an activity, for the tests: one recording
// command per configured ZitBlt that has an UpdateData element.
class RecordingSubscriber : public KivExtend<KivExtension, MoxIZitBltCBSubscriber> {
 public:
  int Subscribe() override {
    if (subscribed_) return 0;
    ++Subscriptions();
    KivIModelObject_var named(GetImpl());
    MoxIZitBltMgr_var manager(GetImpl());
    KivIDOMDocument_var document;
    if (named && manager && manager->GetDomDocument(document)) {
      const std::string activity = named->ObjectName().ConvertToUTF8();
      for (const auto& declared : *MoxZitBltConfiguration::DeclaredFor(
               document, KivUnicodeString(named->ObjectType().str()))) {
        if (declared.hasUpdate)
          commands_.emplace_back(declared.entry.name,
                                 KivMake<RecordingListCmd>(activity, declared.entry.name));
      }
    }
    subscribed_ = 1;
    return 0;
  }
  unsigned char IsSubscribed() override { return subscribed_; }
  int UnSubscribe() override {
    commands_.clear();
    subscribed_ = 0;
    return 0;
  }
  HRESULT FindZitBltCmd(const KivUnicodeString& name, MoxBaseListZitBltCmd** command) override {
    if (!command) return E_FAIL;
    for (auto& [key, cmd] : commands_) {
      if (key != name) continue;
      *command = cmd.get();
      return S_OK;
    }
    return E_FAIL;
  }
  void SetIgnoreNotifFlag(unsigned char) override {}
  unsigned char GetIgnoreNotifFlag() override { return 0; }
  static int& Subscriptions() {
    static int count = 0;
    return count;
  }
  static KivBaseUnknown* Create(KivBaseUnknown* component) {
    return KivCreateExtension<RecordingSubscriber>(component, KivExtensionKind::Data);
  }

 protected:
  ~RecordingSubscriber() override { UnSubscribe(); }

 private:
  unsigned char subscribed_ = 0;
  std::vector<std::pair<KivUnicodeString, KivVar<RecordingListCmd>>> commands_;
};

// Restores every piece of process-wide state the tests touch: the startup
// path, the image path, the settings folder, the parsed configuration
// documents, the subscriber binding, the command log and the frame; and
// checks that component instances balance.
class ZitBltFixture : public FrameLeakCheckedTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "icons");
    std::filesystem::create_directories(folder_ / "settings");
    KivSettingRepository::ForgetAll();
    MoxZitBltConfiguration::Forget();
    MoxStatusBarConfiguration::Forget();
    MoxZitBltIconCache::Clear();
    RecordingListCmd::Log().clear();
    RecordingSubscriber::Subscriptions() = 0;
    WriteTestIcon(folder_ / "icons" / "Red.bmp", 220, 30, 30);
    WriteTestIcon(folder_ / "icons" / "Blue.bmp", 30, 30, 220);
    FrameLeakCheckedTest::SetUp();
    document_ = KivProcessDocument::Create();
  }
  void TearDown() override {
    document_ = NULL_var;
    CloseApplication();
    MoxZitBltConfiguration::Forget();
    MoxStatusBarConfiguration::Forget();
    FrameLeakCheckedTest::TearDown();
    if (subscriberBound_) {
      KivExtensionRegistry::Remove("PhysicalActivity", IID_MoxIZitBltCBSubscriber,
                                   &RecordingSubscriber::Create);
      for (const auto& binding : savedSubscriberBindings_) KivExtensionRegistry::Add(binding);
    }
    KivSettingRepository::ForgetAll();
  }

  // Writes the configuration file into the scratch startup folder.
  void WriteConfiguration(const std::string& xml) const {
    std::ofstream(folder_ / MoxZitBltConfiguration::kFileName) << xml;
  }
  // Binds RecordingSubscriber to activities for the rest of the test; any
  // other binding of the interface (the plug-in's own) steps aside and comes
  // back in TearDown.
  void UseRecordingSubscriber() {
    for (const auto& binding : KivExtensionRegistry::All()) {
      if (binding.lateType == "PhysicalActivity" && binding.iid == IID_MoxIZitBltCBSubscriber) {
        savedSubscriberBindings_.push_back(binding);
        KivExtensionRegistry::Remove(binding.lateType, binding.iid, binding.create);
      }
    }
    KivExtensionRegistry::Add({"PhysicalActivity", IID_MoxIZitBltCBSubscriber,
                               "RecordingSubscriber", KivExtensionKind::Data,
                               &RecordingSubscriber::Create});
    subscriberBound_ = true;
  }

  TempFolder temp_;
  const std::filesystem::path folder_{temp_.Path()};
  KivVar<KivProcessDocument> document_;

 private:
  ScopedEnv startup_{"KivStartupPath", temp_.Path().c_str()};
  ScopedEnv images_{"KivImagePath", nullptr};
  ScopedEnv settings_{"KivUserSettingsPath", temp_.Sub("settings").c_str()};
  std::vector<KivExtensionBinding> savedSubscriberBindings_;
  bool subscriberBound_ = false;
};
