#include "extract/vlPDFContentExtractor.h"

#include <algorithm>
#include <cmath>

#include "entry/vlDocumentparser.h"
#include "pdf/content/PDState.h"
#include "pdf/fonts/PD8bitFont.h"
#include "pdf/fonts/PDAdobeGlyphList.h"
#include "pdf/fonts/PDCMapParser.h"
#include "pdf/fonts/PDFont.h"
#include "platform/vlBitmap.h"
#include "platform/vlClasses.h"
#include "platform/vlFontService.h"
#include "platform/vlGeometry.h"
#include "platform/vlJPEG.h"
#include "writer/vlConvUtils.h"
#include "writer/vlDocumentWriter.h"

namespace {

constexpr const char* kArialUnicode = "Arial Unicode MS";
// A gap between two glyphs on one baseline counts as a word space from this
// share of the font size on (a space is a quarter to a third of an em, kerns
// stay well below); beyond the upper share the gap is left to the layout,
// which treats it as a separation of columns or cells.
constexpr double kWordGap = 0.18;
constexpr double kMaxWordGap = 3.0;

// Round to nearest, halves to even (the default floating-point mode).
int RoundEven(double V) {
  const double r = std::nearbyint(V);
  if (!(r > -2147483648.0)) return INT32_MIN;
  if (!(r < 2147483647.0)) return INT32_MAX;
  return static_cast<int>(r);
}

// Text that is turned by the text matrix (a rotation, possibly uniformly
// scaled, that is not upright).
bool IsRotatedTextMatrix(const TvlPDMatrix& Tm) {
  return Tm.a != 1 && Tm.b != 0 && Tm.a == Tm.d && Tm.b == -Tm.c;
}

// Text whose baseline does not run along the page's x axis once the CTM is
// applied too: sideways labels drawn through a rotating cm.
bool IsSidewaysOnPage(const TvlPDMatrix& Tm, const TvlPDMatrix& CTM) {
  const TvlPDMatrix m = Tm.Multiply(CTM);
  const double scale = std::max({std::fabs(m.a), std::fabs(m.b), std::fabs(m.c), std::fabs(m.d)});
  return scale > 0 && std::fabs(m.b) > 1e-3 * scale;
}

}  // namespace

TvlPDFContentExtractor::TvlPDFContentExtractor(TvlDocumentWriter* AWriter) : Writer(AWriter) {
  DrawsGlyphs = true;
  SkipsType3Text = true;
  UpsideDown = true;
}

TvlPDFContentExtractor::~TvlPDFContentExtractor() = default;

void TvlPDFContentExtractor::SetInstalledFonts(const std::vector<AnsiString>& Names) {
  InstalledFonts = std::make_unique<vlextract::TvlInstalledFonts>(Names);
  OutputFonts.clear();
}

bool TvlPDFContentExtractor::AcceptPage(TvlPDPage*, int, double, double, bool, bool, double, double,
                                        double, double) {
  return true;
}

void TvlPDFContentExtractor::StartPage(int APageNumber, const TvlPDState& State) {
  PageWidth = State.PageWidth;
  PageHeight = State.PageHeight;
  // The page's size in pixels goes to the writer in its pixel unit; the
  // rest of the page speaks points.
  Writer->SetMeasurementUnit(muPixel);
  Writer->GetCurrentPageSettings().SetWidth(PageWidth);
  Writer->GetCurrentPageSettings().SetHeight(PageHeight);
  Writer->SetMeasurementUnit(muPoint);
  ResetClip();
  HasLast = false;
  PageNumber = APageNumber;
  if (Parser) Parser->DoPageStart(PageNumber);
}

void TvlPDFContentExtractor::EndPage() {
  Measure = nullptr;
  if (Parser) Parser->DoPageEnd(PageNumber);
  Writer->EndPage();
}

void TvlPDFContentExtractor::ResetClip() {
  ClipRegion.SetRect(0, 0, PageWidth / PixelsPerPoint, PageHeight / PixelsPerPoint);
}

