// XObjects that Do draws: images, forms and PostScript fragments.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/vlBase.h"

class TvlPDBaseObject;
class TvlPDStream;
class TvlPDDocument;
class TvlPDResource;

// XObject kinds.
enum : uint8_t { xkImage = 0, xkForm = 1, xkPostScript = 2 };

class TvlPDXObject {
public:
  TvlPDXObject(TvlPDDocument* Doc, TvlPDResource* Owner, AnsiString Name, TvlPDBaseObject* Obj,
               uint8_t Kind)
      : Doc(Doc), Owner(Owner), Name(std::move(Name)), Object(Obj), Kind(Kind) {}
  TvlPDXObject(const TvlPDXObject&) = delete;
  TvlPDXObject& operator=(const TvlPDXObject&) = delete;
  virtual ~TvlPDXObject();

  TvlPDDocument* Doc;
  // The resources the XObject was found in (names it uses resolve there).
  TvlPDResource* Owner;
  AnsiString Name;
  // The XObject's stream (or, for an appearance without data, a dictionary);
  // not owned.
  TvlPDBaseObject* Object;
  uint8_t Kind;

  // The stream object, or null when Object is not a stream.
  TvlPDStream* Stream() const;
};

class TvlPDPostScript : public TvlPDXObject {
public:
  TvlPDPostScript(TvlPDDocument* Doc, TvlPDResource* Owner, AnsiString Name, TvlPDBaseObject* Obj)
      : TvlPDXObject(Doc, Owner, std::move(Name), Obj, xkPostScript) {}
};

// By Subtype: Image, Form or Ps; a widget appearance without Subtype is a
// form; anything else (PS included) gives null.
std::unique_ptr<TvlPDXObject> XObjectFromDictionary(TvlPDDocument* Doc, TvlPDResource* Owner,
                                                    const AnsiString& Name, TvlPDBaseObject* Obj,
                                                    bool AppearanceOwner = false);
