#include "rtf/vlRTFDoc.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/vlSystem.h"
#include "rtf/vlRTFColumnBreak.h"

namespace {

// The lifecycle operations report failures as plain exceptions carrying the
// original message.
template <class F>
void Plainly(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    throw Exception(e.what());
  }
}

std::string SystemReason(int err) { return std::strerror(err); }

}  // namespace

TvlRTFDoc::TvlRTFDoc(TComponent* AOwner)
    : TvlDocumentWriter(AOwner),
      FTextEffects(std::make_unique<TvlTextEffects>()),
      FDocArea(std::make_unique<TvlRTFDocArea>(TwipsPerPixel())),
      FHeader(std::make_unique<TvlRTFHeader>()) {
  FHeader->CodePage = static_cast<int>(vl::GetACP());
  FCurrentSection = FDocArea->AddSection(vlskPage);
  FTarget = &FCurrentSection->Body;
  FImageSettings.OutputImageFormat = ifPNG;
  FImageSettings.Proportional = false;
  FImageSettings.Stretch = true;
}

TvlRTFDoc::~TvlRTFDoc() {
  if (FOutput >= 0) close(FOutput);
}

// ---- drawing state ----

void TvlRTFDoc::SetMeasurementUnit(TvlMeasurementUnit Value) {
  FMeasurementUnit = Value;
  FFactor = Factor(Value);
  FCurrentPageSettings.SetNativeFactor(FFactor);
  FTextFormatting.SetNativeFactor(FFactor);
}

TvlPageSettings& TvlRTFDoc::GetCurrentPageSettings() { return FCurrentPageSettings; }

void TvlRTFDoc::SetCurrentPageSettings(const TvlPageSettings& Value) {
  FCurrentPageSettings.Assign(Value);
  if (FCurrentSection) FCurrentSection->PageSettings = PageSetupOf(FCurrentPageSettings);
}

TvlRTFPageSetup TvlRTFDoc::PageSetupOf(const TvlPageSettings& s) {
  TvlRTFPageSetup p;
  p.Width = s.WidthPixels();
  p.Height = s.HeightPixels();
  p.LeftMargin = s.LeftMarginPixels();
  p.RightMargin = s.RightMarginPixels();
  p.TopMargin = s.TopMarginPixels();
  p.BottomMargin = s.BottomMarginPixels();
  p.HeaderHeight = s.HeaderHeightPixels();
  p.FooterHeight = s.FooterHeightPixels();
  p.Landscape = s.Orientation() == poLandscape;
  p.BinNumber = s.BinNumber();
  return p;
}

// ---- document and pages ----

void TvlRTFDoc::BeginDoc() {
  Plainly([this] {
    FDocArea->PageSettings = PageSetupOf(FCurrentPageSettings);
    const AnsiString& name = FFileName;
    // An existing file is replaced; if it cannot be removed, creating it
    // below reports why.
    unlink(name.c_str());
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw EFCreateError("Cannot create file \"" + name + "\". " + SystemReason(errno));
    if (FOutput >= 0) close(FOutput);
    FOutput = fd;
    FImages.clear();
    FDocumentOpen = true;
    FCurrentPage = 0;
    FPageCount = 0;
    FInTable = false;
    BeginPage();
  });
}

int TvlRTFDoc::BeginPage() {
  Plainly([this] {
    if (FCurrentPage > 0) NewSection(vlskPage);
    FCurrentSection->PageSettings = PageSetupOf(FCurrentPageSettings);
    ++FPageCount;
    FCurrentPage = FPageCount;
    FInTable = false;
    FInTextBox = false;
    FListActive = false;
    FLastImageBounds = TvlDoubleRect{};
  });
  return 0;
}

void TvlRTFDoc::RenderDocument(AnsiString& Text) {
  SyncStyles();
  Text.clear();
  FHeader->RenderTo(Text);
  FDocArea->RenderTo(Text);
  Text.push_back('}');
}

void TvlRTFDoc::EndDoc() {
  Plainly([this] {
    if (FOutput < 0) return;  // no document begun, or already written
    // A paragraph never ended still belongs to the document.
    if (FPendingParagraph) EndParagraph();
    AnsiString text;
    RenderDocument(text);
    const int fd = FOutput;
    FOutput = -1;
    const char* p = text.data();
    size_t left = text.size();
    int err = 0;
    while (left > 0) {
      const ssize_t n = write(fd, p, left);
      if (n < 0) {
        if (errno == EINTR) continue;
        err = errno;
        break;
      }
      p += n;
      left -= static_cast<size_t>(n);
    }
    if (close(fd) != 0 && err == 0) err = errno;
    ClearEngineStates();
    FImages.clear();
    FCurrentPage = 0;
    FPageCount = 0;
    if (err != 0) throw EWriteError("Cannot write file \"" + FFileName + "\". " + SystemReason(err));
    if (FOpenAfterCreate) vl::ShellOpen(FFileName);
  });
}

