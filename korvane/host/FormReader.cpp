#include <algorithm>
#include <cctype>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "korvane/host/Component.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/Streams.h"
#include "korvane/host/SysUtils.h"

namespace korvane {
namespace {

// Tokens of the text form.
class Lexer {
public:
  enum Kind { kEnd, kIdent, kInt, kString, kSymbol };
  explicit Lexer(std::string text) : text_(std::move(text)) { Next(); }

  Kind kind() const { return kind_; }
  const std::string& text() const { return tok_; }
  std::int64_t value() const { return value_; }
  int line() const { return line_; }

  [[noreturn]] void Error(const std::string& what) const {
    throw EReadError(Format("%s on line %d", what, line_));
  }
  // True when the integer token fits a 32-bit property: a signed decimal, or a
  // hexadecimal bit pattern of at most 32 bits.
  bool IntFits32() const {
    if (hex_ && value_ >= 0 && value_ <= 0xFFFFFFFFLL) return true;
    return value_ >= INT32_MIN && value_ <= INT32_MAX;
  }
  std::int64_t Int32Value() const { return hex_ && value_ > INT32_MAX ? static_cast<std::int32_t>(static_cast<std::uint32_t>(value_)) : value_; }
  bool IsSymbol(char c) const { return kind_ == kSymbol && tok_.size() == 1 && tok_[0] == c; }
  void Expect(char c) {
    if (!IsSymbol(c)) Error(Format("'%c' expected", c));
    Next();
  }
  std::string ExpectIdent() {
    if (kind_ != kIdent) Error("Identifier expected");
    std::string s = tok_;
    Next();
    return s;
  }

  void Next() {
    SkipBlanks();
    tok_.clear();
    if (pos_ >= text_.size()) {
      kind_ = kEnd;
      return;
    }
    const char c = text_[pos_];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
                                     text_[pos_] == '.'))
        tok_ += text_[pos_++];
      kind_ = kIdent;
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '$') {
      ReadNumber();
    } else if (c == '\'' || c == '#') {
      ReadString();
    } else {
      tok_ = std::string(1, c);
      ++pos_;
      kind_ = kSymbol;
    }
  }

  // The hex bytes after a '{' up to the closing '}'.
  std::vector<std::uint8_t> ReadBinary() {
    std::vector<std::uint8_t> bytes;
    int nibbles = 0;
    std::uint8_t cur = 0;
    for (;; ++pos_) {
      if (pos_ >= text_.size()) Error("'}' expected");
      const char c = text_[pos_];
      if (c == '}') break;
      if (c == '\n') ++line_;
      if (std::isspace(static_cast<unsigned char>(c))) continue;
      if (!std::isxdigit(static_cast<unsigned char>(c))) Error("Invalid binary value");
      const int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10;
      cur = static_cast<std::uint8_t>(cur << 4 | v);
      if (++nibbles % 2 == 0) bytes.push_back(cur);
    }
    if (nibbles % 2) Error("Invalid binary value");
    ++pos_;
    Next();
    return bytes;
  }

private:
  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
      if (text_[pos_] == '\n') ++line_;
      ++pos_;
    }
  }
  void ReadNumber() {
    std::string digits;
    bool hex = false, neg = false;
    if (text_[pos_] == '-') neg = true, ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '$') hex = true, ++pos_;
    while (pos_ < text_.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text_[pos_]))
                                       : std::isdigit(static_cast<unsigned char>(text_[pos_]))))
      digits += text_[pos_++];
    if (digits.empty()) Error("Invalid integer value");
    // Accumulated with an overflow check: the text is foreign and may hold any number of digits.
    const std::uint64_t base = hex ? 16 : 10;
    std::uint64_t v = 0;
    for (char c : digits) {
      const unsigned d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10;
      if (v > (static_cast<std::uint64_t>(INT64_MAX) - d) / base) Error("Invalid integer value");
      v = v * base + d;
    }
    value_ = neg ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
    hex_ = hex;
    kind_ = kInt;
  }
  // 'text''s' #13 pieces, joined, and "+" continuations across lines.
  void ReadString() {
    for (;;) {
      if (pos_ < text_.size() && text_[pos_] == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n') Error("Unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              tok_ += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          tok_ += text_[pos_++];
        }
      } else if (pos_ < text_.size() && text_[pos_] == '#') {
        ++pos_;
        int v = 0, n = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) && n < 4)
          v = v * 10 + (text_[pos_++] - '0'), ++n;
        if (n == 0 || v > 255) Error("Invalid string constant");
        tok_ += static_cast<char>(v);
      } else {
        const std::size_t save = pos_;
        const int saveLine = line_;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '+') {
          ++pos_;
          SkipBlanks();
          if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) continue;
        }
        pos_ = save;
        line_ = saveLine;
        break;
      }
    }
    kind_ = kString;
  }

  std::string text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  Kind kind_ = kEnd;
  std::string tok_;
  std::int64_t value_ = 0;
  bool hex_ = false;
};

