#include "MoxZitBltTestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivIModelObject.h"
#include "KivSettingRepository.h"
#include "MoxIZitBltMgr.h"
#include "MoxZitBltConfiguration.h"
#include "MoxZitBltIconCache.h"
#include "MoxZitBltRep.h"

namespace {
void PutLE(std::ofstream& out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

KivBaseUnknown* CreateRecordingSubscriber(KivBaseUnknown* component) {
  return KivCreateExtension<RecordingSubscriber>(component, KivExtensionKind::Data);
}

}  // namespace

void WriteTestIcon(const std::filesystem::path& file, unsigned char r, unsigned char g,
                   unsigned char b) {
  std::ofstream out(file, std::ios::binary);
  const unsigned rowBytes = 16 * 3;  // a multiple of 4: no padding
  const unsigned imageBytes = rowBytes * 16;
  out.put('B');
  out.put('M');
  // File header, then the info header: 16 x 16, one plane, 24 bits, no
  // compression, 72 dpi.
  const std::pair<unsigned, int> header[] = {
      {54 + imageBytes, 4}, {0, 4}, {54, 4},         {40, 4},   {16, 4},   {16, 4}, {1, 2},
      {24, 2},              {0, 4}, {imageBytes, 4}, {2835, 4}, {2835, 4}, {0, 4},  {0, 4}};
  for (const auto& [value, bytes] : header) PutLE(out, value, bytes);
  for (unsigned i = 0; i < 16 * 16; ++i) {
    out.put(static_cast<char>(b));
    out.put(static_cast<char>(g));
    out.put(static_cast<char>(r));
  }
}

RecordingListCmd::RecordingListCmd(std::string activity, const KivUnicodeString& zitBlt)
    : activity_(std::move(activity)) {
  SetZitBltName(zitBlt);
}

std::vector<ListCommandCall>& RecordingListCmd::Log() {
  static std::vector<ListCommandCall> log;
  return log;
}

HRESULT RecordingListCmd::Activate(KivCommand* caller, KivNotification*) {
  Log().push_back({activity_, GetZitBltName().ConvertToUTF8(), "Activate",
                   dynamic_cast<MoxZitBltRep*>(caller)});
  return S_OK;
}

void RecordingListCmd::UpdateZitbltData(MoxZitBltRep* rep) {
  Log().push_back({activity_, GetZitBltName().ConvertToUTF8(), "Update", rep});
}

int& RecordingSubscriber::Subscriptions() {
  static int count = 0;
  return count;
}

RecordingSubscriber::~RecordingSubscriber() { UnSubscribe(); }

int RecordingSubscriber::Subscribe() {
  if (subscribed_) return 0;
  ++Subscriptions();
  KivIModelObject_var named(GetImpl());
  MoxIZitBltMgr_var manager(GetImpl());
  KivIDOMDocument_var document;
  if (named && manager && manager->GetDomDocument(document)) {
    const std::string activity = named->ObjectName().ConvertToUTF8();
    for (const auto& element : MoxZitBltConfiguration::SelectZitBlts(
             document, KivUnicodeString(named->ObjectType().str()))) {
      MoxZitBltUpdateData update;
      if (!MoxZitBltConfiguration::ReadUpdateData(element, update)) continue;
      const KivUnicodeString name = element->GetAttribute("Name");
      commands_.emplace_back(name, KivMake<RecordingListCmd>(activity, name));
    }
  }
  subscribed_ = 1;
  return 0;
}

int RecordingSubscriber::UnSubscribe() {
  commands_.clear();
  subscribed_ = 0;
  return 0;
}

HRESULT RecordingSubscriber::FindZitBltCmd(const KivUnicodeString& name,
                                           MoxBaseListZitBltCmd** command) {
  if (!command) return E_FAIL;
  for (auto& [key, cmd] : commands_) {
    if (key == name) {
      *command = cmd.get();
      return S_OK;
    }
  }
  return E_FAIL;
}

void ZitBltFixture::SetUp() {
  for (const char* name : {"KivStartupPath", "KivImagePath", "KivUserSettingsPath"}) {
    const char* value = std::getenv(name);
    savedEnv_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = std::filesystem::temp_directory_path() / ("zitblt-" + std::to_string(::getpid()) + "-" +
                                                      info->test_suite_name() + "-" + info->name());
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_ / "icons");
  std::filesystem::create_directories(folder_ / "settings");
  setenv("KivStartupPath", folder_.c_str(), 1);
  unsetenv("KivImagePath");
  setenv("KivUserSettingsPath", (folder_ / "settings").c_str(), 1);
  KivSettingRepository::ForgetAll();
  MoxZitBltConfiguration::Forget();
  MoxStatusBarConfiguration::Forget();
  MoxZitBltIconCache::Clear();
  RecordingListCmd::Log().clear();
  RecordingSubscriber::Subscriptions() = 0;
  WriteTestIcon(folder_ / "icons" / "Red.bmp", 220, 30, 30);
  WriteTestIcon(folder_ / "icons" / "Blue.bmp", 30, 30, 220);
  live_ = KivBaseUnknown::LiveInstances();
  document_ = KivProcessDocument::Create();
}

void ZitBltFixture::TearDown() {
  document_ = NULL_var;
  if (KivApplicationFrame::Exists()) KivApplicationFrame::Shutdown();
  KivDelayedDestruction::Flush();
  MoxZitBltConfiguration::Forget();
  MoxStatusBarConfiguration::Forget();
  KivDelayedDestruction::Flush();
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), live_) << "a reference leaked or was lost";
  if (subscriberBound_) {
    KivExtensionRegistry::Remove("PhysicalActivity", IID_MoxIZitBltCBSubscriber,
                                 &CreateRecordingSubscriber);
    for (const auto& binding : savedSubscriberBindings_) KivExtensionRegistry::Add(binding);
  }
  KivSettingRepository::ForgetAll();
  for (const auto& [name, value] : savedEnv_)
    value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
  savedEnv_.clear();
  std::filesystem::remove_all(folder_);
}

void ZitBltFixture::WriteConfiguration(const std::string& xml) const {
  std::ofstream(folder_ / MoxZitBltConfiguration::kFileName) << xml;
}

void ZitBltFixture::UseRecordingSubscriber() {
  // Any other binding of the interface (the plug-in's own) steps aside for
  // the test and comes back in TearDown.
  for (const auto& binding : KivExtensionRegistry::All()) {
    if (binding.lateType == "PhysicalActivity" && binding.iid == IID_MoxIZitBltCBSubscriber) {
      savedSubscriberBindings_.push_back(binding);
      KivExtensionRegistry::Remove(binding.lateType, binding.iid, binding.create);
    }
  }
  KivExtensionRegistry::Add({"PhysicalActivity", IID_MoxIZitBltCBSubscriber, "RecordingSubscriber",
                             KivExtensionKind::Data, &CreateRecordingSubscriber});
  subscriberBound_ = true;
}
