// A memory stream with single-byte and big-endian writers (PNG chunks).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/vlClasses.h"

class TvlExtMemStream : public TMemoryStream {
public:
  const char* ClassName() const override { return "TvlExtMemStream"; }
  // The next byte; raises EReadError at the end.
  uint8_t ReadByte();
  void WriteByte(uint8_t Value) { WriteBuffer(&Value, 1); }
  void WriteBytes(const uint8_t* Bytes, size_t Count) { WriteBuffer(Bytes, Count); }
  void WriteBytes(const std::vector<uint8_t>& Bytes) { WriteBuffer(Bytes.data(), Bytes.size()); }
  void WriteString(const AnsiString& S) { WriteBuffer(S.data(), S.size()); }
  void WriteBE32(uint32_t Value);
  void WriteBE32(const std::vector<uint32_t>& Values);
  void WriteBE16(uint16_t Value);
  void WriteBE16(const std::vector<uint16_t>& Values);
};
