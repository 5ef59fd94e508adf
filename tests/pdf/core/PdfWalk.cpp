#include "PdfWalk.h"

#include <zlib.h>

#include "pdf/core/PDBaseDoc.h"
#include "pdf/filters/Flate.h"

namespace vltest {

AnsiString ZlibInflate(const AnsiString& Packed) {
  z_stream z{};
  inflateInit(&z);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Packed.data()));
  z.avail_in = static_cast<uInt>(Packed.size());
  AnsiString out;
  char buf[65536];
  int rc;
  do {
    z.next_out = reinterpret_cast<Bytef*>(buf);
    z.avail_out = sizeof buf;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(buf, sizeof buf - z.avail_out);
  } while (rc == Z_OK);
  inflateEnd(&z);
  return out;
}

WalkResult WalkDocument(TvlPDDocument& Doc, bool ReadStreams) {
  WalkResult r;
  TvlPDXRef* xref = Doc.GetBaseDoc()->GetXRef();
  for (int32_t n : xref->EntryNumbers()) {
    const TvlPDXRefEntry* e = xref->GetEntry(n);
    if (!e || e->EntryType == etFree) continue;
    ++r.Entries;
    if (e->EntryType == etInUse) ++r.InUse;
    TvlPDBaseObject* o = Doc.FetchObject(n);
    if (!o) continue;
    ++r.Fetched;
    if (e->EntryType == etInUse) ++r.InUseFetched;
    TvlPDStream* s = o->AsStream();
    if (!s || !ReadStreams) continue;
    ++r.Streams;
    AnsiString data = s->ReadAll();
    r.DecodedBytes += data.size();
    // A lone Flate filter without predictor: the raw bytes are right below.
    auto* flate = dynamic_cast<TvlFlateStream*>(s->Data());
    if (flate && flate->Source()) {
      AnsiString raw;
      flate->Source()->Reset();
      flate->Source()->ReadString(raw, SIZE_MAX);
      ++r.FlateChecked;
      if (ZlibInflate(raw) != data) ++r.FlateMismatch;
    }
  }
  return r;
}

WalkResult WalkDocument(const std::string& Pdf, bool ReadStreams) {
  TvlPDDocument doc;
  doc.LoadFromStream(new TvlPlatformMemory(Pdf), true);
  return WalkDocument(doc, ReadStreams);
}

}  // namespace vltest
