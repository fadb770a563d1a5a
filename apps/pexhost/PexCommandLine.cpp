#include "PexCommandLine.h"

#include <algorithm>
#include <functional>
#include <ostream>

#include "PexLevelsVerb.h"
#include "PexModulesVerb.h"
#include "PexPictureOptions.h"
#include "PexScriptRunner.h"
#include "PexServeVerb.h"
#include "PexShellVerb.h"
#include "PexViewVerb.h"

#ifndef PEXHOST_VERSION
#define PEXHOST_VERSION "unknown"
#endif

namespace {
using Args = const std::vector<std::string>&;

struct CommandVerb {
  const char* name;
  std::string synopsis;  // the arguments after the verb
  const char* summary;   // one line of the usage
  const char* details;   // the rest of `pexhost VERB --help`
  std::function<int(Args, PexCommandStreams&)> run;
};

const std::vector<CommandVerb>& Verbs() {
  static const std::vector<CommandVerb> verbs = {
      {"view",
       std::string("DOCUMENT [--activity NAME] [--open NODE:BUTTON]... [-o FILE.svg|FILE.png|-] ") +
           kPexPictureOptionsUsage + " [--json]",
       "open the product flow viewer on a level, draw it, list its nodes as JSON",
       "Opens the document, then the product flow viewer on the level of the activity\n"
       "(the root's by default; `pexhost levels` lists them), lays it out and:\n"
       "  --open NODE:BUTTON   opens the list of a node's status button (repeatable)\n"
       "  -o FILE              draws it to FILE (PNG for .png, SVG for .svg, other\n"
       "                       extensions refused); -o - writes the SVG to standard output\n"
       "  --scale PIXELS_PER_UNIT  draws at that many pixels per viewer unit\n"
       "  --fit WIDTHxHEIGHT   scales the picture to fit that many pixels\n"
       "  --crop XMIN,YMIN,XMAX,YMAX  draws only that part of the level (viewer\n"
       "                       units, as --json gives them)\n"
       "  --json               prints its nodes and status buttons as JSON\n",
       [](Args a, PexCommandStreams& s) { return PexRunViewVerb(a, s.out, s.err); }},
      {"levels", "DOCUMENT", "list the levels and activities of a document with their ids",
       "Prints the activity tree of the document, one activity a line, indented under\n"
       "its parent: its id, name, type and how many children it has. An activity with\n"
       "children is a level `pexhost view --activity ID` can open.\n",
       [](Args a, PexCommandStreams& s) { return PexRunLevelsVerb(a, s.out, s.err); }},
      {"run", "SCRIPT|-", "run a session script (- reads it from standard input)",
       "Runs the steps of the script in order (docs/scripting.md) and stops at the\n"
       "first failing step with its line number. Relative files the script opens are\n"
       "found beside it (in the current folder for a script from standard input).\n",
       [](Args a, PexCommandStreams& s) {
         if (a.size() != 1) {
           s.err << "pexhost run: give exactly one script (- for standard input)\n";
           return 2;
         }
         return PexRunScriptVerb(a[0], s.in, s.out, s.err);
       }},
      {"shell", "DOCUMENT", "open the document and run steps typed one per line",
       "Opens the document and runs session steps typed one per line; `help` lists\n"
       "them, `save` without a file saves the document back, `quit` ends. On a\n"
       "terminal lines can be edited and earlier ones recalled.\n",
       [](Args a, PexCommandStreams& s) {
         return PexRunShellVerb(a, s.in, s.out, s.err, s.interactive);
       }},
      {"serve", "DOCUMENT [--port N]", "serve the viewer as a page on 127.0.0.1",
       "Opens the document and serves the viewer as an interactive page on\n"
       "127.0.0.1 (port N, any free one by default). The address with its access\n"
       "token is printed; Ctrl+C stops.\n",
       [](Args a, PexCommandStreams& s) { return PexRunServeVerb(a, s.out, s.err); }},
      {"modules", "[MODULE...]", "load modules and list what they registered",
       "Loads the modules (default MoxPexViewers) and lists the trace modules,\n"
       "classes, creation functions and extension bindings each one registered.\n",
       [](Args a, PexCommandStreams& s) { return PexRunModulesVerb(a, s.out, s.err); }},
  };
  return verbs;
}

const CommandVerb* FindVerb(const std::string& name) {
  const auto& verbs = Verbs();
  const auto found = std::find_if(verbs.begin(), verbs.end(),
                                  [&](const CommandVerb& v) { return v.name == name; });
  return found == verbs.end() ? nullptr : &*found;
}

void Usage(std::ostream& out) {
  out << "Usage: pexhost VERB ARGUMENTS...   (pexhost VERB --help for one verb)\n";
  for (const CommandVerb& verb : Verbs())
    out << "  pexhost " << verb.name << " " << verb.synopsis << "\n";
  out << "  pexhost --help | --version\n";
  for (const CommandVerb& verb : Verbs())
    out << "  " << verb.name << std::string(9 - std::string(verb.name).size(), ' ') << verb.summary
        << "\n";
  out << "Options take their value as the next word or after \"=\" (--activity=A10).\n"
         "Environment: KivStartupPath (resources), KivModulePath (modules),\n"
         "             KivTraces (trace modules to switch on), KivUserSettingsPath (settings)\n";
}

void VerbHelp(const CommandVerb& verb, std::ostream& out) {
  out << "Usage: pexhost " << verb.name << " " << verb.synopsis << "\n" << verb.details;
}

bool AsksForHelp(Args args) {
  return std::any_of(args.begin(), args.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; });
}
}  // namespace

std::vector<std::string> PexSplitOptionValues(const std::vector<std::string>& args) {
  std::vector<std::string> split;
  for (const std::string& arg : args) {
    const std::size_t equals = arg.find('=');
    if (arg.rfind("--", 0) == 0 && equals != std::string::npos && equals > 2) {
      split.push_back(arg.substr(0, equals));
      split.push_back(arg.substr(equals + 1));
    } else {
      split.push_back(arg);
    }
  }
  return split;
}

int PexRunCommandLine(const std::vector<std::string>& args, PexCommandStreams streams) {
  if (args.empty()) {
    Usage(streams.err);
    return 2;
  }
  const std::string& name = args[0];
  if (name == "--help" || name == "-h" || name == "help") {
    if (args.size() == 1) {
      Usage(streams.out);
      return 0;
    }
    const CommandVerb* verb = FindVerb(args[1]);
    if (!verb || args.size() > 2) {
      streams.err << "pexhost help: give one verb of these:";
      for (const CommandVerb& v : Verbs()) streams.err << " " << v.name;
      streams.err << "\n";
      return 2;
    }
    VerbHelp(*verb, streams.out);
    return 0;
  }
  if (name == "--version") {
    streams.out << "pexhost " PEXHOST_VERSION "\n";
    return 0;
  }
  const CommandVerb* verb = FindVerb(name);
  if (!verb) {
    streams.err << "pexhost: unknown verb \"" << name << "\"\n";
    Usage(streams.err);
    return 2;
  }
  const std::vector<std::string> verbArgs = PexSplitOptionValues({args.begin() + 1, args.end()});
  if (AsksForHelp(verbArgs)) {
    VerbHelp(*verb, streams.out);
    return 0;
  }
  return verb->run(verbArgs, streams);
}