void TvlPDFContentExtractor::SaveState(const TvlPDState&) {}

// The clip is not saved with the state: after any Q the whole page is
// visible again.
void TvlPDFContentExtractor::RestoreState(const TvlPDState&) { ResetClip(); }

// Positions are computed from the state's CTM at each glyph, which is the
// transform the saved and restored world transform would give.
void TvlPDFContentExtractor::UpdateTransform(const TvlPDState&, const TvlPDMatrix&) {}

void TvlPDFContentExtractor::UpdateFillAlpha(const TvlPDState&) {}

void TvlPDFContentExtractor::StrokePath(const TvlPDState&) {}
void TvlPDFContentExtractor::FillPath(const TvlPDState&) {}
void TvlPDFContentExtractor::FillPathEvenOdd(const TvlPDState&) {}

void TvlPDFContentExtractor::ClipPath(const TvlPDState& State) { ClipWithPath(State, false); }
void TvlPDFContentExtractor::ClipPathEvenOdd(const TvlPDState& State) { ClipWithPath(State, true); }
void TvlPDFContentExtractor::ClipPathAlternate(const TvlPDState& State) { ClipWithPath(State, true); }

void TvlPDFContentExtractor::ClipWithPath(const TvlPDState& State, bool EvenOdd) {
  const TvlPDPath& path = *State.Path;
  // User space to page points.
  auto toPage = [&](double X, double Y) {
    double dx, dy;
    State.CTM.Transform(X, Y, dx, dy);
    return TvlClipRegion::Point{dx / PixelsPerPoint, dy / PixelsPerPoint};
  };
  std::vector<TvlClipRegion::Contour> contours;
  for (int s = 0; s < path.SubpathCount(); ++s) {
    const TvlPDSubPath& sp = *path.Subpath(s);
    TvlClipRegion::Contour c;
    c.push_back(toPage(sp.X(0), sp.Y(0)));
    int p = 0;
    for (int seg = 0; seg < sp.SegmentCount(); ++seg) {
      if (sp.IsCurve(p + 1)) {
        TvlClipRegion::AddBezier(c, toPage(sp.X(p + 1), sp.Y(p + 1)), toPage(sp.X(p + 2), sp.Y(p + 2)),
                                 toPage(sp.X(p + 3), sp.Y(p + 3)));
        p += 3;
      } else {
        c.push_back(toPage(sp.X(p + 1), sp.Y(p + 1)));
        p += 1;
      }
    }
    contours.push_back(std::move(c));
  }
  ClipRegion.Intersect(std::move(contours), EvenOdd);
}

TFont TvlPDFContentExtractor::BuildOutputFont(const TvlPDFont& Font) {
  const AnsiString& source = Font.FontName().empty() ? Font.BaseFont() : Font.FontName();
  const uint8_t flags = (Font.IsBold() ? 1 : 0) | (Font.IsItalic() ? 2 : 0) | (Font.IsSerif() ? 4 : 0) |
                        (Font.IsFixedPitch() ? 8 : 0);
  // Fonts stay put while a document is played, but an address can be reused
  // by a later font, so the name and flags are checked too.
  auto& slot = OutputFonts[&Font];
  if (slot.Built && slot.Flags == flags && slot.Source == source) {
    OutputFontMatched = slot.Matched;
    OutputFontDesign = slot.Design;
    return slot.Font;
  }
  if (!InstalledFonts) SetInstalledFonts(vl::InstalledFontNames());
  bool bold = false, italic = false;
  const AnsiString name = vlextract::NormaliseFontName(source, bold, italic);
  TFont out;
  bool matched = false;
  out.Name = InstalledFonts->Match(name, &matched);
  if (bold) out.Style.Include(fsBold);
  if (italic) out.Style.Include(fsItalic);
  if (Font.IsBold()) {
    out.Style.Include(fsBold);
    if (Font.IsItalic()) out.Style.Include(fsItalic);
  } else if (Font.IsItalic()) {
    out.Style.Include(fsItalic);
  }
  slot = {true, flags, source, out, matched, vlextract::DesignFromName(name)};
  OutputFontMatched = slot.Matched;
  OutputFontDesign = slot.Design;
  return out;
}

void TvlPDFContentExtractor::UpdateFont(const TvlPDState& State) {
  if (!State.Font) return;
  OutputFont = BuildOutputFont(*State.Font);
  // Glyph boxes are measured with a system font for every PDF font, also
  // for embedded programs: an embedded program is not rasterised here, and
  // an empty box would leave the layout without line heights.
  vl::TvlFontService& fonts = vl::TvlFontService::Instance();
  TFontStyles style;
  if (OutputFont.Style.Contains(fsBold)) style.Include(fsBold);
  if (OutputFont.Style.Contains(fsItalic)) style.Include(fsItalic);
  AnsiString family;
  if (fonts.HasFamily(kArialUnicode))
    family = kArialUnicode;
  else if (fonts.HasFamily("Arial"))
    family = "Arial";
  else if (!fonts.FamilyNames().empty())
    family = fonts.FamilyNames().front();
  MeasureFamily = family;
  MeasureStyle = style;
  Measure = FaceFor(family, style);
}

TvlPDFContentExtractor::MeasureFace* TvlPDFContentExtractor::FaceFor(const AnsiString& Family,
                                                                     TFontStyles Style) {
  const MeasureKey key{Family, Style.ToByte()};
  auto it = Faces.find(key);
  if (it != Faces.end()) return &it->second;
  MeasureFace face;
  vl::TvlFamilyMetrics m;
  if (!Family.empty() && vl::TvlFontService::Instance().FamilyMetrics(Family, Style, m) &&
      m.EmHeight > 0) {
    face.Available = true;
    face.AscentPerEm = static_cast<double>(m.CellAscent) / m.EmHeight;
  }
  return &Faces.emplace(key, std::move(face)).first->second;
}

const TvlPDFContentExtractor::GlyphBounds& TvlPDFContentExtractor::CharBounds(MeasureFace& Face,
                                                                             uint16_t Ch) {
  auto it = Face.Glyphs.find(Ch);
  if (it != Face.Glyphs.end()) return it->second;
  GlyphBounds b;
  vl::TvlPath path(vl::TvlFillMode::Winding);
  if (vl::TvlFontService::Instance().AddCharOutline(path, MeasureFamily, MeasureStyle, 1000.0,
                                                     static_cast<char16_t>(Ch), 0, 0) &&
      !path.Empty()) {
    const vl::TvlRectF r = path.Bounds();
    b = {r.Left, r.Top, r.Right, r.Bottom, false};
  }
  return Face.Glyphs.emplace(Ch, b).first->second;
}

void TvlPDFContentExtractor::BeginTextShow(const TvlPDState&) { ContinuesShow = false; }
void TvlPDFContentExtractor::EndTextShow(const TvlPDState&) {}

void TvlPDFContentExtractor::BeginString(const TvlPDState&, std::string_view Text) {
  ContinuesString = false;
  StringBytes.assign(Text);
  StringPos = 0;
}

void TvlPDFContentExtractor::EndString(const TvlPDState&) {}

