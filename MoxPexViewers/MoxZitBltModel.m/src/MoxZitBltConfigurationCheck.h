#pragma once
// Mistakes in the status-button configuration files that do not stop them
// from being read but make a button behave other than its author meant: a
// ZitBlt location that is empty or not one of the twelve keywords (the
// button sits at the node's centre), a ZitBlt name used twice for one
// activity type (lookups by name find only one of them), a root element
// other than the file's own ("StatusBarConfiguration" handed over as
// "zitbltcfg.xml", say). Each becomes a warning naming the file and the
// line; the files are still used as they are.
#include <string>
#include <vector>

#include "KivIDOMDocument.h"

class MoxZitBltConfigurationCheck {
 public:
  // "FILE:LINE: warning: ..." lines, in document order.
  static std::vector<std::string> CheckZitBltFile(KivIDOMDocument* document,
                                                  const std::string& path);
  static std::vector<std::string> CheckStatusBarFile(KivIDOMDocument* document,
                                                     const std::string& path);
  // Writes the warnings to standard error and to the ZitBlt trace.
  static void Report(const std::vector<std::string>& warnings);
};
