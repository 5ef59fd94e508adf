// A page's /Contents (one stream or an array of streams), played in order
// with the state carried from each stream to the next.
#pragma once

#include <memory>
#include <vector>

class TvlPDDocument;
class TvlPDPage;
class TvlPDBaseObject;
class TvlPDStream;
class TvlPDExportDevice;
class TvlPDResource;
class TvlPDRect;

class TvlPDContents {
public:
  TvlPDContents(TvlPDDocument* Doc, TvlPDPage* Page, TvlPDResource* Resources,
                TvlPDBaseObject* ContentsObject);
  ~TvlPDContents();
  TvlPDContents(const TvlPDContents&) = delete;
  TvlPDContents& operator=(const TvlPDContents&) = delete;

  // Draws the whole page: state, page start, every stream, widgets, page end.
  void Play(TvlPDExportDevice& Device, int PageNumber, bool DrawAnnotations,
            const TvlPDRect* PageBox, const TvlPDRect* ClipRect, int Rotate, double HDPI,
            double VDPI);
  // Elements of a /Contents array (1 for a single stream).
  int StreamCount() const;

private:
  const std::vector<TvlPDStream*>& Streams();
  TvlPDDocument* FDoc;
  TvlPDPage* FPage;
  TvlPDResource* FResources;
  TvlPDBaseObject* FContentsObject;
  std::vector<TvlPDStream*> FStreams;
  bool FStreamsBuilt = false;
};
