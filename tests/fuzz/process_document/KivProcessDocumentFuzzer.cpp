// Feeds arbitrary bytes to the process document loader. Besides crashes and
// leaks it checks two promises: a refused input yields no document and a
// message, and an accepted one saves to text that loads again into a document
// that saves to the same text.
#include "../KivFuzz.h"
#include "KivProcessDocumentReader.h"
#include "KivProcessDocumentWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  KivVar<KivProcessDocument> document;
  KivProcessDocumentError error;
  const char* bytes = reinterpret_cast<const char*>(data);
  if (FAILED(KivProcessDocumentReader::LoadBuffer(bytes, size, "fuzz.xml", document, error))) {
    Require(!document && !error.message.empty());
    return 0;
  }
  if (!document) std::abort();
  std::string text, writeError;
  // A loaded name may hold characters that XML cannot carry back out (a
  // character reference to a control character): the writer refuses those.
  if (FAILED(KivProcessDocumentWriter::WriteText(*document, text, writeError))) return 0;
  KivVar<KivProcessDocument> again;
  Require(SUCCEEDED(
      KivProcessDocumentReader::LoadBuffer(text.data(), text.size(), "saved.xml", again, error)));
  std::string textAgain;
  Require(SUCCEEDED(KivProcessDocumentWriter::WriteText(*again, textAgain, writeError)) &&
          textAgain == text);
  return 0;
}
