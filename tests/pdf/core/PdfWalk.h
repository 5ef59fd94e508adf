// Opens a document and touches everything in it: every object with an entry
// is fetched and every stream read to its end.
#pragma once

#include <string>

#include "pdf/core/PDDocument.h"

namespace vltest {

struct WalkResult {
  int Entries = 0;   // in-use and compressed entries
  int Fetched = 0;   // of those, objects that loaded
  int InUse = 0;     // in-use entries (objects stored directly in the file)
  int InUseFetched = 0;
  int Streams = 0;
  int FlateChecked = 0;   // Flate streams compared byte for byte with zlib
  int FlateMismatch = 0;  // ... that decoded differently
  size_t DecodedBytes = 0;
};

// What zlib inflates from Packed (stops at the first error or the end).
AnsiString ZlibInflate(const AnsiString& Packed);

// Loads Pdf; raises what the loading raises. With ReadStreams false (for an
// encrypted file whose data stays encrypted) streams are not read.
WalkResult WalkDocument(const std::string& Pdf, bool ReadStreams = true);
WalkResult WalkDocument(TvlPDDocument& Doc, bool ReadStreams = true);

}  // namespace vltest
