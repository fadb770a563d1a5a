#pragma once
// The 2D visualisation registry of an editor: the models whose reps the
// editor's viewers show. A viewer shows a registry once it is attached to it
// (KivViewer::AttachRegistry); models are drawn in the order they were added,
// after the viewer's own scene. A reference to each model is held.
#include <cstdint>
#include <map>

#include "KivModelForRep2D.h"

class KivVis2DRegistry : public KivImplement<> {
  KIV_CLASS(KivVis2DRegistry, KivBaseUnknown, "Visualization")
 public:
  KivVis2DRegistry() = default;

  // E_FAIL for null or a model already present.
  HRESULT AddModel(KivModelForRep2D* model);
  // E_FAIL when the model is not present.
  HRESULT RemoveModel(KivModelForRep2D* model);
  void RemoveAllModels();
  bool Contains(const KivModelForRep2D* model) const;
  int GetModelCount() const { return static_cast<int>(models_.size()); }
  using ModelMap = std::map<std::uint64_t, KivVar<KivModelForRep2D>>;
  // The models in the order they were added, walked by a range-for. (Made by
  // hand: clang 14, which the fuzz build uses, cannot compile std::views over
  // this map with the GCC 12 library.)
  class Models {
   public:
    class Iterator {
     public:
      explicit Iterator(ModelMap::const_iterator at) : at_(at) {}
      const KivVar<KivModelForRep2D>& operator*() const { return at_->second; }
      Iterator& operator++() {
        ++at_;
        return *this;
      }
      bool operator!=(const Iterator& other) const { return at_ != other.at_; }

     private:
      ModelMap::const_iterator at_;
    };
    explicit Models(const ModelMap& map) : map_(map) {}
    Iterator begin() const { return Iterator(map_.begin()); }
    Iterator end() const { return Iterator(map_.end()); }

   private:
    const ModelMap& map_;
  };
  Models GetModels() const { return Models(models_); }

 protected:
  ~KivVis2DRegistry() override;

 private:
  // By order of addition; each model remembers its place, so that adding
  // and removing the thousands of button models of a large level stays cheap.
  ModelMap models_;
  std::uint64_t nextOrder_ = 0;
};
KIV_DECLARE_VAR(KivVis2DRegistry);
