// Published properties. C++ has no published section, so each class that
// publishes properties describes them once in a static TClassInfo, built with
// TPublish. The form reader and writer and the design-time part use the table.
//
//   const TClassInfo& TZQThing::StaticClassInfo() {
//     static const TClassInfo info = TPublish<TZQThing>("TZQThing", &TComponent::StaticClassInfo())
//         .Int("Interval", &TZQThing::GetInterval, &TZQThing::SetInterval, 100)
//         .Done();
//     return info;
//   }
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "korvane/host/Persistent.h"

namespace korvane {

class TComponent;

enum TPropKind { pkInteger, pkBoolean, pkEnum, pkSet, pkString, pkClass, pkComponent };

// Names an integer property may be written with in a form file (colours: "clBtnFace").
using TIdentTable = std::vector<std::pair<std::string, std::int64_t>>;

struct TPropInfo {
  std::string Name;
  TPropKind Kind = pkInteger;
  std::vector<std::string> Names;  // member names of an enumeration or a set's base type
  bool HasDefault = false;
  std::int64_t Default = 0;
  std::function<std::int64_t(const TObject&)> GetOrd;  // integer, boolean, enum, set mask
  std::function<void(TObject&, std::int64_t)> SetOrd;
  std::function<std::string(const TObject&)> GetStr;
  std::function<void(TObject&, const std::string&)> SetStr;
  std::function<TPersistent*(TObject&)> GetObj;  // a sub-object streamed as "Prop.Sub"
  std::function<TComponent*(const TObject&)> GetRef;  // a link to another component, by name
  std::function<void(TObject&, TComponent*)> SetRef;
  std::function<bool(const TObject&)> Stored;  // empty: always stored when not default
  const TIdentTable* Idents = nullptr;          // an integer's names, read and written in place of numbers
  std::string TypeName;  // the property's type where a designer asks for it ("TCSIDL"); may be empty
};

using TComponentFactory = std::function<TComponent*(TComponent* Owner)>;

struct TClassInfo {
  TClassInfo(std::string name, const TClassInfo* parent) : Name(std::move(name)), Parent(parent) {}
  std::string Name;
  const TClassInfo* Parent;
  std::vector<TPropInfo> Props;  // this class's own, in declaration order
  TComponentFactory Create;       // set for registered component classes

  // Searches this class, then its ancestors.
  const TPropInfo* FindProp(const std::string& name) const;
  // All properties, ancestors' first.
  std::vector<const TPropInfo*> AllProps() const;
};

// Classes the form reader can create by name. Registration is by the class
// info's name; a later registration under the same name replaces the earlier.
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(const std::string& name);

// EInvalidCast "Invalid class typecast" for a link of the wrong class.
[[noreturn]] void RaiseInvalidCast(const std::string& propName);

namespace detail {
template <class S>
struct SetterArg;
template <class C, class A>
struct SetterArg<void (C::*)(A)> {
  using type = std::remove_cv_t<std::remove_reference_t<A>>;
};
}  // namespace detail

template <class C>
class TPublish {
public:
  TPublish(std::string name, const TClassInfo* parent) : info_(std::move(name), parent) {}

  // A component class the reader may create: C(TComponent* Owner).
  TPublish& Creatable() {
    info_.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    return *this;
  }

  template <class G, class S>
  TPublish& Int(const char* name, G get, S set, std::int64_t def) {
    return Ord(name, pkInteger, get, set, def, {});
  }
  template <class G, class S>
  TPublish& Bool(const char* name, G get, S set, bool def) {
    return Ord(name, pkBoolean, get, set, def ? 1 : 0, {});
  }
  template <class G, class S>
  TPublish& Enum(const char* name, G get, S set, std::int64_t def, std::vector<std::string> names) {
    return Ord(name, pkEnum, get, set, def, std::move(names));
  }
  template <class G, class S>
  TPublish& Set(const char* name, G get, S set, std::uint64_t defMask, std::vector<std::string> names) {
    using T = typename detail::SetterArg<S>::type;
    TPropInfo p = Base(name, pkSet);
    p.Names = std::move(names);
    p.HasDefault = true;
    p.Default = static_cast<std::int64_t>(defMask);
    p.GetOrd = [get](const TObject& o) {
      return static_cast<std::int64_t>((Self(o).*get)().Mask());
    };
    p.SetOrd = [set](TObject& o, std::int64_t v) {
      (static_cast<C&>(o).*set)(T::FromMask(static_cast<std::uint64_t>(v)));
    };
    return Add(std::move(p));
  }
  template <class G, class S>
  TPublish& Str(const char* name, G get, S set) {
    TPropInfo p = Base(name, pkString);
    p.GetStr = [get](const TObject& o) { return std::string((Self(o).*get)()); };
    p.SetStr = [set](TObject& o, const std::string& v) { (static_cast<C&>(o).*set)(v); };
    return Add(std::move(p));
  }
  template <class G>
  TPublish& Object(const char* name, G get) {
    TPropInfo p = Base(name, pkClass);
    p.GetObj = [get](TObject& o) -> TPersistent* { return (static_cast<C&>(o).*get)(); };
    return Add(std::move(p));
  }
  template <class G, class S>
  TPublish& Ref(const char* name, G get, S set) {
    using T = std::remove_pointer_t<typename detail::SetterArg<S>::type>;
    TPropInfo p = Base(name, pkComponent);
    p.GetRef = [get](const TObject& o) -> TComponent* { return (Self(o).*get)(); };
    p.SetRef = [set, prop = std::string(name)](TObject& o, TComponent* v) {
      T* typed = dynamic_cast<T*>(v);
      if (v && !typed) RaiseInvalidCast(prop);
      (static_cast<C&>(o).*set)(typed);
    };
    return Add(std::move(p));
  }
  // The last property is stored only when pred holds.
  TPublish& StoredWhen(std::function<bool(const C&)> pred) {
    info_.Props.back().Stored = [pred](const TObject& o) { return pred(static_cast<const C&>(o)); };
    return *this;
  }
  // The last property's type name, by which a designer finds its editor.
  TPublish& OfType(const char* typeName) {
    info_.Props.back().TypeName = typeName;
    return *this;
  }
  // The last property, an integer, is read and written by the names of the table where it has one.
  TPublish& Idents(const TIdentTable& table) {
    info_.Props.back().Idents = &table;
    return *this;
  }
  TClassInfo Done() { return std::move(info_); }

private:
  // Getters may be const or not (some read live window state).
  static C& Self(const TObject& o) { return const_cast<C&>(static_cast<const C&>(o)); }
  static TPropInfo Base(const char* name, TPropKind kind) {
    TPropInfo p;
    p.Name = name;
    p.Kind = kind;
    return p;
  }
  template <class G, class S>
  TPublish& Ord(const char* name, TPropKind kind, G get, S set, std::int64_t def, std::vector<std::string> names) {
    using T = typename detail::SetterArg<S>::type;
    TPropInfo p = Base(name, kind);
    p.Names = std::move(names);
    p.HasDefault = true;
    p.Default = def;
    p.GetOrd = [get](const TObject& o) { return static_cast<std::int64_t>((Self(o).*get)()); };
    p.SetOrd = [set](TObject& o, std::int64_t v) { (static_cast<C&>(o).*set)(static_cast<T>(v)); };
    return Add(std::move(p));
  }
  TPublish& Add(TPropInfo p) {
    info_.Props.push_back(std::move(p));
    return *this;
  }
  TClassInfo info_;
};

}  // namespace korvane
