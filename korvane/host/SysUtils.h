// String, number, file-name and error-text utilities. Strings are bytes in the
// process's active code page; the file-name helpers are double-byte aware.
#pragma once
#include <cstdint>
#include <string>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"

namespace korvane {

// The system's text for an error or HRESULT code, trailing blanks and periods removed.
std::string SysErrorMessage(unsigned long code);

std::string IntToStr(std::int64_t value);
std::string IntToHex(std::uint64_t value, int digits);
int StrToInt(const std::string& s);  // EConvertError "'%s' is not a valid integer value"
int StrToIntDef(const std::string& s, int def);

std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
// ASCII only.
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
// Locale and code-page aware.
std::string AnsiUpperCase(const std::string& s);
std::string AnsiLowerCase(const std::string& s);
int AnsiCompareText(const std::string& a, const std::string& b);
int AnsiCompareStr(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b);

enum TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };
// What byte i of s is in the active code page (a lead byte needs a byte after it).
TMbcsByteType ByteType(const std::string& s, std::size_t i);
// Copies at most maxLen bytes of source and a terminating nul into dest (room
// for maxLen + 1), cut before a character that would not fit whole: a UTF-8
// sequence or a double-byte character of codePage (0: the active code page).
void StrPLCopy(char* dest, const std::string& source, std::size_t maxLen, unsigned codePage = 0);
// 0-based index of the last byte of s that is one of delimiters and not a
// trail byte; npos when none.
std::size_t LastDelimiter(const std::string& delimiters, const std::string& s);

std::string ExtractFilePath(const std::string& fileName);  // with trailing '\'
std::string ExtractFileDir(const std::string& fileName);
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);   // with the '.'
std::string ExtractFileDrive(const std::string& fileName);
std::string ChangeFileExt(const std::string& fileName, const std::string& ext);
std::string IncludeTrailingPathDelimiter(const std::string& s);
std::string ExcludeTrailingPathDelimiter(const std::string& s);

bool FileExists(const std::string& fileName);
bool DirectoryExists(const std::string& dir);

}  // namespace korvane
