#include "pdf/content/PDContents.h"

#include "pdf/content/PDContentStream.h"
#include "pdf/content/PDExportDevice.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/pages/PDPage.h"

TvlPDContents::TvlPDContents(TvlPDDocument* Doc, TvlPDPage* Page, TvlPDResource* Resources,
                             TvlPDBaseObject* ContentsObject)
    : FDoc(Doc), FPage(Page), FResources(Resources), FContentsObject(ContentsObject) {}

TvlPDContents::~TvlPDContents() = default;

int TvlPDContents::StreamCount() const {
  if (FContentsObject && FContentsObject->IsArray()) return FContentsObject->AsArray()->Count();
  return 1;
}

const std::vector<TvlPDStream*>& TvlPDContents::Streams() {
  if (!FStreamsBuilt) {
    FStreamsBuilt = true;
    if (!FContentsObject) return FStreams;
    if (TvlPDStream* s = FContentsObject->AsStream()) {
      FStreams.push_back(s);
    } else if (TvlPDArray* a = FContentsObject->AsArray()) {
      for (int i = 0; i < a->Count(); ++i) {
        TvlPDBaseObject* e = a->Get(i);
        if (e && e->IsStream()) FStreams.push_back(e->AsStream());
      }
    }
  }
  return FStreams;
}

void TvlPDContents::Play(TvlPDExportDevice& Device, int PageNumber, bool DrawAnnotations,
                         const TvlPDRect* PageBox, const TvlPDRect* ClipRect, int Rotate,
                         double HDPI, double VDPI) {
  const std::vector<TvlPDStream*>& streams = Streams();
  auto state = std::make_unique<TvlPDState>(Rotate, HDPI, VDPI, PageBox);
  state->PageNumber = PageNumber;
  Device.StartPage(PageNumber, *state);
  if (!streams.empty()) {
    // A page box changed after it was read becomes the first clip.
    if (PageBox && PageBox->Changed) {
      state->MoveTo(PageBox->Left, PageBox->Bottom);
      state->LineTo(PageBox->Right, PageBox->Bottom);
      state->LineTo(PageBox->Right, PageBox->Top);
      state->LineTo(PageBox->Left, PageBox->Top);
      state->ClosePath();
      Device.ClipPath(*state);
      state->ClearPath();
    }
    std::unique_ptr<TvlPDContentStream> previous;
    for (TvlPDStream* s : streams) {
      auto cs = std::make_unique<TvlPDContentStream>(FDoc, FPage, FResources, s);
      if (previous) {
        cs->ContinueFrom(*previous);
      } else {
        cs->State = std::move(state);
      }
      cs->Display(Device, PageNumber, PageBox, ClipRect, Rotate, HDPI, VDPI);
      previous = std::move(cs);
    }
  }
  if (DrawAnnotations && FPage) FPage->DrawWidgets(Device);
  Device.EndPage();
}
