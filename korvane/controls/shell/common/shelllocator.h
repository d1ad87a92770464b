// TZQShellLocator: one place in the shell namespace, either an absolute item
// identifier list (also how a path is held) or a special folder resolved when
// first asked for. Stored in form files as the binary property "Pidl":
// kind 1: [1][csidl]; kind 0: [0][uint32 L][L bytes of the list].
#pragma once
#include "korvane/host/Persistent.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

class TZQShellLocator : public TPersistent {
public:
  TZQShellLocator() = default;
  ~TZQShellLocator() override;
  TZQShellLocator(const TZQShellLocator&) = delete;
  TZQShellLocator& operator=(const TZQShellLocator&) = delete;

  // Kind 0: the list (nil for the desktop). Kind 1: the resolved special
  // folder, cached. The locator keeps ownership.
  PItemIDList GetIdList();
  void SetIdList(PCItemIDList list);
  TCSIDL GetCSIDL() const;
  void SetCSIDL(TCSIDL value);
  std::string GetPathName();
  void SetPathName(const std::string& path);
  void Clear();
  bool IsEqual(const TZQShellLocator* other) const;
  bool IsSpecialFolder() const { return kind_ == kSpecialFolder; }
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

protected:
  virtual void Changed();
  void DefineProperties(TFiler* Filer) override;
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);

private:
  enum : std::uint8_t { kIdList = 0, kSpecialFolder = 1 };
  std::uint8_t kind_ = kIdList;
  TIdListPtr list_;
  TCSIDL csidl_ = csidlNone;
};

}  // namespace korvane
