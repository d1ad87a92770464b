// Reads and writes a persistent's binary property the way the form streamer does.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "korvane/host/Persistent.h"
#include "korvane/host/Streams.h"

namespace korvane::test {

using Bytes = std::vector<std::uint8_t>;

// The bytes stored for property name; nullopt when the object stores none.
inline std::optional<Bytes> StoredBytes(TPersistent& p, const std::string& name = "Pidl") {
  struct F : TFiler {
    std::string want;
    std::optional<Bytes> out;
    void DefineBinaryProperty(const std::string& n, TStreamProc, TStreamProc w, bool has) override {
      if (n != want || !has) return;
      TMemoryStream s;
      w(s);
      out = s.Bytes();
    }
  } f;
  f.want = name;
  TFilerAccess::DefineProperties(p, f);
  return f.out;
}

// Hands bytes to the property's reader; answers false when there is no such property.
inline bool ReadBytes(TPersistent& p, const Bytes& bytes, const std::string& name = "Pidl") {
  struct F : TFiler {
    std::string want;
    const Bytes* bytes;
    bool found = false;
    void DefineBinaryProperty(const std::string& n, TStreamProc r, TStreamProc, bool) override {
      if (n != want) return;
      found = true;
      TMemoryStream s;
      s.WriteBuffer(bytes->data(), bytes->size());
      s.SetPosition(0);
      r(s);
    }
  } f;
  f.want = name;
  f.bytes = &bytes;
  TFilerAccess::DefineProperties(p, f);
  return f.found;
}

}  // namespace korvane::test
