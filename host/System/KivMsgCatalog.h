#pragma once
// Message catalogues: the texts shown to the user, looked up by catalogue
// name and key, with a default text when the catalogue or the key is absent.
//
// A catalogue "<name>" is the UTF-8 text file "<name>.kivmsg" found along
// "KivStartupPath". Each line is "Key = text"; blank lines and lines starting
// with '#' are ignored. Key and text are trimmed of blanks; the text may hold
// the escapes "\n", "\t" and "\\". When a key appears twice the later line
// wins. In the text (and in the default text) "/P1", "/P2", ... stand for the
// parameters; a parameter number without a parameter stays as written.
#include <vector>

#include "KivString.h"
#include "KivUnicodeString.h"

class KivMsgCatalog {
 public:
  static KivUnicodeString BuildMessage(const KivString& catalogName, const KivString& key,
                                       const KivUnicodeString& defaultText,
                                       const std::vector<KivUnicodeString>& parameters = {});

  // "/P<n>" replaced by parameter n (1-based).
  static KivUnicodeString Substitute(const KivUnicodeString& text,
                                     const std::vector<KivUnicodeString>& parameters);
};