std::vector<std::string> Split(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i)
    if (i == path.size() || path[i] == '.') {
      parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  return parts;
}

}  // namespace

class TFormReader {
public:
  TFormReader(const std::string& text, TComponent* root) : lex_(text), root_(root) {}

  void Read() {
    try {
      if (lex_.kind() != Lexer::kIdent || (!SameText(lex_.text(), "object") && !SameText(lex_.text(), "inherited")))
        lex_.Error("'object' expected");
      lex_.Next();
      const std::string name = lex_.ExpectIdent();
      lex_.Expect(':');
      lex_.ExpectIdent();  // the root is read into the given instance whatever its class
      if (!name.empty() && name != root_->GetName()) root_->SetName(name);
      ReadBody(root_);
      if (lex_.kind() != Lexer::kEnd) lex_.Error("End of file expected");
      ResolveFixups();
      for (TComponent* c : loaded_) c->SetState(csReading, false);
      // A Loaded that raises fails the whole read, like any other error: nothing read stays behind.
      for (TComponent* c : loaded_) c->Loaded();
    } catch (...) {
      const std::unordered_set<TComponent*> created(created_.begin(), created_.end());
      for (auto it = created_.rbegin(); it != created_.rend(); ++it) (*it)->Free();
      for (TComponent* c : loaded_) {
        if (created.count(c)) continue;
        c->SetState(csLoading, false);
        c->SetState(csReading, false);
      }
      throw;
    }
  }

private:
  struct Fixup {
    TComponent* instance;
    TPersistent* target;
    const TPropInfo* prop;
    std::string name;
  };

  // Looks for a defined binary property and hands it the bytes.
  class ReaderFiler : public TFiler {
  public:
    ReaderFiler(const std::string& name, const std::vector<std::uint8_t>& bytes) : name_(name), bytes_(bytes) {}
    void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc, bool) override {
      if (found_ || !SameText(Name, name_) || !ReadData) return;
      found_ = true;
      TMemoryStream data;
      data.WriteBuffer(bytes_.data(), bytes_.size());
      data.SetPosition(0);
      ReadData(data);
    }
    bool found() const { return found_; }