TvlRTFSection* TvlRTFDoc::NewSection(uint8_t Kind) {
  FCurrentSection = FDocArea->AddSection(Kind);
  FTarget = &FCurrentSection->Body;
  return FCurrentSection;
}

void TvlRTFDoc::BeginSection(int ColumnCount, int Reserved, const TvlColumnSpecs& Columns) {
  Plainly([&] {
    TvlRTFSection* s = NewSection(vlskColumns);
    s->ColumnCount = ColumnCount;
    s->Reserved = Reserved;
    s->Columns.reserve(Columns.size());
    for (const TvlColumnSpec& c : Columns) s->Columns.push_back({c.Spacing * FFactor, c.Width * FFactor});
    s->PageSettings = PageSetupOf(FCurrentPageSettings);
  });
}

void TvlRTFDoc::BeginPlainSection() { NewSection(vlskContinuous); }

void TvlRTFDoc::ColumnBreak() { FTarget->Add(std::make_unique<TvlRTFColumnBreak>()); }

// ---- paragraphs, runs and lists ----

void TvlRTFDoc::BeginParagraph(const AnsiString& StyleName) {
  Plainly([&] {
    // Beginning a paragraph while one is still open ends that one, so its
    // text is not lost.
    if (FPendingParagraph) EndParagraph();
    auto p = std::make_unique<TvlRTFParagraph>(FHeader.get(), TwipsPerPixel());
    p->StyleIndex = StyleName.empty() ? -1 : FStyleManager->IndexOfStyle(StyleName);
    p->Flags = static_cast<uint8_t>((FInTable ? vlpfInTable : 0) | (FListActive ? vlpfListItem : 0));
    if (FListActive) p->ListIndex = FListIndex;
    const TvlTextFormatting& f = FTextFormatting;
    TvlRTFParaFormat& pf = p->Item.TextFormatting;
    pf.SpaceBefore = f.SpaceBeforePixels();
    pf.LeftIndent = f.LeftIndentPixels();
    pf.RightIndent = f.RightIndentPixels();
    pf.FirstLineIndent = f.FirstLineIndentPixels();
    pf.LineSpacing = f.LineSpacingPixels();
    pf.Alignment = f.Alignment();
    pf.UseLineSpacing = f.UseLineSpacing();
    pf.LineSpacingAtLeast = f.LineSpacingAtLeast();
    const TvlParaBorder& b = f.Border();
    pf.BorderLeft = b.DrawLeft;
    pf.BorderRight = b.DrawRight;
    pf.BorderTop = b.DrawTop;
    pf.BorderBottom = b.DrawBottom;
    pf.BorderSpacing = b.Spacing * FFactor;
    FCurrentParagraph = p.get();
    FPendingParagraph = std::move(p);
    FParagraphOpen = true;
  });
}

void TvlRTFDoc::BeginCellParagraph(int CellIndex, const AnsiString& StyleName) {
  FCellIndex = CellIndex;
  BeginParagraph(StyleName);
}

void TvlRTFDoc::EndParagraph() {
  if (!FPendingParagraph) return;
  // Table cells and text boxes take their paragraphs themselves once those
  // elements exist; until then the paragraph stays in the flow.
  FTarget->Add(std::move(FPendingParagraph));
}

TvlTextItem TvlRTFDoc::MakeRun(const WideString& Text, double CharSpacing, double TabPosition) {
  const TFont& font = *FFont;
  TvlTextItem run;
  run.FontIndex = FHeader->FontIndex(font.Name, font.Charset);
  run.ColorIndex = FHeader->ColorIndex(font.Color, ColorToRGB(font.Color));
  run.Text = Text;
  run.Style = font.Style.ToByte();
  run.Size = font.Size;
  run.Charset = font.Charset;
  run.CharSpacing = CharSpacing;
  run.TabPosition = TabPosition;
  return run;
}

double TvlRTFDoc::WriteText(const WideString& Text, double CharSpacing, double TabPosition) {
  if (FDocumentOpen && FParagraphOpen && FCurrentParagraph)
    FCurrentParagraph->Item.Runs.push_back(MakeRun(Text, CharSpacing * FFactor, TabPosition * FFactor));
  return 0;
}

void TvlRTFDoc::WriteCellText(int CellIndex, const WideString& Text) {
  FCellIndex = CellIndex;
  if (FDocumentOpen && FParagraphOpen && FCurrentParagraph)
    FCurrentParagraph->Item.Runs.push_back(MakeRun(Text, 0, 0));
}

