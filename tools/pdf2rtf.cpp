// pdf2rtf: converts PDF files to RTF from the command line.
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "entry/vlPDFConverter.h"
#include "writer/vlConvUtils.h"

namespace {

constexpr const char* kUsage =
    "Usage: pdf2rtf [options] INPUT.pdf [OUTPUT.rtf]\n"
    "       pdf2rtf [options] -o DIR INPUT.pdf...\n"
    "Converts PDF files to editable RTF documents.\n"
    "\n"
    "The output defaults to the input name with .rtf; with -o, every input is\n"
    "written into DIR under its own name.\n"
    "\n"
    "Options:\n"
    "  -p, --pages RANGE    pages to convert, e.g. 1,3-5 (default: all)\n"
    "      --password PW    password of an encrypted PDF (asked for on a\n"
    "                       terminal when needed and not given)\n"
    "      --tabs           keep each page as one flow, side-by-side text\n"
    "                       separated by tabs\n"
    "  -o, --output-dir DIR write the outputs into DIR\n"
    "  -q, --quiet          no progress or notes, only errors\n"
    "  -h, --help           show this help\n"
    "      --version        show the version\n"
    "\n"
    "Exit status: 0 success, 1 a conversion failed (an unreadable page range too), 2 usage error.\n";

struct Options {
  AnsiString pages;
  AnsiString password;
  bool havePassword = false;
  bool tabs = false;
  AnsiString outDir;
  bool quiet = false;
  std::vector<AnsiString> positional;
};

[[noreturn]] void UsageError(const std::string& message) {
  std::fprintf(stderr, "pdf2rtf: %s\nTry 'pdf2rtf --help' for more information.\n", message.c_str());
  std::exit(2);
}

bool EndsWithIgnoreCase(const AnsiString& s, const char* suffix) {
  size_t n = std::strlen(suffix);
  return s.size() >= n && strcasecmp(s.c_str() + s.size() - n, suffix) == 0;
}

AnsiString BaseName(const AnsiString& path) {
  size_t slash = path.find_last_of('/');
  return slash == AnsiString::npos ? path : path.substr(slash + 1);
}

AnsiString DirName(const AnsiString& path) {
  size_t slash = path.find_last_of('/');
  if (slash == AnsiString::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// INPUT.pdf -> INPUT.rtf (the extension replaced when it is .pdf).
AnsiString DefaultOutput(const AnsiString& input) {
  AnsiString stem = EndsWithIgnoreCase(input, ".pdf") ? input.substr(0, input.size() - 4) : input;
  return stem + ".rtf";
}

Options Parse(int argc, char** argv) {
  Options o;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const std::string& name) -> std::string {
      if (i + 1 >= argc) UsageError("option '" + name + "' needs a value");
      return argv[++i];
    };
    if (!options || a.size() < 2 || a[0] != '-') {
      o.positional.push_back(a);
    } else if (a == "--") {
      options = false;
    } else if (a == "-h" || a == "--help") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (a == "--version") {
      std::printf("pdf2rtf (velmora) %s\n", VL_VERSION);
      std::exit(0);
    } else if (a == "-p" || a == "--pages") {
      o.pages = value(a);
    } else if (a.rfind("--pages=", 0) == 0) {
      o.pages = a.substr(8);
    } else if (a.rfind("-p", 0) == 0 && a.size() > 2 && a[1] == 'p') {
      o.pages = a.substr(2);
    } else if (a == "--password") {
      o.password = value(a);
      o.havePassword = true;
    } else if (a.rfind("--password=", 0) == 0) {
      o.password = a.substr(11);
      o.havePassword = true;
    } else if (a == "--tabs") {
      o.tabs = true;
    } else if (a == "-o" || a == "--output-dir") {
      o.outDir = value(a);
    } else if (a.rfind("--output-dir=", 0) == 0) {
      o.outDir = a.substr(13);
    } else if (a == "-q" || a == "--quiet") {
      o.quiet = true;
    } else {
      UsageError("unknown option '" + a + "'");
    }
  }
  if (o.positional.empty()) UsageError("no input file");
  if (!o.pages.empty()) {
    // A range that cannot be read fails every file alike; say so up front.
    try {
      for (const AnsiString& item : SplitCommaText(o.pages)) {
        if (item.find_first_not_of("0123456789-") != AnsiString::npos) continue;
        size_t dash = item.find('-');
        if (dash == AnsiString::npos) {
          StrToInt(item);
        } else {
          StrToInt(item.substr(0, dash));
          StrToInt(item.substr(dash + 1));
        }
      }
    } catch (const Exception& e) {
      // Like any other failed conversion: status 1, with the system's message.
      std::fprintf(stderr, "pdf2rtf: bad page range '%s': %s\n", o.pages.c_str(), e.Message().c_str());
      std::exit(1);
    }
  }
  return o;
}

// Reads a password from the terminal without echo; false when there is none.
bool PromptPassword(const AnsiString& input, AnsiString& password) {
  if (!isatty(STDIN_FILENO)) return false;
  int fd = open("/dev/tty", O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  std::string prompt = "Password for " + input + ": ";
  (void)!write(fd, prompt.data(), prompt.size());
  termios old{};
  bool restore = tcgetattr(fd, &old) == 0;
  if (restore) {
    termios quiet = old;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(fd, TCSAFLUSH, &quiet);
  }
  std::string line;
  char c;
  while (read(fd, &c, 1) == 1 && c != '\n' && c != '\r') line.push_back(c);
  if (restore) tcsetattr(fd, TCSAFLUSH, &old);
  (void)!write(fd, "\n", 1);
  close(fd);
  password = line;
  return true;
}

class ProgressBar {
public:
  explicit ProgressBar(bool enabled) : FEnabled(enabled) {}
  ~ProgressBar() { Clear(); }
  void Update(const TvlProgressEventArgs& a) {
    // Short documents finish before a bar would be worth seeing.
    if (!FEnabled || a.SelectedPageCount <= 3) return;
    int total = a.SelectedPageCount;
    // Two steps per page: reading, then laid out.
    int done = 2 * (a.PageIndex - 1) + (a.Formatted ? 2 : 1);
    int width = 30;
    int filled = static_cast<int>(static_cast<long>(width) * done / (2 * total));
    if (filled > width) filled = width;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(width - filled), '.');
    std::fprintf(stderr, "\r[%s] page %d/%d", bar.c_str(), a.PageIndex, total);
    std::fflush(stderr);
    FShown = true;
  }
  void Clear() {
    if (FShown) std::fputs("\r\033[K", stderr);
    FShown = false;
  }

private:
  bool FEnabled;
  bool FShown = false;
};

// A fresh name next to the target, so a failed run leaves the target as it was.
AnsiString TempNameFor(const AnsiString& target) {
  AnsiString tmpl = DirName(target) + "/." + BaseName(target) + ".XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  int fd = mkstemp(buf.data());
  if (fd < 0) return {};
  close(fd);
  // The writer creates the file itself; only the unique name is kept.
  unlink(buf.data());
  return AnsiString(buf.data());
}

bool SamePath(const AnsiString& a, const AnsiString& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Converts one file; false (after a message) when it failed.
bool ConvertOne(const Options& o, const AnsiString& input, AnsiString output) {
  output = CompleteOutputFileName(output);
  if (SamePath(input, output)) {
    std::fprintf(stderr, "pdf2rtf: %s: the output would overwrite the input\n", input.c_str());
    return false;
  }
  AnsiString temp = TempNameFor(output);
  if (temp.empty()) {
    std::fprintf(stderr, "pdf2rtf: %s: cannot write into %s: %s\n", input.c_str(), DirName(output).c_str(),
                 std::strerror(errno));
    return false;
  }
  ProgressBar progress(!o.quiet && isatty(STDERR_FILENO));
  std::string error;
  int processed = 0;
  try {
    TvlPDFConverter converter(nullptr);
    converter.SetInputFileName(input);
    converter.SetOutputFileName(temp);
    converter.OutputSettings().PageRange = o.pages;
    converter.OutputSettings().Preferences().FormattingMode = o.tabs ? fmFormattedWithTabs : fmFormatted;
    if (o.havePassword) {
      AnsiString pw = o.password;
      converter.SetOnNeedPassword([pw](TObject*, AnsiString& password) { password = pw; });
    } else if (isatty(STDIN_FILENO)) {
      converter.SetOnNeedPassword([input, &progress](TObject*, AnsiString& password) {
        progress.Clear();
        PromptPassword(input, password);
      });
    }
    converter.SetOnProgress([&progress](TObject*, TvlProgressEventArgs& a) { progress.Update(a); });
    converter.SetOnEndJob([&processed](TObject*, TvlEndJobEventArgs& a) { processed = a.ProcessedPageCount; });
    converter.Convert();
  } catch (const Exception& e) {
    error = e.Message();
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "unknown error";
  }
  progress.Clear();
  struct stat st;
  bool written = ::stat(temp.c_str(), &st) == 0;
  if (error.empty() && written && std::rename(temp.c_str(), output.c_str()) != 0) {
    error = "cannot rename the finished file to " + output + ": " + std::strerror(errno);
  }
  if (!error.empty()) {
    if (written) unlink(temp.c_str());
    std::fprintf(stderr, "pdf2rtf: %s: %s\n", input.c_str(), error.c_str());
    return false;
  }
  if (!written) {
    if (!o.quiet) std::fprintf(stderr, "pdf2rtf: %s: no page in range '%s', nothing written\n", input.c_str(), o.pages.c_str());
    return true;
  }
  if (!o.quiet) std::fprintf(stderr, "pdf2rtf: %s -> %s (%d page%s)\n", input.c_str(), output.c_str(), processed,
                             processed == 1 ? "" : "s");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options o = Parse(argc, argv);
  std::vector<std::pair<AnsiString, AnsiString>> jobs;
  if (!o.outDir.empty()) {
    struct stat st;
    if (::stat(o.outDir.c_str(), &st) != 0 && mkdir(o.outDir.c_str(), 0777) != 0) {
      std::fprintf(stderr, "pdf2rtf: cannot create %s: %s\n", o.outDir.c_str(), std::strerror(errno));
      return 1;
    }
    for (const AnsiString& in : o.positional) jobs.emplace_back(in, o.outDir + "/" + BaseName(DefaultOutput(in)));
  } else if (o.positional.size() == 2 && !EndsWithIgnoreCase(o.positional[1], ".pdf")) {
    jobs.emplace_back(o.positional[0], o.positional[1]);
  } else {
    // Several inputs (a second .pdf is never taken as an output name).
    for (const AnsiString& in : o.positional) jobs.emplace_back(in, DefaultOutput(in));
  }
  bool ok = true;
  for (const auto& [in, out] : jobs) ok = ConvertOne(o, in, out) && ok;
  return ok ? 0 : 1;
}
