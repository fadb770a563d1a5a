#pragma once
// Runs the host shell as a person does and reads what it prints; shared by
// the shell's test programs.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "KivTestFiles.h"

// The bundled example line, which most shell tests open.
inline const std::string kExample = KIV_SOURCE_DIR "/examples/underbody_line.xml";

// Whether `text` holds `part`; a failure prints the whole text.
inline testing::AssertionResult Shows(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "no \"" << part << "\" in\n" << text;
}

struct PexHostRunResult {
  std::string out;
  int status;
};

// Runs pexhost in `folder` with no environment of its own (it finds its
// resources and the plug-in itself) plus the `environment` settings; stdout
// and stderr are both captured. Leaks that belong to the font configuration
// library are suppressed under the leak checker.
inline PexHostRunResult RunPexHost(const std::string& arguments, const std::string& folder = ".",
                                   const std::string& environment = "") {
  const std::string command =
      "cd '" + folder +
      "' && env -u KivStartupPath -u KivModulePath -u KivTraces "
      "LSAN_OPTIONS=suppressions=" KIV_SOURCE_DIR "/tests/plugin/viewer/third_party_leaks.supp " +
      environment + " " KIV_BINARY_DIR "/bin/pexhost " + arguments + " 2>&1";
  PexHostRunResult result{{}, -1};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

// A fixture with a folder of its own for each test, removed afterwards.
class PexHostFolderTest : public testing::Test {
 protected:
  // Writes `text` to a file of the test's folder; returns its path.
  std::string Write(const std::string& name, const std::string& text) const {
    return temp_.Write(name, text);
  }
  // Runs `text` as the script session.pexs in the test's folder.
  PexHostRunResult RunScript(const std::string& text) const {
    return RunPexHost("run " + Write("session.pexs", text), folder_.string());
  }
  // Runs a session script that opens `document` and its viewer first.
  PexHostRunResult RunUnderbodyScript(const std::string& steps,
                                      const std::string& document = kExample) const {
    return RunScript("open " + document + "\nview\n" + steps);
  }

  TempFolder temp_;
  const std::filesystem::path folder_{temp_.Path()};
};
