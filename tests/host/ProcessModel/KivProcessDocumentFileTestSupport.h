#pragma once
// Shared by the document file tests: a fixture with a scratch folder that
// checks every component is released, and loading and saving helpers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "KivISPPFlowMgt.h"
#include "KivLeakCheck.h"
#include "KivProcessDocument.h"
#include "KivProcessDocumentReader.h"
#include "KivProcessDocumentWriter.h"

class KivProcessDocumentFileTest : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("kiv_docfile_" + std::to_string(::getpid()) + "_" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    ExpectNoLeak();
  }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  std::string WriteFile(const std::string& name, const std::string& text) const {
    const std::string path = PathOf(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  static KivVar<KivProcessDocument> LoadText(const std::string& text,
                                             KivProcessDocumentError* error = nullptr) {
    KivVar<KivProcessDocument> document;
    KivProcessDocumentError ignored;
    KivProcessDocumentReader::LoadBuffer(text.data(), text.size(), "test.xml", document,
                                         error ? *error : ignored);
    return document;
  }

  static std::string SaveText(KivProcessDocument& document) {
    std::string text, error;
    EXPECT_EQ(KivProcessDocumentWriter::WriteText(document, text, error), S_OK) << error;
    return text;
  }

  std::filesystem::path folder_;
};
