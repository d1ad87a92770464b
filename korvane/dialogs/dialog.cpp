#include <algorithm>
#include <cstring>
#include <vector>

#include "korvane/dialogs/dialogbase.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Registry.h"
#include "korvane/host/Streams.h"

namespace korvane {

namespace {
constexpr int kRegistryCapacity = 128;  // bytes read back from the registry at most

using TZQWorkArea = SIZE;

TZQWorkArea WorkAreaSize() {
  RECT area = {};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {area.right - area.left, area.bottom - area.top};
}

// Only a normal or a maximized window is kept: a modal dialog opening minimized looks hung, and
// an ordinal no state has is foreign data.
TWindowState StoredWindowState(unsigned ordinal) { return ordinal == wsMaximized ? wsMaximized : wsNormal; }
}  // namespace

TZQDialog::TZQDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TZQDialog::Execute() {
  if (executing_) throw Exception(ClassName() + " already executing");
  executing_ = true;
  const auto done = ScopeExit([this] { executing_ = false; });
  return DoExecute();
}

void TZQDialog::DoInitialized() {
  if (OnInitialized) OnInitialized(this);
}

void TZQDialog::ReadStateFromStream(TStream& stream) {
  std::vector<std::uint8_t> record(StateSize());
  stream.ReadBuffer(record.data(), record.size());
  ApplyState(record.data());
}

void TZQDialog::ApplyState(const std::uint8_t* record) {
  std::int32_t width = 0, height = 0;
  std::memcpy(&width, record, 4);
  std::memcpy(&height, record + 4, 4);
  const TZQWorkArea area = WorkAreaSize();
  formWidth_ = std::min<std::int32_t>(width, area.cx);  // a size no one could use becomes the work area's
  formHeight_ = std::min<std::int32_t>(height, area.cy);
  formWindowState_ = StoredWindowState(record[8]);
}

void TZQDialog::WriteStateToStream(TStream& stream) {
  const std::int32_t width = formWidth_, height = formHeight_;
  const std::uint8_t state = formWindowState_;
  stream.WriteBuffer(&width, sizeof width);
  stream.WriteBuffer(&height, sizeof height);
  stream.WriteBuffer(&state, sizeof state);
}

void TZQDialog::ReadStateFromRegistry(HKEY root, const std::string& key, const std::string& name) {
  TRegistry registry;
  registry.SetRootKey(root);
  registry.OpenKeyReadOnly(key);  // a key that does not open reads as no value
  TMemoryStream stream;
  stream.SetSize(kRegistryCapacity);
  const int read = registry.ReadBinaryData(name, stream.Memory(), kRegistryCapacity);
  stream.SetSize(read);
  stream.SetPosition(0);
  ReadStateFromStream(stream);
}

void TZQDialog::WriteStateToRegistry(HKEY root, const std::string& key, const std::string& name) {
  TRegistry registry;
  registry.SetRootKey(root);
  registry.OpenKey(key, true);  // a key that cannot be made fails the write below
  TMemoryStream stream;
  WriteStateToStream(stream);
  registry.WriteBinaryData(name, stream.Memory(), static_cast<int>(stream.GetSize()));
}

void TZQDialog::SaveFormGeometry(TCustomForm& form) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (form.HandleAllocated() && GetWindowPlacement(form.GetHandle(), &placement)) {
    formWidth_ = placement.rcNormalPosition.right - placement.rcNormalPosition.left;
    formHeight_ = placement.rcNormalPosition.bottom - placement.rcNormalPosition.top;
  }
  formWindowState_ = StoredWindowState(form.GetWindowState());
}

void TZQDialog::ApplyFormGeometry(TCustomForm& form) const {
  if (formWidth_ > 0) form.SetWidth(formWidth_);
  if (formHeight_ > 0) form.SetHeight(formHeight_);
  form.SetWindowState(formWindowState_);
}

}  // namespace korvane
