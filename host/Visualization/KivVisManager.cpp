#include "KivVisManager.h"

#include <algorithm>

#include "KivViewer.h"

KivVisManager* KivVisManager::GetVisManager() {
  static KivVisManager manager;
  return &manager;
}

int KivVisManager::Commit() {
  int redrawn = 0;
  // Drawing never creates or destroys viewers, but copy anyway: a viewer's
  // redraw must not invalidate the walk.
  const std::vector<KivViewer*> viewers = viewers_;
  for (KivViewer* viewer : viewers) {
    if (IsLiveViewer(viewer) && viewer->NeedsRedraw()) {
      viewer->Draw();
      ++redrawn;
    }
  }
  return redrawn;
}

bool KivVisManager::IsLiveViewer(const KivViewer* viewer) const {
  return viewer && std::find(viewers_.begin(), viewers_.end(), viewer) != viewers_.end();
}

void KivVisManager::RegisterViewer(KivViewer* viewer) {
  if (viewer && !IsLiveViewer(viewer)) viewers_.push_back(viewer);
}

void KivVisManager::UnregisterViewer(KivViewer* viewer) { std::erase(viewers_, viewer); }
