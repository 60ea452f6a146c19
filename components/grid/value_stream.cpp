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

void AppendUtf8(std::string& out, uint32_t code_point) {
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

std::string Utf16ToUtf8(std::span<const uint8_t> bytes) {
  constexpr uint32_t kReplacement = 0xFFFD;
  std::string out;
  const size_t n_units = bytes.size() / 2;
  for (size_t i = 0; i < n_units; ++i) {
    const uint32_t unit = bytes[2 * i] | (uint32_t{bytes[2 * i + 1]} << kBitsPerByte);
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < n_units) {
      const uint32_t low = bytes[2 * i + 2] | (uint32_t{bytes[2 * i + 3]} << kBitsPerByte);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : unit);
  }
  return out;
}

// Single-byte strings are read as Latin-1.
std::string SingleByteToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  for (const uint8_t c : bytes) AppendUtf8(out, c);
  return out;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::array<uint8_t, kExtendedBytes> EncodeExtended(long double value) {
  uint16_t sign_exponent = std::signbit(value) ? kSignBit : 0;
  uint64_t mantissa = 0;
  if (std::isnan(value)) {
    sign_exponent |= kExponentAllOnes;
    mantissa = kQuietNaNMantissa;
  } else if (std::isinf(value)) {
    sign_exponent |= kExponentAllOnes;
    mantissa = kIntegerBit;
  } else if (value != 0) {
    int exponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
    mantissa = static_cast<uint64_t>(std::ldexp(fraction, kMantissaBits));
    sign_exponent |= static_cast<uint16_t>(exponent - 1 + kExponentBias);
  }
  std::array<uint8_t, kExtendedBytes> bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(mantissa >> (kBitsPerByte * i));
  bytes[8] = static_cast<uint8_t>(sign_exponent & kByteMask);
  bytes[9] = static_cast<uint8_t>(sign_exponent >> kBitsPerByte);
  return bytes;
}

long double DecodeExtended(std::span<const uint8_t, kExtendedBytes> bytes) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << kBitsPerByte) | bytes[i];
  const auto sign_exponent = static_cast<uint16_t>(bytes[8] | (bytes[9] << kBitsPerByte));
  const int exponent = sign_exponent & kExponentAllOnes;
  long double magnitude = 0;
  if (exponent == kExponentAllOnes) {
    magnitude = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                     : std::numeric_limits<long double>::quiet_NaN();
  } else {
    // Denormals carry the exponent of the smallest normal value.
    const int unbiased = (exponent == 0 ? 1 : exponent) - kExponentBias;
    magnitude = std::ldexp(static_cast<long double>(mantissa), unbiased - (kMantissaBits - 1));
  }
  return (sign_exponent & kSignBit) != 0 ? -magnitude : magnitude;
}

void TValueWriter::WriteLittleEndian(uint32_t value, int n_bytes) {
  for (int i = 0; i < n_bytes; ++i) {
    Bytes_.push_back(static_cast<uint8_t>((value >> (kBitsPerByte * i)) & kByteMask));
  }
}

void TValueWriter::WriteListBegin() {
  WriteTag(TValueTag::kList);
}
void TValueWriter::WriteListEnd() {
  WriteTag(TValueTag::kNull);
}
void TValueWriter::WriteBoolean(bool value) {
  WriteTag(value ? TValueTag::kTrue : TValueTag::kFalse);
}

void TValueWriter::WriteInteger(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  if (value >= std::numeric_limits<int8_t>::min() && value <= std::numeric_limits<int8_t>::max()) {
    WriteTag(TValueTag::kInt8);
    WriteLittleEndian(bits, 1);
  } else if (value >= std::numeric_limits<int16_t>::min() &&
             value <= std::numeric_limits<int16_t>::max()) {
    WriteTag(TValueTag::kInt16);
    WriteLittleEndian(bits, 2);
  } else {
    WriteTag(TValueTag::kInt32);
    WriteLittleEndian(bits, 4);
  }
}

void TValueWriter::WriteFloat(long double value) {
  WriteTag(TValueTag::kExtended);
  const auto bytes = EncodeExtended(value);
  Bytes_.insert(Bytes_.end(), bytes.begin(), bytes.end());
}

