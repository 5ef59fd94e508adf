// One cross-reference entry.
#pragma once

#include <cstdint>

enum TvlPDXRefEntryType : uint8_t {
  etFree = 0,
  etInUse = 1,
  etCompressed = 2,
};

struct TvlPDXRefEntry {
  // In use: file offset of "N G obj". Compressed: number of the object
  // stream. Free: the next free object number. -1 until a section sets it.
  int32_t Offset = -1;
  // In use or free: the generation. Compressed: index in the object stream.
  int32_t GenerationNumber = -1;
  uint8_t EntryType = etFree;
  bool IsSet() const { return Offset != -1 || GenerationNumber != -1 || EntryType != etFree; }
};
