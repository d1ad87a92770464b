// TPersistent: objects that can be assigned and streamed. Binary properties
// beyond the published ones are declared in DefineProperties through a TFiler.
#pragma once
#include <functional>
#include <string>

#include "korvane/host/System.h"

namespace korvane {

class TStream;
class TPersistent;
struct TClassInfo;

using TStreamProc = std::function<void(TStream& Stream)>;

// Handed to DefineProperties by the form reader and writer.
class TFiler {
public:
  virtual ~TFiler() = default;
  // ReadData gets a stream holding exactly the stored bytes; WriteData writes
  // them. Nothing is written when HasData is false.
  virtual void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;
};

class TPersistent : public TObject {
public:
  // Raises EConvertError "Cannot assign a X to a Y" unless Source can assign itself here.
  virtual void Assign(TPersistent* Source);
  // The published properties of the class (an empty table for plain persistents).
  virtual const TClassInfo& ClassInfo() const;
  static const TClassInfo& StaticClassInfo();

protected:
  virtual void AssignTo(TPersistent* Dest);
  virtual void DefineProperties(TFiler* Filer);

  friend class TFilerAccess;
};

// The form reader and writer reach the protected streaming hooks through this.
class TFilerAccess {
public:
  static void DefineProperties(TPersistent& p, TFiler& f) { p.DefineProperties(&f); }
};

}  // namespace korvane