  private:
    const std::string& name_;
    const std::vector<std::uint8_t>& bytes_;
    bool found_ = false;
  };

  // Objects nest by recursion: deeper files are refused before the stack runs out.
  static constexpr int kMaxDepth = 256;

  void ReadBody(TComponent* c) {
    struct TDepth {
      int& d;
      explicit TDepth(int& depth) : d(++depth) {}
      ~TDepth() { --d; }
    } depth(depth_);
    if (depth_ > kMaxDepth) lex_.Error("Objects nested too deeply");
    c->SetState(csLoading, true);
    c->SetState(csReading, true);
    loaded_.push_back(c);
    for (;;) {
      if (lex_.kind() != Lexer::kIdent) lex_.Error("Identifier expected");
      if (SameText(lex_.text(), "end")) {
        lex_.Next();
        return;
      }
      if (SameText(lex_.text(), "object") || SameText(lex_.text(), "inherited")) {
        lex_.Next();
        ReadChild(c);
        continue;
      }
      const std::string path = lex_.ExpectIdent();
      lex_.Expect('=');
      ReadProperty(c, path);
    }
  }

  void ReadChild(TComponent* parent) {
    const std::string name = lex_.ExpectIdent();
    lex_.Expect(':');
    const std::string cls = lex_.ExpectIdent();
    const TClassInfo* info = FindClass(cls);
    if (!info || !info->Create) throw EClassNotFound(Format("Class %s not found", cls));
    TComponent* child = info->Create(root_);
    created_.push_back(child);
    child->SetName(name);
    child->SetParentComponent(parent);
    ReadBody(child);
  }

  void ReadProperty(TComponent* instance, const std::string& path) {
    const std::vector<std::string> parts = Split(path);
    TPersistent* target = instance;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      const TPropInfo* p = target->ClassInfo().FindProp(parts[i]);
      if (!p || p->Kind != pkClass) lex_.Error(Format("Property %s does not exist", path));
      target = p->GetObj(*target);
      if (!target) lex_.Error(Format("Property %s does not exist", path));
    }
    const std::string& last = parts.back();
    const TPropInfo* p = target->ClassInfo().FindProp(last);
    if (!p) {
      if (!lex_.IsSymbol('{')) lex_.Error(Format("Property %s does not exist", path));
      const std::vector<std::uint8_t> bytes = lex_.ReadBinary();
      ReaderFiler filer(last, bytes);
      TFilerAccess::DefineProperties(*target, filer);
      if (!filer.found()) lex_.Error(Format("Property %s does not exist", path));
      return;
    }
    switch (p->Kind) {
      case pkInteger:
        if (lex_.kind() == Lexer::kIdent && p->Idents) {
          p->SetOrd(*target, IdentValue(*p, lex_.ExpectIdent()));
          break;
        }
        if (lex_.kind() != Lexer::kInt || !lex_.IntFits32()) lex_.Error("Invalid property value");
        p->SetOrd(*target, lex_.Int32Value());
        lex_.Next();
        break;
      case pkBoolean: {
        const std::string v = lex_.ExpectIdent();
        if (!SameText(v, "True") && !SameText(v, "False")) lex_.Error("Invalid property value");
        p->SetOrd(*target, SameText(v, "True") ? 1 : 0);
        break;
      }
      case pkEnum:
        p->SetOrd(*target, MemberIndex(*p, lex_.ExpectIdent()));
        break;
      case pkSet: {
        lex_.Expect('[');
        std::uint64_t mask = 0;
        while (!lex_.IsSymbol(']')) {
          mask |= std::uint64_t(1) << MemberIndex(*p, lex_.ExpectIdent());
          if (lex_.IsSymbol(',')) lex_.Next();
          else if (!lex_.IsSymbol(']')) lex_.Error("']' expected");
        }
        lex_.Next();
        p->SetOrd(*target, static_cast<std::int64_t>(mask));
        break;
      }
      case pkString:
        if (lex_.kind() != Lexer::kString) lex_.Error("Invalid property value");
        p->SetStr(*target, lex_.text());
        lex_.Next();
        break;
      case pkComponent:
        fixups_.push_back({instance, target, p, lex_.ExpectIdent()});
        break;
      case pkClass:
        lex_.Error("Invalid property value");
    }
  }

  int MemberIndex(const TPropInfo& p, const std::string& name) const {
    for (std::size_t i = 0; i < p.Names.size(); ++i)
      if (SameText(p.Names[i], name)) return static_cast<int>(i);
    lex_.Error("Invalid property value");
  }

  std::int64_t IdentValue(const TPropInfo& p, const std::string& name) const {
    for (const auto& [ident, value] : *p.Idents)
      if (SameText(ident, name)) return value;
    lex_.Error("Invalid property value");
  }

  void ResolveFixups() {
    for (const Fixup& f : fixups_) {
      TComponent* ref = SameText(f.name, root_->GetName()) ? root_ : root_->FindComponent(f.name);
      // A link to a component of another form stays unset.
      if (ref) f.prop->SetRef(*f.target, ref);
    }
  }

  Lexer lex_;
  TComponent* root_;
  std::vector<TComponent*> created_;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
  int depth_ = 0;
};

void TextToComponent(const std::string& Text, TComponent* Root) { TFormReader(Text, Root).Read(); }

void ReadComponentText(TStream& Stream, TComponent* Root) {
  const std::int64_t size = Stream.GetSize() - Stream.GetPosition();
  std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  Stream.ReadBuffer(text.data(), text.size());
  TextToComponent(text, Root);
}

}  // namespace korvane
