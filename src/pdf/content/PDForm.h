// A form XObject (or widget appearance). Its content is never executed; it
// is handed to the device with its resources.
#pragma once

#include <memory>

#include "pdf/content/PDXObject.h"

class TvlPDForm : public TvlPDXObject {
public:
  TvlPDForm(TvlPDDocument* Doc, TvlPDResource* Owner, AnsiString Name, TvlPDBaseObject* Obj);
  ~TvlPDForm() override;
  // The form's own Resources (built on first use; a form without fonts of
  // its own borrows the owner's font list), or the owner's resources.
  TvlPDResource* Resources();

private:
  std::unique_ptr<TvlPDResource> FResources;
  bool FResourcesRead = false;
};
