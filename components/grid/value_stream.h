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
class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ValueTag : uint8_t {
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
std::array<uint8_t, kExtendedBytes> encodeExtended(long double value);
long double decodeExtended(std::span<const uint8_t, kExtendedBytes> bytes);

class ValueWriter {
 public:
  void writeListBegin();
  void writeListEnd();
  void writeInteger(int32_t value);  // the smallest of the three integer forms that holds it
  void writeBoolean(bool value);
  void writeFloat(long double value);
  void writeString(std::string_view utf8);
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  void writeTag(ValueTag tag) { bytes_.push_back(static_cast<uint8_t>(tag)); }
  void writeLittleEndian(uint32_t value, int nBytes);
  std::vector<uint8_t> bytes_;
};

// Reads values in order; every read throws ReadError when the value is missing or of another kind.
class ValueReader {
 public:
  explicit ValueReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  ValueTag nextTag() const;
  bool endOfList();  // consumes the end-of-list mark when it is next
  void readListBegin();
  void readListEnd();
  int32_t readInteger();
  bool readBoolean();
  long double readFloat();   // an integer value is accepted as well
  std::string readString();  // any of the four string forms, returned as UTF-8
  bool atEnd() const { return pos_ >= bytes_.size(); }

 private:
  ValueTag readTag();
  std::span<const uint8_t> take(size_t n);
  uint32_t readLittleEndian(int nBytes);
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

}  // namespace tolvane::grid
