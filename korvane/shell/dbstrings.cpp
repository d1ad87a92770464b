#include <cctype>
#include <cstring>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Handles.h"
#include "korvane/host/Strings.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

std::string EnsureTrailingCharDB(const std::string& text, char ch) {
  if (text.empty()) return text;
  const std::size_t last = text.size() - 1;
  if (ByteType(text, last) == mbTrailByte || text[last] != ch) return text + ch;
  return text;
}

namespace {

// True when a double-byte character starts at i: a lead byte with a byte after it.
bool LeadAt(const std::string& text, std::size_t i) {
  return IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
}

}  // namespace

std::string TrimRightDB(const std::string& text) {
  // One walk from the start: only there is it known where characters begin.
  std::size_t keep = 0;
  for (std::size_t p = 0; p < text.size();) {
    const bool lead = LeadAt(text, p);
    const std::size_t next = p + (lead ? 2 : 1);
    if (lead || static_cast<unsigned char>(text[p]) > 32) keep = next;
    p = next;
  }
  return text.substr(0, keep);
}

void CopyCharDB(int& position, const std::string& text, std::string& dest) {
  const std::size_t i = static_cast<std::size_t>(position - 1);
  if (position < 1 || i >= text.size()) return;
  const std::size_t n = ByteType(text, i) == mbLeadByte ? 2 : 1;
  dest.append(text, i, n);
  position += static_cast<int>(n);
}

void ParametizeCmdLineDB(const std::string& commandLine, TStrings& strings) {
  enum { kBetween, kPlain, kQuoted } state = kBetween;
  std::string arg;
  auto finish = [&] {
    const std::string trimmed = TrimRightDB(arg);
    if (!trimmed.empty()) strings.Add(trimmed);
    arg.clear();
  };
  int pos = 1;
  const int len = static_cast<int>(commandLine.size());
  // pos always stands at the start of a character, so a lead byte is known without walking back.
  while (pos <= len) {
    const bool lead = LeadAt(commandLine, static_cast<std::size_t>(pos - 1));
    const char c = commandLine[static_cast<std::size_t>(pos - 1)];
    auto copyChar = [&] {
      const int n = lead ? 2 : 1;
      arg.append(commandLine, static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(n));
      pos += n;
    };
    switch (state) {
      case kBetween:
        if (!lead && (c == ' ' || c == '\t')) {
          ++pos;
        } else if (!lead && c == '"') {
          state = kQuoted;
          ++pos;
        } else {
          state = kPlain;
          copyChar();
        }
        break;
      case kPlain:
        if (!lead && (c == ' ' || c == '\t' || c == '"')) {
          finish();
          state = c == '"' ? kQuoted : kBetween;
          ++pos;
        } else {
          copyChar();
        }
        break;
      case kQuoted:
        if (!lead && c == '"') {
          finish();
          state = kBetween;
          ++pos;
        } else {
          copyChar();
        }
        break;
    }
  }
  finish();
}

namespace {

// True for a printf type of a string insert: flags, width and precision, then
// 's'. A '*' would take a width from the arguments, which hold only texts.
bool IsStringInsertType(const std::string& type) {
  if (type.empty() || type.back() != 's') return false;
  for (std::size_t i = 0; i + 1 < type.size(); ++i)
    if (!std::strchr("-+ #0123456789.", type[i])) return false;
  return true;
}

// The format with every insert that is not a string taken literally ("%%"):
// FormatMessage would otherwise read an argument as a number or, for "n",
// write through it.
std::string StringInsertsOnly(const std::string& format) {
  std::string out;
  out.reserve(format.size());
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    const char next = format[i + 1];
    if (next < '1' || next > '9') {  // %%, %n, %0 and the other escapes
      out += c;
      out += next;
      ++i;
      continue;
    }
    std::size_t j = i + 2;
    if (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j]))) ++j;
    if (j < format.size() && format[j] == '!') {
      const std::size_t close = format.find('!', j + 1);
      if (close == std::string::npos || !IsStringInsertType(format.substr(j + 1, close - j - 1))) {
        out += "%%";
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace

void FormatStrPos(const std::string& format, const std::vector<std::string>& strings, std::string& result) {
  result.clear();
  if (strings.size() > 50) throw Exception("FormatStrPos: Too many substitution strings");
  if (format.empty()) return;
  const std::string safe = StringInsertsOnly(format);
  // FormatMessage reads an argument for every insert up to %99, whatever the
  // count: the unused slots point at an empty text.
  DWORD_PTR args[99];
  for (std::size_t i = 0; i < 99; ++i)
    args[i] = reinterpret_cast<DWORD_PTR>(i < strings.size() ? strings[i].c_str() : "");
  TLocalMemory buffer;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER, safe.c_str(), 0,
      0, reinterpret_cast<LPSTR>(buffer.Put()), 256, reinterpret_cast<va_list*>(args));
  if (n > 0 && buffer) result.assign(static_cast<const char*>(buffer.Get()), n);
}

}  // namespace korvane
