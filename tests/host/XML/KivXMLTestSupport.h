#pragma once
// Shared fixture of the XML tests: a scratch folder, parse helpers, and a
// check that every component created during a test is released by its end.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "KivLeakCheck.h"
#include "KivIXMLDOMDocumentBuilder.h"
#include "KivTrace.h"

class KivXMLTest : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "kivxml-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    if (tracesChanged_) {
      unsetenv("KivTraces");
      KivTrace::ReloadActivation();
    }
    ExpectNoLeak();
  }

  std::string WriteFile(const std::string& name, const std::string& content) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  static KivIXMLDOMDocumentBuilder_var NewBuilder() {
    KivIXMLDOMDocumentBuilder_var builder;
    EXPECT_EQ(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder), S_OK);
    return builder;
  }

  // Parses `text` as a buffer without options; empty on failure.
  static KivIDOMDocument_var ParseText(const std::string& text) {
    KivIDOMDocument_var document;
    KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
    const HRESULT hr = builder->ParseBuffer(text.data(), text.size(), "test.xml", document, {}, {});
    EXPECT_EQ(hr, S_OK) << builder->GetLastError();
    return document;
  }

  // Switches the XML trace on for the rest of the test.
  void EnableTrace() {
    setenv("KivTraces", "KivXMLTrace", 1);
    KivTrace::ReloadActivation();
    tracesChanged_ = true;
  }

  std::filesystem::path folder_;

 private:
  bool tracesChanged_ = false;
};

// UTF-8 spelled as bytes, so that the test sources stay ASCII.
inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }
