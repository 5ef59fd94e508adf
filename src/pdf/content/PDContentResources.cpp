// The operators of the content interpreter that reach outside the stream:
// resources by name (fonts, colour spaces, graphics states, XObjects) and
// inline images, plus reading a stream object's data.
#include <cmath>

#include "pdf/content/PDContentStream.h"
#include "pdf/content/PDExportDevice.h"
#include "pdf/content/PDForm.h"
#include "pdf/content/PDGState.h"
#include "pdf/content/PDImage.h"
#include "pdf/core/FileStream.h"
#include "pdf/core/PDBaseObject.h"
#include "pdf/filters/PDFilterManager.h"
#include "pdf/pages/PDResource.h"

void TvlPDContentStream::Display(TvlPDExportDevice& Device, int PageNumber,
                                 const TvlPDRect* PageBox, const TvlPDRect*, int Rotate,
                                 double HDPI, double VDPI) {
  AnsiString data;
  // A stream that cannot be read contributes nothing but still starts like
  // any other (page transform and state to the device).
  try {
    if (FStreamObject) data = FStreamObject->ReadAll(kMaxContentSize);
  } catch (const std::exception&) {
    data.clear();
  }
  DisplayData(Device, data, PageNumber, PageBox, Rotate, HDPI, VDPI);
}

void TvlPDContentStream::Op_Tf(const TvlOperand* O, int) {
  TvlPDFont* font = FResources ? FResources->FindFont(Text(O[0])) : nullptr;
  if (!font) return;
  State->SetFont(font);
  State->SetFontSize(O[1].Num);
  TextDirty = true;
}

void TvlPDContentStream::SetColorSpaceByName(std::string_view Name, bool Fill) {
  TvlPDColorSpace* space = FResources ? FResources->FindColorSpace(Name) : nullptr;
  std::unique_ptr<TvlPDColorSpace> made;
  if (!space) {
    if (Name == "DeviceRGB") made = std::make_unique<TvlPDDeviceRGBColorSpace>();
    else if (Name == "DeviceGray") made = std::make_unique<TvlPDDeviceGrayColorSpace>();
    else if (Name == "DeviceCMYK") made = std::make_unique<TvlPDDeviceCMYKColorSpace>();
    else if (Name == "Pattern") made = std::make_unique<TvlPDPatternColorSpace>();
    else return;
    space = made.get();
  }
  TvlPDColor initial{};
  space->InitialColor(initial);
  if (Fill) {
    if (made) State->SetFillColorSpace(std::move(made)); else State->SetFillColorSpace(space, false);
    FDevice->UpdateFillColorSpace(*State);
    State->SetFillColor(initial);
    FDevice->UpdateFillColor(*State);
  } else {
    if (made) State->SetStrokeColorSpace(std::move(made)); else State->SetStrokeColorSpace(space, false);
    FDevice->UpdateStrokeColorSpace(*State);
    State->SetStrokeColor(initial);
    FDevice->UpdateStrokeColor(*State);
  }
}

void TvlPDContentStream::Op_gs(const TvlOperand* O, int) {
  TvlPDGState* gs = FResources ? FResources->FindExtGState(Text(O[0])) : nullptr;
  if (!gs) return;
  const long double stroke = gs->GetStrokeAlpha();
  if (stroke != -1) State->SetStrokeAlpha(static_cast<double>(stroke));
  FDevice->UpdateStrokeAlpha(*State);
  const long double fill = gs->GetFillAlpha();
  if (fill != -1) State->SetFillAlpha(static_cast<double>(fill));
  FDevice->UpdateFillAlpha(*State);
}

void TvlPDContentStream::Op_Do(const TvlOperand* O, int) {
  TvlPDXObject* x = FResources ? FResources->FindXObject(Text(O[0])) : nullptr;
  if (!x) return;
  if (x->Kind == xkImage) {
    FDevice->DrawImage(*State, static_cast<TvlPDImage&>(*x));
  } else if (x->Kind == xkForm) {
    FDevice->DrawForm(*State, static_cast<TvlPDForm&>(*x));
  }
}

