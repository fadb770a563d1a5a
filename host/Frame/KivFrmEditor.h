#pragma once
// An editor: one open process document with its selection sets (current
// selection CSO, highlighted HSO, preselected PSO), its interactive object
// set (the viewers) and its 2D visualisation registry. The application frame
// keeps the open editors; one of them is current, and its CSO is the
// selection that commands see (KivCSO::GetCurrent()).
#include "KivCSO.h"
#include "KivISO.h"
#include "KivImplement.h"
#include "KivPathElement.h"
#include "KivProcessDocument.h"
#include "KivVis2DRegistry.h"

class KivFrmEditor : public KivImplement<> {
  KIV_CLASS(KivFrmEditor, KivBaseUnknown, "Frame")
 public:
  explicit KivFrmEditor(KivProcessDocument* document);

  // The current editor, or null when no document is open.
  static KivFrmEditor* GetCurrentEditor();
  // Makes an open editor current (null: none); its CSO becomes the current
  // selection. E_FAIL for an editor the frame does not hold.
  static HRESULT SetCurrentEditor(KivFrmEditor* editor);

  // The document (a "KivProcess" component answering KivInit).
  KivBaseUnknown* GetDocument() const;
  KivProcessDocument* GetProcessDocument() const { return document_.get(); }
  KivCSO* GetCSO() const { return cso_.get(); }
  KivCSO* GetHSO() const { return hso_.get(); }
  KivCSO* GetPSO() const { return pso_.get(); }
  KivISO* GetISO() const { return iso_.get(); }
  KivVis2DRegistry* GetVis2DRegistry() const { return registry_.get(); }

  // The selection path of an object of the document: for an activity (or a
  // Start/Stop node) the activities from the root down to it; otherwise the
  // object's own path (KivIPathAccess) or the object alone.
  KivPathElement_var BuildPathElement(KivBaseUnknown* object) const;

 protected:
  ~KivFrmEditor() override;

 private:
  KivVar<KivProcessDocument> document_;
  KivVar<KivCSO> cso_ = KivMake<KivCSO>();
  KivVar<KivHSO> hso_ = KivMake<KivHSO>();
  KivVar<KivPSO> pso_ = KivMake<KivPSO>();
  KivVar<KivVis2DRegistry> registry_ = KivMake<KivVis2DRegistry>();
  KivVar<KivISO> iso_;
};
KIV_DECLARE_VAR(KivFrmEditor);
