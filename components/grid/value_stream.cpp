#include "value_stream.h"

#include <cmath>
#include <limits>

namespace tolvane::grid {
namespace {

const char* const kReadErrorMessage = "Stream read error";
const char* const kInvalidValueMessage = "Invalid property value";

constexpr int kExponentBias = 16383;
constexpr uint16_t kExponentAllOnes = 0x7FFF;
constexpr uint16_t kSignBit = 0x8000;
constexpr int kMantissaBits = 64;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
constexpr uint64_t kQuietNaNMantissa = uint64_t{3} << 62;
constexpr size_t kMaxShortString = 255;
constexpr uint32_t kByteMask = 0xFF;
constexpr int kBitsPerByte = 8;

void appendUtf8(std::string& out, uint32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

std::string utf16ToUtf8(std::span<const uint8_t> bytes) {
  constexpr uint32_t kReplacement = 0xFFFD;
  std::string out;
  const size_t nUnits = bytes.size() / 2;
  for (size_t i = 0; i < nUnits; ++i) {
    const uint32_t unit = bytes[2 * i] | (uint32_t{bytes[2 * i + 1]} << kBitsPerByte);
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < nUnits) {
      const uint32_t low = bytes[2 * i + 2] | (uint32_t{bytes[2 * i + 3]} << kBitsPerByte);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    appendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : unit);
  }
  return out;
}

// Single-byte strings are read as Latin-1.
std::string singleByteToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  for (const uint8_t c : bytes) appendUtf8(out, c);
  return out;
}

bool isAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::array<uint8_t, kExtendedBytes> encodeExtended(long double value) {
  uint16_t signExponent = std::signbit(value) ? kSignBit : 0;
  uint64_t mantissa = 0;
  if (std::isnan(value)) {
    signExponent |= kExponentAllOnes;
    mantissa = kQuietNaNMantissa;
  } else if (std::isinf(value)) {
    signExponent |= kExponentAllOnes;
    mantissa = kIntegerBit;
  } else if (value != 0) {
    int exponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
    mantissa = static_cast<uint64_t>(std::ldexp(fraction, kMantissaBits));
    signExponent |= static_cast<uint16_t>(exponent - 1 + kExponentBias);
  }
  std::array<uint8_t, kExtendedBytes> bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(mantissa >> (kBitsPerByte * i));
  bytes[8] = static_cast<uint8_t>(signExponent & kByteMask);
  bytes[9] = static_cast<uint8_t>(signExponent >> kBitsPerByte);
  return bytes;
}

long double decodeExtended(std::span<const uint8_t, kExtendedBytes> bytes) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << kBitsPerByte) | bytes[i];
  const auto signExponent = static_cast<uint16_t>(bytes[8] | (bytes[9] << kBitsPerByte));
  const int exponent = signExponent & kExponentAllOnes;
  long double magnitude = 0;
  if (exponent == kExponentAllOnes) {
    magnitude = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                     : std::numeric_limits<long double>::quiet_NaN();
  } else {
    // Denormals carry the exponent of the smallest normal value.
    const int unbiased = (exponent == 0 ? 1 : exponent) - kExponentBias;
    magnitude = std::ldexp(static_cast<long double>(mantissa), unbiased - (kMantissaBits - 1));
  }
  return (signExponent & kSignBit) != 0 ? -magnitude : magnitude;
}

void ValueWriter::writeLittleEndian(uint32_t value, int nBytes) {
  for (int i = 0; i < nBytes; ++i) {
    bytes_.push_back(static_cast<uint8_t>((value >> (kBitsPerByte * i)) & kByteMask));
  }
}

void ValueWriter::writeListBegin() {
  writeTag(ValueTag::kList);
}
void ValueWriter::writeListEnd() {
  writeTag(ValueTag::kNull);
}
void ValueWriter::writeBoolean(bool value) {
  writeTag(value ? ValueTag::kTrue : ValueTag::kFalse);
}

void ValueWriter::writeInteger(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  if (value >= std::numeric_limits<int8_t>::min() && value <= std::numeric_limits<int8_t>::max()) {
    writeTag(ValueTag::kInt8);
    writeLittleEndian(bits, 1);
  } else if (value >= std::numeric_limits<int16_t>::min() &&
             value <= std::numeric_limits<int16_t>::max()) {
    writeTag(ValueTag::kInt16);
    writeLittleEndian(bits, 2);
  } else {
    writeTag(ValueTag::kInt32);
    writeLittleEndian(bits, 4);
  }
}

