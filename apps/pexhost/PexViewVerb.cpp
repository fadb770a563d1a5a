#include "PexViewVerb.h"

#include <ostream>

#include "KivFrmWindow.h"
#include "KivPictureRenderer.h"
#include "PexListSteps.h"
#include "PexPictureOptions.h"
#include "PexSession.h"

int PexRunViewVerb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string document, activity, picture;
  std::vector<std::string> lists;
  bool json = false;
  KivPictureOptions pictureOptions;
  std::string pictureOption;  // the last picture option given
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--activity" || a == "-o" || a == "--open") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        err << "pexhost view: " << a << " needs a value\n";
        return 2;
      }
      if (a == "--open")
        lists.push_back(args[++i]);
      else
        (a == "-o" ? picture : activity) = args[++i];
    } else if (a == "--json") {
      json = true;
    } else if (std::string error;
               PexTakePictureOption(args, i, pictureOptions, error) != PexOptionUse::NotMine) {
      if (!error.empty()) {
        err << "pexhost view: " << error << "\n";
        return 2;
      }
      pictureOption = a;
    } else if (!a.empty() && a[0] == '-') {
      err << "pexhost view: unknown option \"" << a << "\"\n";
      return 2;
    } else if (document.empty()) {
      document = a;
    } else {
      err << "pexhost view: more than one document (\"" << document << "\", \"" << a << "\")\n";
      return 2;
    }
  }
  if (document.empty()) {
    err << "pexhost view: which document? pexhost view DOCUMENT [--activity NAME] "
           "[--open NODE:BUTTON]... [-o FILE.svg|FILE.png|-] "
        << kPexPictureOptionsUsage << " [--json]\n";
    return 2;
  }
  if (!pictureOption.empty() && picture.empty()) {
    err << "pexhost view: " << pictureOption << " sizes a picture: add -o FILE.svg|FILE.png|-\n";
    return 2;
  }
  if (picture == "-" && json) {
    err << "pexhost view: -o - and --json both write to standard output; choose one\n";
    return 2;
  }
  if (std::string error;
      !picture.empty() && picture != "-" && !KivPictureRenderer::IsKnownFormat(picture, &error)) {
    err << "pexhost view: " << error << "\n";
    return 2;
  }
  PexSession session;
  const auto fail = [&](const std::string& step, const KivStepResult& r) {
    err << "pexhost view: " << step << ": " << r.message << "\n";
    return 1;
  };
  if (KivStepResult r = session.LoadPlugIn(); !r) return fail("plug-in", r);
  if (KivStepResult r = session.Open(document); !r) return fail("open " + document, r);
  if (KivStepResult r = session.View(activity); !r)
    return fail("view " + (activity.empty() ? std::string("(root level)") : activity), r);
  for (const std::string& list : lists)
    if (KivStepResult r = PexOpenList(list); !r) return fail("open list " + list, r);
  if (picture == "-") {
    std::string svg;
    if (KivStepResult r = session.RenderSvg(svg, pictureOptions); !r) return fail("render", r);
    out << svg;
    return 0;
  }
  if (!picture.empty())
    if (KivStepResult r = session.Render(picture, pictureOptions); !r) return fail("render", r);
  if (json) {
    std::string text;
    if (KivStepResult r = session.Json(text); !r) return fail("json", r);
    out << text << "\n";
  } else {
    out << "Opened \"" << session.CurrentPertWindow()->GetTitle().ConvertToUTF8() << "\"";
    if (session.CurrentLevelIsEmpty()) out << " (the level has no child activities)";
    if (!picture.empty()) out << ", drawn to " << picture;
    out << "\n";
  }
  return 0;
}
