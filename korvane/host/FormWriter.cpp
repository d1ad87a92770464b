#include <cstdio>

#include "korvane/host/Component.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/Streams.h"

namespace korvane {
namespace {

std::string Quote(const std::string& s) {
  if (s.empty()) return "''";
  std::string out;
  bool inQuote = false;
  for (unsigned char c : s) {
    if (c >= 32 && c != '\'') {
      if (!inQuote) out += '\'';
      inQuote = true;
      out += static_cast<char>(c);
    } else if (c == '\'') {
      if (!inQuote) out += '\'';
      inQuote = true;
      out += "''";
    } else {
      if (inQuote) out += '\'';
      inQuote = false;
      out += "#" + std::to_string(c);
    }
  }
  if (inQuote) out += '\'';
  return out;
}

std::string OrdText(const TPropInfo& p, std::int64_t v) {
  switch (p.Kind) {
    case pkBoolean:
      return v ? "True" : "False";
    case pkEnum:
      if (v >= 0 && static_cast<std::size_t>(v) < p.Names.size()) return p.Names[static_cast<std::size_t>(v)];
      return std::to_string(v);
    case pkSet: {
      std::string out = "[";
      for (std::size_t bit = 0; bit < 64; ++bit) {
        if ((static_cast<std::uint64_t>(v) >> bit & 1) == 0) continue;
        if (out.size() > 1) out += ", ";
        out += bit < p.Names.size() ? p.Names[bit] : std::to_string(bit);
      }
      return out + "]";
    }
    default:
      if (p.Idents)
        for (const auto& [name, value] : *p.Idents)
          if (value == v) return name;
      return std::to_string(v);
  }
}

}  // namespace

class TFormWriter {
public:
  explicit TFormWriter(TComponent* root) : root_(root) {}

  std::string Write() {
    WriteComponent(root_, 0);
    return out_;
  }

private:
  class WriterFiler : public TFiler {
  public:
    WriterFiler(TFormWriter& w, std::string prefix, int indent) : w_(w), prefix_(std::move(prefix)), indent_(indent) {}
    void DefineBinaryProperty(const std::string& Name, TStreamProc, TStreamProc WriteData, bool HasData) override {
      if (!HasData || !WriteData) return;
      TMemoryStream data;
      WriteData(data);
      w_.WriteBinary(indent_, prefix_ + Name, data.Bytes());
    }

  private:
    TFormWriter& w_;
    std::string prefix_;
    int indent_;
  };

  void Line(int indent, const std::string& text) { out_ += std::string(static_cast<std::size_t>(indent) * 2, ' ') + text + "\r\n"; }

  void WriteBinary(int indent, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::string text = name + " = {";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (i % 32 == 0) {
        Line(indent, text);
        text = std::string(2, ' ');
      }
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
      text += hex;
    }
    Line(indent, text + "}");
  }

  void WriteComponent(TComponent* c, int indent) {
    c->SetState(csWriting, true);
    Line(indent, "object " + c->GetName() + ": " + c->ClassName());
    WriteProperties(*c, "", indent + 1);
    c->GetChildren([&](TComponent* child) { WriteComponent(child, indent + 1); }, root_);
    Line(indent, "end");
    c->SetState(csWriting, false);
  }

  std::string RefName(TComponent* ref) const {
    if (ref == root_) return ref->GetName();
    if (ref->GetOwner() == root_) return ref->GetName();
    if (ref->GetOwner() && !ref->GetOwner()->GetName().empty() && !ref->GetName().empty())
      return ref->GetOwner()->GetName() + "." + ref->GetName();
    return ref->GetName();
  }

  void WriteProperties(TPersistent& obj, const std::string& prefix, int indent) {
    for (const TPropInfo* p : obj.ClassInfo().AllProps()) {
      if (p->Stored && !p->Stored(obj)) continue;
      const std::string name = prefix + p->Name;
      switch (p->Kind) {
        case pkInteger:
        case pkBoolean:
        case pkEnum:
        case pkSet: {
          const std::int64_t v = p->GetOrd(obj);
          if (p->HasDefault && v == p->Default) break;
          Line(indent, name + " = " + OrdText(*p, v));
          break;
        }
        case pkString: {
          const std::string s = p->GetStr(obj);
          if (!s.empty()) Line(indent, name + " = " + Quote(s));
          break;
        }
        case pkClass:
          if (TPersistent* sub = p->GetObj(obj)) WriteProperties(*sub, name + ".", indent);
          break;
        case pkComponent:
          if (TComponent* ref = p->GetRef(obj); ref && !RefName(ref).empty())
            Line(indent, name + " = " + RefName(ref));
          break;
      }
    }
    WriterFiler filer(*this, prefix, indent);
    TFilerAccess::DefineProperties(obj, filer);
  }

  TComponent* root_;
  std::string out_;
};

std::string ComponentToText(TComponent* Root) { return TFormWriter(Root).Write(); }

void WriteComponentText(TStream& Stream, TComponent* Root) {
  const std::string text = ComponentToText(Root);
  Stream.WriteBuffer(text.data(), text.size());
}

}  // namespace korvane
