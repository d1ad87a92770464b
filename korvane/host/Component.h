// TComponent: the owner/owned tree, names, component state, free notification
// and the loading protocol. Components are created with new TX(owner) and
// freed by their owner (or by the caller when they have none).
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "korvane/host/Persistent.h"

namespace korvane {

enum TComponentStateE : std::uint8_t {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups
};
using TComponentState = TSet<TComponentStateE>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* GetOwner() const { return owner_; }
  const std::string& GetName() const { return name_; }
  // EComponentError for an invalid identifier or a name the owner already holds.
  virtual void SetName(const std::string& NewName);
  int GetComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* GetComponent(int index) const;
  int GetComponentIndex() const;
  TComponent* FindComponent(const std::string& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  // Marks this component and the ones it owns as being destroyed.
  void Destroying();
  // Runs BeforeDestruction while the object is whole, then deletes it. Owners
  // free their components this way; applications should too.
  void Free();
  // Work that needs the whole object (virtual calls reaching the most derived
  // class), done before the destructors run: a control destroys its window here.
  virtual void BeforeDestruction();

  TComponentState GetComponentState() const { return state_; }
  void SetDesigning(bool value, bool setChildren = true);
  std::intptr_t GetTag() const { return tag_; }
  void SetTag(std::intptr_t value) { tag_ = value; }

  // AComponent calls Notification(this, opRemove) on this component when it goes.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Form streaming. A component with a parent (a control) is written under it.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* /*Value*/) {}
  // Calls proc for each component written below this one; the root writes
  // the components it owns that have no parent.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* Root);

protected:
  // Sent to the owner and its components when a component is inserted or
  // removed, and to every component that asked for free notification.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Called once after the component and its form were read; clears csLoading.
  virtual void Loaded();
  virtual void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName);

private:
  friend class TFormReader;
  friend class TFormWriter;
  void SetState(TComponentStateE s, bool on);
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void NotifyFreeNotifiers();

  // Names are identifiers (ASCII) and compare without case; the lookup takes a
  // view, so finding a name copies nothing.
  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept;
  };
  struct TNameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
  };

  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  std::unordered_map<std::string, TComponent*, TNameHash, TNameEqual> names_;  // owned components by name
  std::vector<TComponent*> freeNotifies_;
  TComponentState state_;
  std::intptr_t tag_ = 0;
};

bool IsValidIdent(const std::string& ident);

}  // namespace korvane