// The character a glyph stands for. Glyph names are the most reliable
// source where the encoding gives one; the ToUnicode map is looked up with
// the character code itself (for a simple font the string's byte, for a
// composite font the value the font decoded, which is the CID); what the
// font decoded is the last resort.
uint16_t TvlPDFContentExtractor::FinalUnicode(const TvlPDState& State, uint16_t Unicode,
                                             std::string_view GlyphName) const {
  const TvlPDFont& font = *State.Font;
  const bool simple = !font.IsCIDFont();
  int code = Unicode;
  if (simple && StringPos > 0 && StringPos <= StringBytes.size())
    code = static_cast<unsigned char>(StringBytes[StringPos - 1]);
  const bool zapf = font.BaseFont().find("ZapfDingbats") != AnsiString::npos;
  std::string_view name = GlyphName;
  std::string differencesName;
  if (name.empty() && simple && font.FontKind() == fkTrueType && font.HasEncoding() &&
      font.HasDifferences()) {
    static_cast<const TvlPD8bitFont&>(font).GetGlyphName(code, differencesName);
    name = differencesName;
  }
  if (!name.empty()) {
    const uint16_t u = vl::GlyphNameToUnicode(name, zapf);
    // The glyph list gives the increment sign for Delta; in the Symbol font
    // the glyph is the Greek capital.
    if (u == 0x2206 && font.BaseFont().find("Symbol") != AnsiString::npos) return 0x0394;
    if (u != 0) return u;
  }
  if (const TvlPDCMapParser* toUnicode = font.ToUnicode()) {
    const int mapped = toUnicode->MapCode(code);
    if (mapped > 0 && mapped < 0xFFFF) return static_cast<uint16_t>(mapped);
  }
  return Unicode;
}

