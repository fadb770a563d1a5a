#pragma once
// The process-wide visualisation manager: it knows every live viewer and
// commits pending changes by redrawing the viewers whose scene changed.
#include <vector>

class KivViewer;

class KivVisManager {
 public:
  static KivVisManager* GetVisManager();

  // Redraws every viewer that needs it; returns how many were redrawn.
  int Commit();
  int GetViewerCount() const { return static_cast<int>(viewers_.size()); }
  bool IsLiveViewer(const KivViewer* viewer) const;

  // Called by viewers on construction and destruction.
  void RegisterViewer(KivViewer* viewer);
  void UnregisterViewer(KivViewer* viewer);

 private:
  KivVisManager() = default;
  std::vector<KivViewer*> viewers_;
};
