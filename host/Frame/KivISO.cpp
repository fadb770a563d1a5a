#include "KivISO.h"

#include <algorithm>

KivISO::~KivISO() { RemoveAllViewers(); }

HRESULT KivISO::AddViewer(KivViewer* viewer) {
  if (!viewer || HasViewer(viewer)) return E_FAIL;
  viewers_.emplace_back(viewer);
  if (registry_) viewer->AttachRegistry(registry_);
  return S_OK;
}

HRESULT KivISO::RemoveViewer(KivViewer* viewer) {
  auto it = std::find_if(viewers_.begin(), viewers_.end(),
                         [viewer](const KivVar<KivViewer>& v) { return v.get() == viewer; });
  if (!viewer || it == viewers_.end()) return E_FAIL;
  if (registry_) viewer->DetachRegistry(registry_);
  viewers_.erase(it);
  return S_OK;
}

bool KivISO::HasViewer(const KivViewer* viewer) const {
  return std::any_of(viewers_.begin(), viewers_.end(),
                     [viewer](const KivVar<KivViewer>& v) { return v.get() == viewer; });
}

void KivISO::RemoveAllViewers() {
  while (!viewers_.empty()) RemoveViewer(viewers_.back());
}