void TValueWriter::WriteString(std::string_view utf8) {
  if (utf8.empty()) {
    WriteTag(TValueTag::kWString);
    WriteLittleEndian(0, 4);
    return;
  }
  if (!IsAscii(utf8)) {
    WriteTag(TValueTag::kUTF8String);
    WriteLittleEndian(static_cast<uint32_t>(utf8.size()), 4);
  } else if (utf8.size() <= kMaxShortString) {
    WriteTag(TValueTag::kString);
    WriteLittleEndian(static_cast<uint32_t>(utf8.size()), 1);
  } else {
    WriteTag(TValueTag::kLString);
    WriteLittleEndian(static_cast<uint32_t>(utf8.size()), 4);
  }
  Bytes_.insert(Bytes_.end(), utf8.begin(), utf8.end());
}

std::span<const uint8_t> TValueReader::Take(size_t n) {
  if (n > Bytes_.size() - Pos_) throw EReadError(kReadErrorMessage);
  const auto part = Bytes_.subspan(Pos_, n);
  Pos_ += n;
  return part;
}

uint32_t TValueReader::ReadLittleEndian(int n_bytes) {
  const auto bytes = Take(static_cast<size_t>(n_bytes));
  uint32_t value = 0;
  for (int i = n_bytes - 1; i >= 0; --i)
    value = (value << kBitsPerByte) | bytes[static_cast<size_t>(i)];
  return value;
}

TValueTag TValueReader::NextTag() const {
  if (AtEnd()) throw EReadError(kReadErrorMessage);
  return static_cast<TValueTag>(Bytes_[Pos_]);
}

TValueTag TValueReader::ReadTag() {
  return static_cast<TValueTag>(Take(1)[0]);
}

bool TValueReader::EndOfList() {
  if (NextTag() != TValueTag::kNull) return false;
  ++Pos_;
  return true;
}

void TValueReader::ReadListBegin() {
  if (ReadTag() != TValueTag::kList) throw EReadError(kInvalidValueMessage);
}

void TValueReader::ReadListEnd() {
  if (ReadTag() != TValueTag::kNull) throw EReadError(kInvalidValueMessage);
}

int32_t TValueReader::ReadInteger() {
  switch (ReadTag()) {
    case TValueTag::kInt8:
      return static_cast<int8_t>(ReadLittleEndian(1));
    case TValueTag::kInt16:
      return static_cast<int16_t>(ReadLittleEndian(2));
    case TValueTag::kInt32:
      return static_cast<int32_t>(ReadLittleEndian(4));
    default:
      throw EReadError(kInvalidValueMessage);
  }
}

bool TValueReader::ReadBoolean() {
  switch (ReadTag()) {
    case TValueTag::kTrue:
      return true;
    case TValueTag::kFalse:
      return false;
    default:
      throw EReadError(kInvalidValueMessage);
  }
}

long double TValueReader::ReadFloat() {
  const TValueTag tag = NextTag();
  if (tag == TValueTag::kInt8 || tag == TValueTag::kInt16 || tag == TValueTag::kInt32) {
    return ReadInteger();
  }
  if (ReadTag() != TValueTag::kExtended) throw EReadError(kInvalidValueMessage);
  return DecodeExtended(Take(kExtendedBytes).first<kExtendedBytes>());
}

std::string TValueReader::ReadString() {
  switch (ReadTag()) {
    case TValueTag::kString:
      return SingleByteToUtf8(Take(ReadLittleEndian(1)));
    case TValueTag::kLString:
      return SingleByteToUtf8(Take(ReadLittleEndian(4)));
    case TValueTag::kWString: {
      const uint32_t n_chars = ReadLittleEndian(4);
      if (n_chars > (Bytes_.size() - Pos_) / 2) throw EReadError(kReadErrorMessage);
      return Utf16ToUtf8(Take(size_t{n_chars} * 2));
    }
    case TValueTag::kUTF8String: {
      const auto bytes = Take(ReadLittleEndian(4));
      return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }
    default:
      throw EReadError(kInvalidValueMessage);
  }
}

}  // namespace tolvane::grid
