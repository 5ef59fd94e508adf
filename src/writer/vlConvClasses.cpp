#include "writer/vlConvClasses.h"

uint8_t TvlExtMemStream::ReadByte() {
  uint8_t b;
  ReadBuffer(&b, 1);
  return b;
}

void TvlExtMemStream::WriteBE32(uint32_t Value) {
  uint8_t b[4] = {static_cast<uint8_t>(Value >> 24), static_cast<uint8_t>(Value >> 16),
                  static_cast<uint8_t>(Value >> 8), static_cast<uint8_t>(Value)};
  WriteBuffer(b, 4);
}

void TvlExtMemStream::WriteBE32(const std::vector<uint32_t>& Values) {
  for (uint32_t v : Values) WriteBE32(v);
}

void TvlExtMemStream::WriteBE16(uint16_t Value) {
  uint8_t b[2] = {static_cast<uint8_t>(Value >> 8), static_cast<uint8_t>(Value)};
  WriteBuffer(b, 2);
}

void TvlExtMemStream::WriteBE16(const std::vector<uint16_t>& Values) {
  for (uint16_t v : Values) WriteBE16(v);
}
