#pragma once
// Finding files along folder lists such as the value of "KivStartupPath".
//
// A folder list holds folders separated by ':' or ';'; empty entries are
// skipped (they never mean the current folder). A file name that holds a '/'
// is a path of its own: it is returned as given when it names an existing
// regular file, and never combined with the folders.
#include <string>
#include <vector>

#include "KivString.h"
#include "KivUnicodeString.h"

// The folders of a list, in order, without empty entries.
std::vector<std::string> KivSplitFolderList(const KivString& folderList);

// The full path "<folder>/<fileName>" of the first folder that holds the file
// as a regular file, or the empty string.
KivString KivFindPath(const KivString& fileName, const KivString& folderList);

// True when the name is a plain file name: not empty, no '/', not "." or "..".
bool KivIsPlainFileName(const std::string& name);

// The full path of an image file: searched along "KivImagePath" when that is
// set and not empty, else along "KivStartupPath"; in each folder the file
// itself first, then "<folder>/icons/<name>". Only plain file names are
// searched; the empty string when nothing is found.
KivString KivGetImagePathName(const KivString& imageFileName);
KivString KivGetImagePathName(const KivUnicodeString& imageFileName);
