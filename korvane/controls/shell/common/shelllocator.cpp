#include "korvane/controls/shell/common/shelllocator.h"

#include <cstring>
#include <vector>

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Streams.h"
#include "korvane/shell/idlistbytes.h"

namespace korvane {
namespace {

[[noreturn]] void ReadError() { throw EReadError("Stream read error"); }

// True when bytes hold exactly one well-formed list, its terminator in the last two bytes.
bool IsWellFormedList(const std::vector<std::uint8_t>& bytes) {
  return !bytes.empty() && WellFormedIdListLen(bytes.data(), bytes.size(), 0) == bytes.size();
}

}  // namespace

TZQShellLocator::~TZQShellLocator() = default;

PItemIDList TZQShellLocator::GetIdList() {
  if (kind_ == kSpecialFolder && !list_) {
    TIdListPtr resolved;
    if (SUCCEEDED(ShellGetSpecialFolderIdList(Application->GetHandle(), csidl_, resolved))) list_ = std::move(resolved);
  }
  return list_.Get();
}

void TZQShellLocator::SetIdList(PCItemIDList list) {
  const bool wasSpecial = kind_ == kSpecialFolder;
  kind_ = kIdList;
  bool changed;
  if (list_) {
    const int c = CompareAbsIdLists(list_.Get(), list);
    changed = wasSpecial || (c != 0 && c != ZQ_COMPARE_UNDECIDED);
  } else {
    changed = wasSpecial || list != nullptr;
  }
  // Copy before letting go of the held list: list may be the held one.
  TIdListPtr copy;
  if (list && IdListLen(list) > 2) copy.Reset(CopyIdList(nullptr, list));
  list_ = std::move(copy);
  csidl_ = csidlNone;
  if (changed) Changed();
}

TCSIDL TZQShellLocator::GetCSIDL() const { return kind_ == kSpecialFolder ? csidl_ : csidlNone; }

void TZQShellLocator::SetCSIDL(TCSIDL value) {
  list_.Reset();
  const bool changed = kind_ != kSpecialFolder || csidl_ != value;
  kind_ = kSpecialFolder;
  csidl_ = value;
  if (changed) Changed();
}

std::string TZQShellLocator::GetPathName() { return ShellGetPathFromIdList(GetIdList()); }

void TZQShellLocator::SetPathName(const std::string& path) {
  TIdListPtr parsed;
  if (ShellGetIdListFromPath(path, parsed) != S_OK) SetIdList(nullptr);
  else SetIdList(parsed.Get());
}

void TZQShellLocator::Clear() { SetIdList(nullptr); }

bool TZQShellLocator::IsEqual(const TZQShellLocator* other) const {
  if (!other || other->kind_ != kind_) return false;
  if (other == this) return true;
  if (kind_ == kIdList) return CompareAbsIdLists(list_.Get(), other->list_.Get()) == 0;
  return csidl_ == other->csidl_;
}

void TZQShellLocator::Assign(TPersistent* Source) {
  if (!Source) {
    if (list_) {
      list_.Reset();
      kind_ = kIdList;
      Changed();
    }
    return;
  }
  if (auto* src = dynamic_cast<TZQShellLocator*>(Source)) {
    if (IsEqual(src)) return;
    TIdListPtr copy;
    if (src->kind_ == kIdList) copy.Reset(CopyIdList(nullptr, src->list_.Get()));
    list_ = std::move(copy);
    kind_ = src->kind_;
    csidl_ = kind_ == kSpecialFolder ? src->csidl_ : csidlNone;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TZQShellLocator::Changed() {
  if (OnChange) OnChange(this);
}

void TZQShellLocator::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      "Pidl", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
      list_ || kind_ == kSpecialFolder);
}

void TZQShellLocator::WriteData(TStream& stream) {
  stream.WriteBuffer(&kind_, 1);
  if (kind_ == kSpecialFolder) {
    const std::uint8_t value = csidl_;
    stream.WriteBuffer(&value, 1);
    return;
  }
  const std::uint32_t len = static_cast<std::uint32_t>(IdListLen(list_.Get()));
  const std::uint8_t le[4] = {static_cast<std::uint8_t>(len), static_cast<std::uint8_t>(len >> 8),
                              static_cast<std::uint8_t>(len >> 16), static_cast<std::uint8_t>(len >> 24)};
  stream.WriteBuffer(le, sizeof le);
  if (len) stream.WriteBuffer(list_.Get(), len);
}

void TZQShellLocator::ReadData(TStream& stream) {
  // Everything is checked before the locator changes; a bad block leaves it as it was.
  std::uint8_t kind = 0;
  stream.ReadBuffer(&kind, 1);
  if (kind != kIdList) {
    std::uint8_t value = 0;
    stream.ReadBuffer(&value, 1);
    if (value > csidlNone) ReadError();
    list_.Reset();  // a list held before names another place
    kind_ = kSpecialFolder;
    csidl_ = static_cast<TCSIDL>(value);
    return;
  }
  std::uint8_t le[4];
  stream.ReadBuffer(le, sizeof le);
  const std::uint32_t len = le[0] | le[1] << 8 | le[2] << 16 | static_cast<std::uint32_t>(le[3]) << 24;
  const std::int64_t left = stream.GetSize() - stream.GetPosition();
  if (static_cast<std::int64_t>(len) != left) ReadError();
  if (len == 0) {
    list_.Reset();
    kind_ = kSpecialFolder;
    csidl_ = csidlDesktop;
    return;
  }
  std::vector<std::uint8_t> bytes(len);
  stream.ReadBuffer(bytes.data(), len);
  if (!IsWellFormedList(bytes)) ReadError();
  auto* list = static_cast<PItemIDList>(ShellMemAlloc(len));
  if (!list) ReadError();
  std::memcpy(list, bytes.data(), len);
  list_.Reset(list);
  kind_ = kIdList;
  csidl_ = csidlNone;
}

}  // namespace korvane
