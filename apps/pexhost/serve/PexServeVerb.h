#pragma once
// `pexhost serve DOCUMENT [--port N]`: opens the document with the product
// flow viewer on its root level and serves the interactive page on
// 127.0.0.1 until SIGINT or SIGTERM (docs/serve.md). 0 after a clean stop,
// 1 when the document, the page or the port cannot be had, 2 for a bad
// command line.
#include <iosfwd>
#include <string>
#include <vector>

int PexRunServeVerb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
