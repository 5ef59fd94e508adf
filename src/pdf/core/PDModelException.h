// Failures of the PDF side: every one is an EKestrin with a fixed message.
#pragma once

#include "platform/vlBase.h"

class EKestrin : public Exception {
public:
  using Exception::Exception;
};

#define VL_KESTRIN_EXCEPTION(Name, Text)          \
  class Name : public EKestrin {                  \
  public:                                         \
    static constexpr const char* kMessage = Text; \
    Name() : EKestrin(kMessage) {}                \
  };

VL_KESTRIN_EXCEPTION(ExFileNotFound, "File Not Found")
VL_KESTRIN_EXCEPTION(ExFileOpenError, "File Open error")
VL_KESTRIN_EXCEPTION(ExInvalidPDFFile, "Invalid PDF Document")
VL_KESTRIN_EXCEPTION(ExStartXrefNotFound, "startxref not found")
VL_KESTRIN_EXCEPTION(ExImproperCrossRefTableOrStream, "Improper Cross reference Table or Stream")
VL_KESTRIN_EXCEPTION(ExBadRootObj, "Catalog not found")
VL_KESTRIN_EXCEPTION(ExNoPageTreeObj, "No Page Entry in Catalog")
VL_KESTRIN_EXCEPTION(ExInvalidPassword, "Invalid password")
VL_KESTRIN_EXCEPTION(ExPasswordRequired, "Encrypted PDF: Password required for loading")
VL_KESTRIN_EXCEPTION(ExInvalidObject, "Invalid Object")
VL_KESTRIN_EXCEPTION(ExInvalidStream, "Invalid Stream")
VL_KESTRIN_EXCEPTION(ExInvalidBuffer, "Invalid Buffer")
VL_KESTRIN_EXCEPTION(ExOutofMemory, "Out of Memory")
VL_KESTRIN_EXCEPTION(ExBadPage, "Bad Page object")
VL_KESTRIN_EXCEPTION(ExInvalidFileID, "Invalid File ID in Trailer")
VL_KESTRIN_EXCEPTION(ExInvalidKeyLen, "RC4: Invalid key length")

#undef VL_KESTRIN_EXCEPTION

// The Flate encoder's failure carries zlib's own message after the fixed text.
class ExCompressionError : public EKestrin {
public:
  static constexpr const char* kMessage = "Compression error ";
  explicit ExCompressionError(const std::string& ZlibMessage)
      : EKestrin(std::string(kMessage) + ZlibMessage) {}
};
