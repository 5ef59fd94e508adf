// The one place where filter names become decoders: builds a stream's
// decoding chain from /Filter and /DecodeParms.
#pragma once

#include <memory>
#include <string_view>

#include "pdf/core/PDBaseObject.h"
#include "pdf/filters/FilterStream.h"

class TvlPDFilterManager {
public:
  // A stream object whose data is Source decoded by StreamDict's filters;
  // the chain owns Source. Raises ExInvalidObject without a dictionary and
  // ExInvalidStream without a source; a /Filter of the wrong kind gives
  // nothing.
  static std::unique_ptr<TvlPDStream> CreateDecodedStream(std::unique_ptr<TvlPDDictionary> StreamDict,
                                                          std::unique_ptr<TvlStream> Source);
  // The decoded data alone (inline images: Source is the content lexer's
  // stream and is not owned). Nothing when /Filter has the wrong kind.
  static std::unique_ptr<TvlStream> CreateDecodedData(const TvlPDDictionary& StreamDict,
                                                      TvlStream* Source, bool OwnsSource);
  // One link of a chain; unknown names give a TvlEOFStream.
  static std::unique_ptr<TvlFilterStream> CreateFilter(std::string_view Name,
                                                       const TvlPDBaseObject* Parms,
                                                       TvlStream* Source, bool OwnsSource,
                                                       const TvlPDDictionary* StreamDict);
};
