#include "KivFrmEditor.h"

#include "KivApplicationFrame.h"
#include "KivIGENode.h"
#include "KivIPathAccess.h"

KivFrmEditor::KivFrmEditor(KivProcessDocument* document)
    : document_(document), iso_(KivMake<KivISO>(registry_.get())) {}

KivFrmEditor::~KivFrmEditor() { iso_->RemoveAllViewers(); }

KivFrmEditor* KivFrmEditor::GetCurrentEditor() {
  return KivApplicationFrame::Exists() ? KivApplicationFrame::GetFrame()->GetCurrentEditor()
                                       : nullptr;
}

HRESULT KivFrmEditor::SetCurrentEditor(KivFrmEditor* editor) {
  return KivApplicationFrame::GetFrame()->SetCurrentEditor(editor);
}

KivBaseUnknown* KivFrmEditor::GetDocument() const { return document_.get(); }

KivPathElement_var KivFrmEditor::BuildPathElement(KivBaseUnknown* object) const {
  if (!object) return NULL_var;
  KivIGENode_var node = object;
  if (!node) return KivBuildPathElement(object);
  // Walk up the graph nodes; the list is built leaf first.
  KivListValKivBaseUnknown_var upwards;
  for (KivBaseUnknown_var current(object); current;) {
    upwards.Append(current);
    if (upwards.Size() > 100000) break;  // a corrupt parent chain must not hang the host
    KivIGENode_var currentNode = current;
    current = currentNode ? currentNode->GetParentNode() : NULL_var;
  }
  auto path = KivMake<KivPathElement>();
  for (int i = upwards.Size(); i >= 1; --i) path->AddChildElement(upwards[i]);
  return path;
}
