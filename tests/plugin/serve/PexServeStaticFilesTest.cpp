// The page's files are served from the web folder and from nothing outside it.
#include "PexServeStaticFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

class PexServeStaticFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    base_ = fs::temp_directory_path() / ("pexserve-files-" + std::to_string(::getpid()));
    fs::create_directories(base_ / "web" / "icons");
    Write(base_ / "web" / "index.html", "<!doctype html>");
    Write(base_ / "web" / "icons" / "a.png", "png");
    Write(base_ / "web" / ".secret.js", "hidden");
    Write(base_ / "outside.js", "outside");
    fs::create_symlink(base_ / "outside.js", base_ / "web" / "leak.js");
    fs::create_directory_symlink(base_, base_ / "web" / "up");
  }
  void TearDown() override { fs::remove_all(base_); }
  static void Write(const fs::path& path, const char* text) { std::ofstream(path) << text; }

  fs::path base_;
};

TEST_F(PexServeStaticFilesTest, ServesKnownFilesOfTheFolderAndNothingElse) {
  const PexServeStaticFiles files((base_ / "web").string());
  struct Case {
    const char* path;
    int status;
  };
  for (const Case& c : {Case{"/", 200}, {"/index.html", 200}, {"/icons/a.png", 200},
                        {"/../outside.js", 404}, {"/icons/../index.html", 404},
                        {"/./index.html", 404}, {"//index.html", 404}, {"/index.html/", 404},
                        {"/.secret.js", 404}, {"/leak.js", 404}, {"/up/outside.js", 404},
                        {"/icons", 404}, {"/missing.js", 404}, {"/index.txt", 404},
                        {"/a b.html", 404}, {"index.html", 404}, {"", 404}}) {
    const PexServeResponse r = files.Serve(c.path);
    EXPECT_EQ(r.status, c.status) << c.path;
    EXPECT_EQ(r.body.find("outside"), std::string::npos) << c.path;
  }
  EXPECT_EQ(files.Serve("/").contentType, "text/html; charset=utf-8");
  EXPECT_EQ(files.Serve("/icons/a.png").body, "png");
}
