// The value encoding of the "Col" stream that stores the column definitions of a grid table: a
// one-byte tag followed by the payload (integers little-endian, reals as 80-bit extended).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::grid {

// A stream that ends early or holds a value of an unexpected kind.
class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TValueTag : uint8_t {
  kNull = 0x00,  // end of list
  kList = 0x01,
  kInt8 = 0x02,
  kInt16 = 0x03,
  kInt32 = 0x04,
  kExtended = 0x05,
  kString = 0x06,  // 1-byte length, single-byte characters
  kFalse = 0x08,
  kTrue = 0x09,
  kLString = 0x0C,     // 4-byte length, single-byte characters
  kWString = 0x12,     // 4-byte character count, UTF-16
  kUTF8String = 0x14,  // 4-byte byte count, UTF-8
};

inline constexpr size_t kExtendedBytes = 10;

// 80-bit IEEE extended, little-endian, whatever the width of long double on this platform.
std::array<uint8_t, kExtendedBytes> EncodeExtended(long double value);
long double DecodeExtended(std::span<const uint8_t, kExtendedBytes> bytes);

class TValueWriter {
 public:
  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(int32_t value);  // the smallest of the three integer forms that holds it
  void WriteBoolean(bool value);
  void WriteFloat(long double value);
  void WriteString(std::string_view utf8);
  const std::vector<uint8_t>& Bytes() const { return Bytes_; }

 private:
  void WriteTag(TValueTag tag) { Bytes_.push_back(static_cast<uint8_t>(tag)); }
  void WriteLittleEndian(uint32_t value, int n_bytes);
  std::vector<uint8_t> Bytes_;
};

// Reads values in order; every read throws EReadError when the value is missing or of another kind.
class TValueReader {
 public:
  explicit TValueReader(std::span<const uint8_t> bytes) : Bytes_(bytes) {}
  TValueTag NextTag() const;
  bool EndOfList();  // consumes the end-of-list mark when it is next
  void ReadListBegin();
  void ReadListEnd();
  int32_t ReadInteger();
  bool ReadBoolean();
  long double ReadFloat();   // an integer value is accepted as well
  std::string ReadString();  // any of the four string forms, returned as UTF-8
  bool AtEnd() const { return Pos_ >= Bytes_.size(); }

 private:
  TValueTag ReadTag();
  std::span<const uint8_t> Take(size_t n);
  uint32_t ReadLittleEndian(int n_bytes);
  std::span<const uint8_t> Bytes_;
  size_t Pos_ = 0;
};

}  // namespace tolvane::grid
