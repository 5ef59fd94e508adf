// One page: its boxes, rotation, size, resources and contents, and playing
// it on an export device.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "pdf/pages/PDRect.h"
#include "platform/vlBase.h"

class TvlPDDocument;
class TvlPDDictionary;
class TvlPDExportDevice;
class TvlPDInheritedProperty;
class TvlPDResource;
class TvlPDContents;
class TvlPDPageTree;
class TvlPDXObject;

class TvlPDPage {
public:
  TvlPDPage(TvlPDDocument* Doc, TvlPDPageTree* Tree, TvlPDDictionary* Dict, int PageNumber,
            std::shared_ptr<TvlPDInheritedProperty> Property);
  ~TvlPDPage();
  TvlPDPage(const TvlPDPage&) = delete;
  TvlPDPage& operator=(const TvlPDPage&) = delete;

  // Own box, else the nearest ancestor's; null when neither has one. A box
  // that is not an array raises ExBadPage.
  TvlPDRect* GetMediaBox();
  TvlPDRect* GetCropBox();
  // Own /Rotate, else inherited, else 0; not an integer raises ExBadPage.
  int GetRotate();
  // From the CropBox (signed) or else the MediaBox (absolute), unrotated.
  void GetPageSize(double& Width, double& Height);
  // Null without resources.
  TvlPDResource* GetResources();
  // Null without /Contents.
  TvlPDContents* GetContents();
  void Play(TvlPDExportDevice& Device, bool DrawAnnotations, bool Crop, bool UseMediaBox,
            int ExtraRotate, double HDPI, double VDPI);
  void DrawWidgets(TvlPDExportDevice& Device);
  // The /V of the form field whose object (or one of whose kids) is the annotation.
  AnsiString GetFieldValue(int AnnotationNumber);
  void ReleaseCaches();

  int PageNumber;
  TvlPDDictionary* Dictionary() const { return FDict; }
  TvlPDDocument* Document() const { return FDoc; }
  // Annotation object numbers seen by the last DrawWidgets.
  std::vector<int> AnnotationNumbers;

private:
  TvlPDRect* ReadBox(const char* Key, std::optional<TvlPDRect>& Cache, bool& Read);
  void DrawWidget(TvlPDExportDevice& Device, TvlPDDictionary* Annot, int Number,
                  const AnsiString& Value, int Depth);

  TvlPDDocument* FDoc;
  TvlPDPageTree* FTree;
  TvlPDDictionary* FDict;
  std::shared_ptr<TvlPDInheritedProperty> FProperty;
  std::optional<TvlPDRect> FMediaBox, FCropBox;
  bool FMediaBoxRead = false, FCropBoxRead = false;
  std::unique_ptr<TvlPDResource> FResources;
  bool FResourcesRead = false;
  std::unique_ptr<TvlPDContents> FContents;
  bool FContentsRead = false;
  // Appearance forms of drawn widgets (kept while the page lives).
  std::vector<std::unique_ptr<TvlPDXObject>> FAppearances;
  std::vector<std::unique_ptr<TvlPDResource>> FAppearanceResources;
};
