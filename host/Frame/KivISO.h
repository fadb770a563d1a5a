#pragma once
// The interactive object set of an editor: the viewers that show the
// editor's objects. A viewer added here is attached to the editor's 2D
// visualisation registry, so the models put in that registry (buttons,
// lists) appear in every viewer of the editor.
#include <vector>

#include "KivImplement.h"
#include "KivVar.h"
#include "KivViewer.h"
#include "KivVis2DRegistry.h"

class KivISO : public KivImplement<> {
  KIV_CLASS(KivISO, KivBaseUnknown, "Frame")
 public:
  explicit KivISO(KivVis2DRegistry* registry) : registry_(registry) {}

  // E_FAIL for null or a viewer already present.
  HRESULT AddViewer(KivViewer* viewer);
  // E_FAIL when the viewer is not present.
  HRESULT RemoveViewer(KivViewer* viewer);
  bool HasViewer(const KivViewer* viewer) const;
  const std::vector<KivVar<KivViewer>>& GetViewers() const { return viewers_; }
  // Takes every viewer out (the editor closing).
  void RemoveAllViewers();

 protected:
  ~KivISO() override;

 private:
  KivVar<KivVis2DRegistry> registry_;
  std::vector<KivVar<KivViewer>> viewers_;
};
