#pragma once
// Shared fixtures of the status-button tests: a scratch startup folder with
// a configuration file and icons, a process document, and a stand-in for the
// activity's list-command owner whose commands record what they are asked.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "KivExtension.h"
#include "KivProcessDocument.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxIZitBltCBSubscriber.h"

class MoxZitBltRep;

// Writes a 16x16 24-bit BMP of one colour.
void WriteTestIcon(const std::filesystem::path& file, unsigned char r, unsigned char g,
                   unsigned char b);

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

// One call received by a recording list command.
struct ListCommandCall {
  std::string activity;  // ObjectName of the command's activity
  std::string zitBlt;    // the button name it serves
  std::string what;      // "Activate" or "Update"
  MoxZitBltRep* rep;
};

// A list command that records its calls in a process-wide log.
class RecordingListCmd : public MoxBaseListZitBltCmd {
 public:
  RecordingListCmd(std::string activity, const KivUnicodeString& zitBlt);
  HRESULT Activate(KivCommand* caller, KivNotification* notification) override;
  void UpdateZitbltData(MoxZitBltRep* rep) override;
  static std::vector<ListCommandCall>& Log();

 private:
  std::string activity_;
};

// The list-command owner of an activity, for the tests: one recording
// command per configured ZitBlt that has an UpdateData element.
class RecordingSubscriber : public KivExtend<KivExtension, MoxIZitBltCBSubscriber> {
 public:
  RecordingSubscriber() = default;
  int Subscribe() override;
  unsigned char IsSubscribed() override { return subscribed_; }
  int UnSubscribe() override;
  HRESULT FindZitBltCmd(const KivUnicodeString& name, MoxBaseListZitBltCmd** command) override;
  void SetIgnoreNotifFlag(unsigned char) override {}
  unsigned char GetIgnoreNotifFlag() override { return 0; }
  static int& Subscriptions();

 protected:
  ~RecordingSubscriber() override;

 private:
  unsigned char subscribed_ = 0;
  std::vector<std::pair<KivUnicodeString, KivVar<RecordingListCmd>>> commands_;
};

// Restores every piece of process-wide state the tests touch: the startup
// path, the image path, the settings folder, the parsed configuration
// documents, the subscriber binding, the command log and the frame; and
// checks that component instances balance.
class ZitBltFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the configuration file into the scratch startup folder.
  void WriteConfiguration(const std::string& xml) const;
  // Binds RecordingSubscriber to activities for the rest of the test.
  void UseRecordingSubscriber();

  std::filesystem::path folder_;
  KivVar<KivProcessDocument> document_;

 private:
  std::vector<KivExtensionBinding> savedSubscriberBindings_;
  bool subscriberBound_ = false;
  std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv_;  // name, value
  long live_ = 0;
};
