// Byte streams: the abstract stream and the memory stream.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "korvane/host/System.h"

namespace korvane {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual void SetSize(std::int64_t size) = 0;

  // Raise EReadError "Stream read error" / EWriteError "Stream write error" when short.
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
  std::int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t pos) { Seek(pos, soBeginning); }
  std::int64_t GetSize();
  // Copies count bytes (all of source from its start when 0); answers the count.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;
  void Clear();
  void LoadFromStream(TStream& source);
  void SaveToStream(TStream& dest);
  const std::uint8_t* Memory() const { return data_.data(); }
  std::uint8_t* Memory() { return data_.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return data_; }

private:
  std::vector<std::uint8_t> data_;
  std::size_t pos_ = 0;
};

// A memory stream seen as text.
class TStringStream : public TMemoryStream {
public:
  explicit TStringStream(const std::string& text = std::string());
  std::string DataString() const;
};

}  // namespace korvane
