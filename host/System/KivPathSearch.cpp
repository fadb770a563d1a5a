#include "KivPathSearch.h"

#include <filesystem>
#include <system_error>

#include "KivEnvironment.h"
#include "KivSystemTrace.h"

namespace {
bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}
}  // namespace

std::vector<std::string> KivSplitFolderList(const KivString& folderList) {
  std::vector<std::string> folders;
  std::string current;
  for (char c : folderList.str()) {
    if (c == ':' || c == ';') {
      if (!current.empty()) folders.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) folders.push_back(current);
  return folders;
}

bool KivIsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

KivString KivFindPath(const KivString& fileName, const KivString& folderList) {
  const std::string& name = fileName.str();
  if (name.empty() || name.find('\0') != std::string::npos) return KivString();
  if (name.find('/') != std::string::npos) {
    if (IsRegularFile(name)) return fileName;
    KivSystemTrace().Print("KivFindPath: \"%s\" does not exist", name.c_str());
    return KivString();
  }
  for (const std::string& folder : KivSplitFolderList(folderList)) {
    std::string candidate = Join(folder, name);
    if (IsRegularFile(candidate)) return KivString(std::move(candidate));
  }
  KivSystemTrace().Print("KivFindPath: \"%s\" not found along \"%s\"", name.c_str(),
                         folderList.c_str());
  return KivString();
}

KivString KivGetImagePathName(const KivString& imageFileName) {
  const std::string& name = imageFileName.str();
  if (!KivIsPlainFileName(name)) {
    KivSystemTrace().Print("KivGetImagePathName: \"%s\" is not a plain file name", name.c_str());
    return KivString();
  }
  const char* imagePath = KivGetEnv("KivImagePath");
  const KivString folders(imagePath && *imagePath ? imagePath : KivGetEnv("KivStartupPath"));
  for (const std::string& folder : KivSplitFolderList(folders)) {
    for (std::string candidate : {Join(folder, name), Join(Join(folder, "icons"), name)}) {
      if (IsRegularFile(candidate)) return KivString(std::move(candidate));
    }
  }
  KivSystemTrace().Print("KivGetImagePathName: image \"%s\" not found along \"%s\"", name.c_str(),
                         folders.c_str());
  return KivString();
}

KivString KivGetImagePathName(const KivUnicodeString& imageFileName) {
  return KivGetImagePathName(KivString(imageFileName.ConvertToUTF8()));
}