double TvlRTFDoc::WriteBookmarkedText(const WideString& Text, const WideString& BookmarkName, int A, int B,
                                      double Position) {
  (void)A, (void)B, (void)Position;
  FBookmarkManager->AddBookmark(BookmarkName, 0);
  if (FDocumentOpen && FParagraphOpen && FCurrentParagraph) {
    TvlTextItem run = MakeRun(Text, 0, 0);
    run.IsBookmark = true;
    run.BookmarkName = BookmarkName;
    FCurrentParagraph->Item.Runs.push_back(std::move(run));
  }
  return 0;
}

int TvlRTFDoc::AddParagraphStyle(const TFont& Font, TColor Color, const AnsiString& Name) {
  const int index = FStyleManager->AddStyle(Font, Color, Name, 0);
  FHeader->FontIndex(Font.Name, Font.Charset);
  FHeader->ColorIndex(Color, ColorToRGB(Color));
  return index;
}

void TvlRTFDoc::SyncStyles() {
  FHeader->Styles.clear();
  const TvlStyleManager& styles = *FStyleManager;
  FHeader->Styles.reserve(static_cast<size_t>(styles.Count()));
  for (int i = 0; i < styles.Count(); ++i) {
    const TvlStyle& s = styles.StyleAt(i);
    TvlRTFStyle style;
    style.Keyword = s.StyleID;
    style.Name = s.StyleName;
    style.FontIndex = FHeader->FontIndex(s.StyleFont.Name, s.StyleFont.Charset);
    style.ColorIndex = FHeader->ColorIndex(s.StyleColor, ColorToRGB(s.StyleColor));
    style.Size = s.StyleFont.Size;
    style.Style = s.StyleFont.Style.ToByte();
    FHeader->Styles.push_back(std::move(style));
  }
}

int TvlRTFDoc::AddNumberedList(uint8_t NumberFormat, TAlignment Alignment, uint8_t Follow, int StartAt) {
  auto list = std::make_unique<TvlRTFList>();
  list->NumberFormat = NumberFormat;
  list->Alignment = Alignment;
  list->Follow = Follow;
  list->StartAt = StartAt;
  FListIndex = FHeader->AddList(std::move(list));
  FListActive = true;
  return FListIndex;
}

int TvlRTFDoc::AddBulletList(const TFont& Font, WideChar Bullet, TAlignment Alignment, uint8_t Follow,
                             int StartAt) {
  auto list = std::make_unique<TvlRTFList>();
  list->IsBullet = true;
  list->NumberFormat = 23;
  list->Bullet = Bullet;
  list->BulletFont = FHeader->FontIndex(Font.Name, Font.Charset);
  list->Alignment = Alignment;
  list->Follow = Follow;
  list->StartAt = StartAt;
  FListIndex = FHeader->AddList(std::move(list));
  FListActive = true;
  return FListIndex;
}

void TvlRTFDoc::SelectList(int ListIndex) {
  FListIndex = ListIndex;
  FListActive = true;
}

void TvlRTFDoc::EndList() { FListActive = false; }

// ---- page header and footer ----

void TvlRTFDoc::BeginHeader() { FTarget = &FCurrentSection->Header(); }
void TvlRTFDoc::EndHeader() { FTarget = &FCurrentSection->Body; }
void TvlRTFDoc::BeginFooter() { FTarget = &FCurrentSection->Footer(); }
void TvlRTFDoc::EndFooter() { FTarget = &FCurrentSection->Body; }

// ---- saved drawing states ----

int TvlRTFDoc::SaveEngineState() {
  if (!FDocumentOpen) return -1;
  auto state = std::make_unique<TvlEngineState>();
  state->Font.Assign(*FFont);
  state->Brush.Assign(*FBrush);
  state->Pen.Assign(*FPen);
  state->TextFormatting.Assign(FTextFormatting);
  state->TextEffects.Assign(*FTextEffects);
  state->PageSettings.Assign(FCurrentPageSettings);
  FEngineStates.push_back(std::move(state));
  return static_cast<int>(FEngineStates.size()) - 1;
}

void TvlRTFDoc::RestoreEngineState(int Index) {
  if (!FDocumentOpen) return;
  const int count = static_cast<int>(FEngineStates.size());
  if (Index == -1) Index = count - 1;
  if (Index < 0 || Index >= count) throw EInvalidEngineState();
  const TvlEngineState& state = *FEngineStates[static_cast<size_t>(Index)];
  FFont->Assign(state.Font);
  FPen->Assign(state.Pen);
  FBrush->Assign(state.Brush);
  FTextFormatting.Assign(state.TextFormatting);
  FCurrentPageSettings.Assign(state.PageSettings);
  FTextEffects->Assign(state.TextEffects);
}

void TvlRTFDoc::ClearEngineStates() {
  if (FDocumentOpen) FEngineStates.clear();
}
