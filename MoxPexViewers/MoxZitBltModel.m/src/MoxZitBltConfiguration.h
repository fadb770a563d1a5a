#pragma once
// The two configuration files of the status buttons, found along
// "KivStartupPath" and parsed through the host's XML document builder:
//
// - "zitbltcfg.xml" declares, per activity type, the buttons of an activity
//   node (ActivityZitBlt/ZitBlt elements) and the list command behind each
//   one (the first UpdateData element below a ZitBlt).
// - "StatusBarConfiguration.xml" (or the file named by the setting
//   "XMLFileForStatusbar" of the repository "MoxPFViewerSettings") is handed
//   to the list commands as it is.
//
// Each file is parsed at most once per process successfully; a failed parse
// leaves it unparsed so that the next request tries again, and later edits of
// a parsed file are not seen. Everything runs on the user-interface thread.
#include <memory>
#include <vector>

#include "KivIDOMDocument.h"
#include "KivString.h"
#include "KivUnicodeString.h"

// The attributes of one ZitBlt element; absent attributes read as empty.
struct MoxZitBltEntry {
  KivUnicodeString name;
  KivString type;        // class name of the button rep
  KivString loadModule;  // module that exports its factory
  KivUnicodeString location;
  KivUnicodeString priority;
  KivUnicodeString initialState;
  KivUnicodeString iconFile;
};

// The list command of a ZitBlt element (its first UpdateData element).
struct MoxZitBltUpdateData {
  KivString cmdName;
  KivString loadModule;
};

// One button as an activity type declares it: its attributes and, when the
// element has one, its list command.
struct MoxZitBltDeclaration {
  MoxZitBltEntry entry;
  bool hasUpdate = false;
  MoxZitBltUpdateData update;
};
using MoxZitBltDeclarations = std::shared_ptr<const std::vector<MoxZitBltDeclaration>>;

class MoxZitBltConfiguration {
 public:
  static constexpr const char* kFileName = "zitbltcfg.xml";

  // The full path of "zitbltcfg.xml" along "KivStartupPath"; empty when
  // the variable is unset or no folder holds the file.
  static KivString GetConfigFile();
  // The shared document: true with `document` set when it is parsed (now or
  // before); false with `document` untouched when the file is missing or
  // malformed.
  static bool GetDomDocument(KivIDOMDocument_var& document);
  static bool IsParsed();
  // Successful parses in this process (at most one until Forget).
  static int ParseCount();

  // The ZitBlt elements that apply to an activity type, in document order:
  // those below every ActivityZitBlt element whose ActivityType equals the
  // type exactly.
  static std::vector<KivIDOMElement_var> SelectZitBlts(KivIDOMDocument* document,
                                                       const KivUnicodeString& activityType);
  static MoxZitBltEntry ReadZitBlt(KivIDOMElement* zitBlt);
  // False when the element has no UpdateData element below it.
  static bool ReadUpdateData(KivIDOMElement* zitBlt, MoxZitBltUpdateData& data);

  // The buttons of an activity type, in document order (SelectZitBlts read
  // with ReadZitBlt and ReadUpdateData). For the shared document they are
  // read once per type: a level of thousands of activities asks for the same
  // few types again and again.
  static MoxZitBltDeclarations DeclaredFor(KivIDOMDocument* document,
                                           const KivUnicodeString& activityType);

  // Drops the shared document so that the next request parses again. For
  // tests and tools that change the startup path; the running application
  // never calls it.
  static void Forget();
};

class MoxStatusBarConfiguration {
 public:
  static constexpr const char* kFileName = "StatusBarConfiguration.xml";
  static constexpr const char* kSettingRepository = "MoxPFViewerSettings";
  static constexpr const char* kSettingKey = "XMLFileForStatusbar";

  // The value of the setting when it is set and not empty (used as given,
  // without any search); otherwise "StatusBarConfiguration.xml" searched
  // along "KivStartupPath".
  static KivString GetConfigFile();
  // Parses the file unless it is parsed already; true when the shared
  // document is available afterwards.
  static bool Parse();
  // A handle on the shared document; empty when it is not parsed.
  static KivIDOMDocument_var GetDocument();
  static bool IsParsed();
  // Counts the parses of this process, never reset: what was read from the
  // document of parse N belongs to it alone. 0 before the first.
  static unsigned long ParseNumber();
  static void Forget();
};