void TvlPDFContentExtractor::DrawGlyph(const TvlPDState& State, uint16_t Unicode, double X, double Y,
                                       double, double, std::string_view GlyphName) {
  ++StringPos;
  if (!(ExtractionOptions & 1) || !State.Font) return;
  const TvlPDMatrix& Tm = State.TextMatrix;
  const TvlPDMatrix& CTM = State.CTM;
  if (IsRotatedTextMatrix(Tm) || IsSidewaysOnPage(Tm, CTM)) return;

  // Page position of the glyph origin, in points, y up.
  const double fx = static_cast<float>(X), fy = static_cast<float>(Y);
  double ux, uy, dx, dy;
  State.TextToUser(fx, fy, ux, uy);
  CTM.Transform(ux, uy, dx, dy);
  const double px = dx / PixelsPerPoint, py = dy / PixelsPerPoint;
  if (!ClipRegion.Contains(RoundEven(px), RoundEven(py))) return;

  const uint16_t ch = FinalUnicode(State, Unicode, GlyphName);

  // Glyph box in device pixels, y down: the outline laid out with the line
  // cell's top round(A + Rise) above the point A above the origin, scaled
  // horizontally, through the text matrix and the CTM, then flipped.
  double left = 0, top = 0, width = 0, height = 0;
  if (Measure && Measure->Available) {
    const GlyphBounds& g = CharBounds(*Measure, ch);
    if (!g.Empty) {
      const double size = State.FontSize;
      const double a = Measure->AscentPerEm * size;
      const double originY = -RoundEven(a + State.Rise);
      const double k = size / 1000.0;
      double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
      const double xs[2] = {g.Left, g.Right}, ys[2] = {g.Top, g.Bottom};
      for (double gx : xs)
        for (double gy : ys) {
          // y-down glyph space to text space.
          const double tx = fx + gx * k * State.HorizontalScale;
          const double ty = fy - (originY + gy * k);
          double vx, vy, wx, wy;
          Tm.Transform(tx, ty, vx, vy);
          CTM.Transform(vx, vy, wx, wy);
          wy = PageHeight - wy;
          minX = std::min(minX, wx);
          maxX = std::max(maxX, wx);
          minY = std::min(minY, wy);
          maxY = std::max(maxY, wy);
        }
      left = std::floor(minX);
      top = std::floor(minY);
      width = std::ceil(maxX) - left;
      height = std::ceil(maxY) - top;
    }
  }

  TFont glyphFont = OutputFont;
  if (InstalledFonts && glyphFont.Name == InstalledFonts->Fallback() && !OutputFontMatched) {
    // No installed family has the font's name: keep at least its design.
    // The name says more than the flags, which many producers leave at
    // their defaults.
    const char design = OutputFontDesign;
    if (design == 'r' || (design == 0 && State.Font->IsSerif()))
      glyphFont.Name = "Times New Roman";
    else if (design == 'm' || (design == 0 && State.Font->IsFixedPitch()))
      glyphFont.Name = "Courier New";
  }
  glyphFont.Size = RoundEven(State.TransformedFontSize() / PixelsPerPoint);
  if (width == 1 && height == 1) {
    const TSize ext = vl::TvlFontService::Instance().TextExtent(WideString(1, static_cast<char16_t>(ch)),
                                                                glyphFont);
    width = ext.cx;
    height = ext.cy;
  }
  int32_t r, g, b;
  State.GetFillRGB(r, g, b);
  glyphFont.Color = RGBToColor(static_cast<uint8_t>(vlextract::ColorComponentToByte(r)),
                               static_cast<uint8_t>(vlextract::ColorComponentToByte(g)),
                               static_cast<uint8_t>(vlextract::ColorComponentToByte(b)));
  const TvlDoubleRect glyphRect{left, top, left + width, top + height};

  // The advance through the text matrix and the CTM, in points: the same as
  // GlyphWidth x Tm.a x HorizontalScale when the CTM is the page transform,
  // and still right when a cm scales the page's content.
  double ax, ay, bx, by;
  Tm.TransformDelta(State.GlyphWidth * State.HorizontalScale, 0, ax, ay);
  CTM.TransformDelta(ax, ay, bx, by);
  const double advance = bx / PixelsPerPoint;

  // Producers that position words instead of showing spaces (TeX's TJ
  // arrays above all) leave a gap where the space was; without a space the
  // words would run together in the output, so one is put in.
  const double gap = px - LastEnd;
  const double size = glyphFont.Size > 0 ? glyphFont.Size : std::fabs(State.FontSize);
  if (HasLast && ch != ' ' && LastCh != ' ' && std::fabs(py - LastY) < 0.01 &&
      gap > kWordGap * size && gap < kMaxWordGap * size) {
    Writer->TextOut(glyphFont, TvlDoubleRect{glyphRect.Left, glyphRect.Top, glyphRect.Left, glyphRect.Top},
                    LastEnd, py, gap, ContinuesString, ContinuesShow, u' ', State.CharSpacing);
  }
  Writer->TextOut(glyphFont, glyphRect, px, py, advance, ContinuesString, ContinuesShow, ch,
                  State.CharSpacing);
  ContinuesShow = true;
  ContinuesString = true;
  HasLast = true;
  LastEnd = px + advance;
  LastY = py;
  LastCh = ch;
}

TvlDoubleRect TvlPDFContentExtractor::ImageBounds(const TvlPDState& State) const {
  // The image's unit square in page points, y down, from the flipped CTM
  // [a, -b, -c, d, e, PageHeight - f]; rotation and skew are not followed.
  const TvlPDMatrix& m = State.CTM;
  const double m11 = m.a, m22 = m.d, dx = m.e, dy = PageHeight - m.f;
  return {dx / PixelsPerPoint, (dy - m22) / PixelsPerPoint, (dx + m11) / PixelsPerPoint,
          dy / PixelsPerPoint};
}

void TvlPDFContentExtractor::DrawImage(const TvlPDState& State, TvlPDImage& Image) {
  std::unique_ptr<TGraphic> picture = MakePicture(State, Image);
  if (!picture) return;
  Writer->ImageSettings().PlacementValue = RoundEven(ImageSetting);
  Writer->DrawImage(ImageBounds(State), picture.get());
}

// The picture of an image comes from the image's own conversion to JPEG or
// bitmap data, which the image model does not offer yet for any kind of
// image; until it does, images give no picture and the writer is not called.
std::unique_ptr<TGraphic> TvlPDFContentExtractor::MakePicture(const TvlPDState&, TvlPDImage&) {
  return nullptr;
}
