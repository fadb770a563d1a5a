#pragma once
// Reads a whole file into memory. The parser is given the bytes rather than
// the path so that paths with non-ASCII characters work whatever the locale,
// and so that a missing file, a folder or a read error gets its own message.
#include <string>

// True with `bytes` filled; false with `error` saying why ("cannot open the
// file: No such file or directory").
bool KivXMLReadFile(const std::string& path, std::string& bytes, std::string& error);