std::unique_ptr<TvlPDBaseObject> TvlPDContentStream::ToObject(const TvlOperand& O) const {
  switch (O.Kind) {
    case TvlOperandKind::Boolean: return std::make_unique<TvlPDBoolean>(O.Bool);
    case TvlOperandKind::Integer: return std::make_unique<TvlPDInteger>(O.Int);
    case TvlOperandKind::Real: return std::make_unique<TvlPDReal>(O.Num);
    case TvlOperandKind::String: return std::make_unique<TvlPDString>(AnsiString(Text(O)), O.Hex);
    case TvlOperandKind::Name: {
      // Already decoded by the tokenizer: keep the bytes as they are.
      auto n = std::make_unique<TvlPDName>(std::string_view());
      n->Value = AnsiString(Text(O));
      return n;
    }
    case TvlOperandKind::Array: {
      auto a = std::make_unique<TvlPDArray>();
      const TvlOperand* e = Lexer.Elements(O);
      for (uint32_t i = 0; i < O.Length; ++i) a->Add(ToObject(e[i]));
      return a;
    }
    case TvlOperandKind::Dictionary: {
      auto d = std::make_unique<TvlPDDictionary>();
      const TvlOperand* e = Lexer.Elements(O);
      for (uint32_t i = 0; i + 1 < O.Length; i += 2)
        if (e[i].Kind == TvlOperandKind::Name) d->AddValue(AnsiString(Text(e[i])), ToObject(e[i + 1]));
      return d;
    }
    case TvlOperandKind::Null:
      break;
  }
  return std::make_unique<TvlPDNull>();
}

void TvlPDContentStream::Op_BI(const TvlOperand*, int) { InlineImage(); }

void TvlPDContentStream::InlineImage() {
  // The image dictionary: name keys, each followed by its value, up to ID.
  auto dict = std::make_unique<TvlPDDictionary>();
  TvlOperand key, value;
  std::string_view op;
  while (true) {
    const auto t = Lexer.Next(key, op);
    if (t == TvlPDContentLexer::tkEOF) return;
    if (t == TvlPDContentLexer::tkOperator) {
      if (op == "ID") break;
      continue;
    }
    if (t != TvlPDContentLexer::tkOperand || key.Kind != TvlOperandKind::Name) continue;
    const auto v = Lexer.Next(value, op);
    if (v == TvlPDContentLexer::tkEOF) return;
    if (v == TvlPDContentLexer::tkOperator && op == "ID") break;
    if (v != TvlPDContentLexer::tkOperand) break;  // a bad value ends the dictionary
    dict->AddValue(AnsiString(Text(key)), ToObject(value));
  }
  // The data starts after the single white-space byte that follows ID.
  const uint8_t* data = Lexer.Data();
  size_t start = Lexer.Position();
  if (start < Lexer.Size() && TvlPDContentLexer::IsWhite(data[start])) ++start;
  // The data ends at an EI that stands as a keyword of its own (white space
  // before it, white space, a delimiter or the end after it), so image bytes
  // that happen to contain "EI" do not end it early.
  size_t end = Lexer.Size(), resume = Lexer.Size();
  for (size_t i = start; i + 1 < Lexer.Size(); ++i) {
    if (data[i] != 'E' || data[i + 1] != 'I') continue;
    const bool before = i == start || TvlPDContentLexer::IsWhite(data[i - 1]);
    const bool after = i + 2 >= Lexer.Size() || !TvlPDContentLexer::IsRegular(data[i + 2]);
    if (before && after) {
      end = i > start ? i - 1 : i;
      resume = i + 2;
      break;
    }
  }
  {
    // Inline images name their filters with the short keys.
    if (!dict->GetDirect("Filter") && dict->GetDirect("F")) dict->AddValue("Filter", dict->GetCopy("F"));
    if (!dict->GetDirect("DecodeParms") && dict->GetDirect("DP"))
      dict->AddValue("DecodeParms", dict->GetCopy("DP"));
    TvlPlatformMemory bytes(AnsiString(reinterpret_cast<const char*>(data) + start, end - start));
    std::unique_ptr<TvlPDStream> stream;
    try {
      stream = TvlPDFilterManager::CreateDecodedStream(
          dict->CloneDictionary(), std::make_unique<TvlFileStream>(bytes, true, bytes.Size(), 0));
    } catch (const std::exception&) {
    }
    // Filters that cannot be set up leave the data as it is.
    if (!stream) {
      stream = std::make_unique<TvlPDStream>(
          std::make_shared<TvlFileStream>(bytes, true, bytes.Size(), 0), std::move(dict));
    }
    TvlPDImage image(FDoc, stream.get(), FResources);
    image.SetInline(true);
    image.SetState(State.get());
    FDevice->DrawImage(*State, image);
  }
  Lexer.SetPosition(resume);
}