void ValueWriter::writeFloat(long double value) {
  writeTag(ValueTag::kExtended);
  const auto bytes = encodeExtended(value);
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ValueWriter::writeString(std::string_view utf8) {
  if (utf8.empty()) {
    writeTag(ValueTag::kWString);
    writeLittleEndian(0, 4);
    return;
  }
  if (!isAscii(utf8)) {
    writeTag(ValueTag::kUTF8String);
    writeLittleEndian(static_cast<uint32_t>(utf8.size()), 4);
  } else if (utf8.size() <= kMaxShortString) {
    writeTag(ValueTag::kString);
    writeLittleEndian(static_cast<uint32_t>(utf8.size()), 1);
  } else {
    writeTag(ValueTag::kLString);
    writeLittleEndian(static_cast<uint32_t>(utf8.size()), 4);
  }
  bytes_.insert(bytes_.end(), utf8.begin(), utf8.end());
}

std::span<const uint8_t> ValueReader::take(size_t n) {
  if (n > bytes_.size() - pos_) throw ReadError(kReadErrorMessage);
  const auto part = bytes_.subspan(pos_, n);
  pos_ += n;
  return part;
}

uint32_t ValueReader::readLittleEndian(int nBytes) {
  const auto bytes = take(static_cast<size_t>(nBytes));
  uint32_t value = 0;
  for (int i = nBytes - 1; i >= 0; --i)
    value = (value << kBitsPerByte) | bytes[static_cast<size_t>(i)];
  return value;
}

ValueTag ValueReader::nextTag() const {
  if (atEnd()) throw ReadError(kReadErrorMessage);
  return static_cast<ValueTag>(bytes_[pos_]);
}

ValueTag ValueReader::readTag() {
  return static_cast<ValueTag>(take(1)[0]);
}

bool ValueReader::endOfList() {
  if (nextTag() != ValueTag::kNull) return false;
  ++pos_;
  return true;
}

void ValueReader::readListBegin() {
  if (readTag() != ValueTag::kList) throw ReadError(kInvalidValueMessage);
}

void ValueReader::readListEnd() {
  if (readTag() != ValueTag::kNull) throw ReadError(kInvalidValueMessage);
}

int32_t ValueReader::readInteger() {
  switch (readTag()) {
    case ValueTag::kInt8:
      return static_cast<int8_t>(readLittleEndian(1));
    case ValueTag::kInt16:
      return static_cast<int16_t>(readLittleEndian(2));
    case ValueTag::kInt32:
      return static_cast<int32_t>(readLittleEndian(4));
    default:
      throw ReadError(kInvalidValueMessage);
  }
}

bool ValueReader::readBoolean() {
  switch (readTag()) {
    case ValueTag::kTrue:
      return true;
    case ValueTag::kFalse:
      return false;
    default:
      throw ReadError(kInvalidValueMessage);
  }
}

long double ValueReader::readFloat() {
  const ValueTag tag = nextTag();
  if (tag == ValueTag::kInt8 || tag == ValueTag::kInt16 || tag == ValueTag::kInt32) {
    return readInteger();
  }
  if (readTag() != ValueTag::kExtended) throw ReadError(kInvalidValueMessage);
  return decodeExtended(take(kExtendedBytes).first<kExtendedBytes>());
}

std::string ValueReader::readString() {
  switch (readTag()) {
    case ValueTag::kString:
      return singleByteToUtf8(take(readLittleEndian(1)));
    case ValueTag::kLString:
      return singleByteToUtf8(take(readLittleEndian(4)));
    case ValueTag::kWString: {
      const uint32_t nChars = readLittleEndian(4);
      if (nChars > (bytes_.size() - pos_) / 2) throw ReadError(kReadErrorMessage);
      return utf16ToUtf8(take(size_t{nChars} * 2));
    }
    case ValueTag::kUTF8String: {
      const auto bytes = take(readLittleEndian(4));
      return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }
    default:
      throw ReadError(kInvalidValueMessage);
  }
}

}  // namespace tolvane::grid
