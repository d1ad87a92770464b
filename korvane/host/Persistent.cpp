#include "korvane/host/Persistent.h"

#include "korvane/host/Exceptions.h"
#include "korvane/host/PropInfo.h"

namespace korvane {

void TPersistent::Assign(TPersistent* Source) {
  if (Source) Source->AssignTo(this);
  else AssignTo(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
  // Called on the source; a nil source reaches here through Assign(nullptr) on the destination.
  if (!Dest) throw EConvertError("Cannot assign a nil to a " + ClassName());
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

void TPersistent::DefineProperties(TFiler*) {}

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info("TPersistent", nullptr);
  return info;
}

const TClassInfo& TPersistent::ClassInfo() const { return StaticClassInfo(); }

}  // namespace korvane
