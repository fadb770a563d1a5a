#pragma once
// Entity references whose declaration the parser did not read. A document
// that names an external DTD may use entities declared there; parsed without
// that DTD, the parser drops such references without a word, so a value
// would read as empty or shortened. The document's own text is searched for
// them instead (ASCII-compatible encodings only).
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>

struct KivXMLEntityReference {
  std::string name;
  std::size_t offset = 0;  // of the '&'
};

// The first general entity reference outside comments, CDATA sections and
// processing instructions whose name is neither predefined nor in
// `declared`.
std::optional<KivXMLEntityReference> KivXMLFindUndeclaredReference(
    std::string_view text, const std::set<std::string, std::less<>>& declared);
