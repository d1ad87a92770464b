#include "korvane/host/SysUtils.h"

#include <windows.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace korvane {

std::string SysErrorMessage(unsigned long code) {
  char buf[512] = {};
  DWORD len = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                 FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             nullptr, code, 0, buf, sizeof buf, nullptr);
  while (len > 0 && (static_cast<unsigned char>(buf[len - 1]) <= 32 || buf[len - 1] == '.')) --len;
  return std::string(buf, len);
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::uint64_t value, int digits) {
  return Format("%.*x", digits, static_cast<unsigned long long>(value));
}

int StrToInt(const std::string& s) {
  const std::string t = Trim(s);
  if (!t.empty()) {
    char* end = nullptr;
    errno = 0;
    const bool hex = t[0] == '$';
    const long long v = std::strtoll(t.c_str() + (hex ? 1 : 0), &end, hex ? 16 : 10);
    if (errno == 0 && end && *end == 0 && end != t.c_str() + (hex ? 1 : 0) && v >= INT32_MIN &&
        v <= (hex ? static_cast<long long>(UINT32_MAX) : INT32_MAX))
      return static_cast<int>(v);
  }
  throw EConvertError("'" + s + "' is not a valid integer value");
}

int StrToIntDef(const std::string& s, int def) {
  try {
    return StrToInt(s);
  } catch (const EConvertError&) {
    return def;
  }
}

std::string TrimLeft(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return s.substr(i);
}

std::string TrimRight(const std::string& s) {
  std::size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return s.substr(0, n);
}

std::string Trim(const std::string& s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

std::string LowerCase(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

int CompareText(const std::string& a, const std::string& b) { return UpperCase(a).compare(UpperCase(b)); }
bool SameText(const std::string& a, const std::string& b) { return CompareText(a, b) == 0; }

std::string AnsiUpperCase(const std::string& s) {
  std::string r = s;
  if (!r.empty()) CharUpperBuffA(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

std::string AnsiLowerCase(const std::string& s) {
  std::string r = s;
  if (!r.empty()) CharLowerBuffA(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

static int Compare(DWORD flags, const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

int AnsiCompareText(const std::string& a, const std::string& b) { return Compare(NORM_IGNORECASE, a, b); }
int AnsiCompareStr(const std::string& a, const std::string& b) { return Compare(0, a, b); }
bool AnsiSameText(const std::string& a, const std::string& b) { return AnsiCompareText(a, b) == 0; }

TMbcsByteType ByteType(const std::string& s, std::size_t i) {
  // Walk from the start: only where a character starts can a lead byte be.
  for (std::size_t p = 0; p < s.size() && p <= i; ++p) {
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(s[p])) && p + 1 < s.size();
    if (p == i) return lead ? mbLeadByte : mbSingleByte;
    if (lead && ++p == i) return mbTrailByte;
  }
  return mbSingleByte;
}

void StrPLCopy(char* dest, const std::string& source, std::size_t maxLen, unsigned codePage) {
  if (codePage == CP_ACP) codePage = GetACP();
  std::size_t n = std::min(source.size(), maxLen);
  if (n < source.size()) {
    if (codePage == CP_UTF8) {
      while (n > 0 && (static_cast<BYTE>(source[n]) & 0xC0) == 0x80) --n;  // n is inside a sequence
    } else {
      std::size_t whole = 0;
      while (whole < n) {
        const std::size_t step = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(source[whole])) ? 2 : 1;
        if (whole + step > n) break;
        whole += step;
      }
      n = whole;
    }
  }
  std::memcpy(dest, source.data(), n);
  dest[n] = 0;
}

std::size_t LastDelimiter(const std::string& delimiters, const std::string& s) {
  std::size_t found = std::string::npos;
  for (std::size_t p = 0; p < s.size(); ++p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(s[p])) && p + 1 < s.size()) {
      ++p;
      continue;
    }
    if (delimiters.find(s[p]) != std::string::npos) found = p;
  }
  return found;
}

std::string ExtractFilePath(const std::string& fileName) {
  const std::size_t i = LastDelimiter("\\:", fileName);
  return i == std::string::npos ? std::string() : fileName.substr(0, i + 1);
}

std::string ExtractFileDir(const std::string& fileName) {
  std::size_t i = LastDelimiter("\\:", fileName);
  if (i == std::string::npos) return std::string();
  if (i > 0 && fileName[i] == '\\' && LastDelimiter("\\:", fileName.substr(0, i)) != i - 1) {
    // "C:\dir\file" -> "C:\dir"; keep the root's backslash ("C:\file" -> "C:\").
    if (!(i == 2 && fileName[1] == ':')) return fileName.substr(0, i);
  }
  return fileName.substr(0, i + 1);
}

std::string ExtractFileName(const std::string& fileName) {
  const std::size_t i = LastDelimiter("\\:", fileName);
  return i == std::string::npos ? fileName : fileName.substr(i + 1);
}

std::string ExtractFileExt(const std::string& fileName) {
  const std::size_t i = LastDelimiter(".\\:", fileName);
  if (i == std::string::npos || fileName[i] != '.') return std::string();
  return fileName.substr(i);
}

std::string ExtractFileDrive(const std::string& fileName) {
  if (fileName.size() >= 2 && fileName[1] == ':') return fileName.substr(0, 2);
  if (fileName.size() >= 2 && fileName[0] == '\\' && fileName[1] == '\\') {
    // "\\server\share"
    std::size_t slashes = 0, i = 2;
    for (; i < fileName.size(); ++i)
      if (fileName[i] == '\\' && ++slashes == 2) break;
    return fileName.substr(0, i);
  }
  return std::string();
}

std::string ChangeFileExt(const std::string& fileName, const std::string& ext) {
  const std::size_t i = LastDelimiter(".\\:", fileName);
  if (i == std::string::npos || fileName[i] != '.') return fileName + ext;
  return fileName.substr(0, i) + ext;
}

std::string IncludeTrailingPathDelimiter(const std::string& s) {
  if (!s.empty() && LastDelimiter("\\", s) == s.size() - 1) return s;
  return s + "\\";
}

std::string ExcludeTrailingPathDelimiter(const std::string& s) {
  if (!s.empty() && LastDelimiter("\\", s) == s.size() - 1) return s.substr(0, s.size() - 1);
  return s;
}

bool FileExists(const std::string& fileName) {
  const DWORD a = GetFileAttributesA(fileName.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& dir) {
  const DWORD a = GetFileAttributesA(dir.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace korvane
