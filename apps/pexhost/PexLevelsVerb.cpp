#include "PexLevelsVerb.h"

#include <map>
#include <ostream>

#include "KivFrmEditor.h"
#include "KivIGENode.h"
#include "KivISPPActivity.h"
#include "KivProcessDocument.h"
#include "PexSession.h"

int PexRunLevelsVerb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
    err << "pexhost levels: give exactly one document\n";
    return 2;
  }
  PexSession session;
  if (KivStepResult r = session.Open(args[0]); !r) {
    err << "pexhost levels: open " << args[0] << ": " << r.message << "\n";
    return 1;
  }
  KivProcessDocument* document = KivInteraction::GetCurrentEditor()->GetProcessDocument();
  const KivListValKivBaseUnknown_var activities = document->ListActivities();
  std::map<KivBaseUnknown*, int> children, depth;
  for (const auto& activity : activities) {
    KivISPPActivity_var parent = KivISPPActivity_var(activity.get())->ParentActivity();
    if (!parent) continue;
    KivBaseUnknown* key = KivBaseUnknown_var(parent.get()).get();
    ++children[key];
    depth[activity.get()] = depth[key] + 1;
  }
  for (const auto& activity : activities) {
    const int count = children[activity.get()];
    out << std::string(2 * depth[activity.get()], ' ') << document->IdOf(activity.get()) << " \""
        << KivIGENode_var(activity.get())->GetNodeName().ConvertToUTF8() << "\" "
        << KivISPPActivity_var(activity.get())->TypeName().ConvertToUTF8();
    if (count > 0) out << ", level of " << count << (count == 1 ? " activity" : " activities");
    out << "\n";
  }
  return 0;
}
