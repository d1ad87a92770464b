#include "host/Exceptions.h"
#include "host/Strings.h"
#include "host/SysUtils.h"
#include "shell/Uzqshellutils.h"

namespace korvane {

std::string EnsureTrailingCharDB(const std::string& text, char ch) {
  if (text.empty()) return text;
  const std::size_t last = text.size() - 1;
  if (ByteType(text, last) == mbTrailByte || text[last] != ch) return text + ch;
  return text;
}

std::string TrimRightDB(const std::string& text) {
  std::size_t n = text.size();
  while (n > 0 && static_cast<unsigned char>(text[n - 1]) <= 32 && ByteType(text, n - 1) == mbSingleByte) --n;
  return text.substr(0, n);
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
  while (pos <= len) {
    const bool lead = ByteType(commandLine, static_cast<std::size_t>(pos - 1)) == mbLeadByte;
    const char c = commandLine[static_cast<std::size_t>(pos - 1)];
    switch (state) {
      case kBetween:
        if (!lead && (c == ' ' || c == '\t')) {
          ++pos;
        } else if (!lead && c == '"') {
          state = kQuoted;
          ++pos;
        } else {
          state = kPlain;
          CopyCharDB(pos, commandLine, arg);
        }
        break;
      case kPlain:
        if (!lead && (c == ' ' || c == '\t' || c == '"')) {
          finish();
          state = c == '"' ? kQuoted : kBetween;
          ++pos;
        } else {
          CopyCharDB(pos, commandLine, arg);
        }
        break;
      case kQuoted:
        if (!lead && c == '"') {
          finish();
          state = kBetween;
          ++pos;
        } else {
          CopyCharDB(pos, commandLine, arg);
        }
        break;
    }
  }
  finish();
}

void FormatStrPos(const std::string& format, const std::vector<std::string>& strings, std::string& result) {
  result.clear();
  if (strings.size() > 50) throw Exception("FormatStrPos: Too many substitution strings");
  if (format.empty()) return;
  // FormatMessage reads an argument for every insert up to %99, whatever the
  // count: the unused slots point at an empty text.
  DWORD_PTR args[99];
  for (std::size_t i = 0; i < 99; ++i)
    args[i] = reinterpret_cast<DWORD_PTR>(i < strings.size() ? strings[i].c_str() : "");
  char* buffer = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER, format.c_str(), 0,
      0, reinterpret_cast<LPSTR>(&buffer), 256, reinterpret_cast<va_list*>(args));
  if (n > 0 && buffer) result.assign(buffer, n);
  if (buffer) LocalFree(buffer);
}

}  // namespace korvane
