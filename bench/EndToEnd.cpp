// Converts the shared corpus end to end and, in the same run, times
// `pdftotext -layout` on the same files, so the two speeds are comparable on
// this machine. Also reports the peak memory of converting one file in a
// fresh process.
//
//   bench_EndToEnd [CORPUS_DIR] [--repeat N]
//   bench_EndToEnd --convert-one IN.pdf OUT.rtf      (used for the memory figure)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "entry/vlExport.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Doc {
  std::string Name, Pdf;
  int Pages = 0;
  uintmax_t Bytes = 0;
};

int ConvertOne(const std::string& pdf, const std::string& rtf) {
  const char* in = pdf.c_str();
  const char* out = rtf.c_str();
  const char* range = "";
  return VelmoraPDFtoRTF(&in, &out, &range);
}

// fork/exec argv with output discarded; returns the exit status and fills
// the child's resource usage.
int Spawn(const std::vector<std::string>& argv, rusage* usage) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::fflush(nullptr);  // the child must not write out our buffered output again
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage ru{};
  wait4(pid, &status, 0, &ru);
  if (usage) *usage = ru;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::vector<Doc> Corpus(const std::string& dir) {
  std::vector<Doc> docs;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    if (e.path().extension() != ".pdf") continue;
    Doc d;
    d.Name = e.path().stem().string();
    d.Pdf = e.path().string();
    d.Bytes = fs::file_size(e.path());
    std::ifstream j(dir + "/" + d.Name + ".json");
    std::stringstream s;
    s << j.rdbuf();
    const std::string json = s.str();
    // Files that need a password cannot go through the export; leave them out.
    if (std::regex_search(json, std::regex("\"password\"\\s*:\\s*\""))) continue;
    std::smatch m;
    if (std::regex_search(json, m, std::regex("\"pages\"\\s*:\\s*([0-9]+)")))
      d.Pages = std::stoi(m[1]);
    docs.push_back(d);
  }
  std::sort(docs.begin(), docs.end(), [](const Doc& a, const Doc& b) { return a.Name < b.Name; });
  return docs;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--convert-one") {
    const int rc = ConvertOne(argv[2], argv[3]) == -1 ? 0 : 1;
    // The high-water mark of this process image alone (ru_maxrss would
    // include the forking parent's pages).
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("VmHWM:", 0) == 0) std::fprintf(stderr, "%s\n", line.c_str());
    return rc;
  }

  std::string dir = VL_SOURCE_DIR "/../shared/corpus";
  int repeat = 3;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--repeat" && i + 1 < argc)
      repeat = std::max(1, std::atoi(argv[++i]));
    else
      dir = a;
  }
  if (!fs::is_directory(dir)) {
    std::printf("corpus not found at %s; nothing to measure\n", dir.c_str());
    return 0;
  }
  const std::vector<Doc> docs = Corpus(dir);
  const std::string tmp = (fs::temp_directory_path() / ("bench-e2e-" + std::to_string(getpid())))
                              .string();
  fs::create_directories(tmp);

  // Peak memory of single conversions in fresh processes: the largest file
  // and the longest document.
  std::vector<const Doc*> heavy;
  if (!docs.empty()) {
    heavy.push_back(&*std::max_element(docs.begin(), docs.end(), [](const Doc& a, const Doc& b) {
      return a.Bytes < b.Bytes;
    }));
    const Doc* longest = &*std::max_element(
        docs.begin(), docs.end(), [](const Doc& a, const Doc& b) { return a.Pages < b.Pages; });
    if (longest != heavy[0]) heavy.push_back(longest);
  }
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  for (const Doc* d : heavy) {
    rusage ours{}, peer{};
    const std::string err = tmp + "/peak.err";
    const int rc = Spawn({"/bin/sh", "-c",
                          "exec \"$0\" --convert-one \"$1\" \"$2\" 2>\"$3\"", self,
                          d->Pdf, tmp + "/peak.rtf", err},
                         &ours);
    std::ifstream e(err);
    std::string hwm;
    std::getline(e, hwm);
    Spawn({"pdftotext", "-layout", d->Pdf, tmp + "/peak.txt"}, &peer);
    // Measured before any conversion in this process, so the forked copy
    // of it that ru_maxrss also counts is small.
    std::printf("peak memory %s (%ju bytes, %d pages): ours %s%s (ru_maxrss %ld KiB), pdftotext "
                "ru_maxrss %ld KiB\n",
                d->Name.c_str(), d->Bytes, d->Pages, hwm.c_str(), rc == 0 ? "" : " (failed)",
                ours.ru_maxrss, peer.ru_maxrss);
  }
  std::printf("%-36s %6s %10s %10s %7s\n", "file", "pages", "ours ms", "pdftotext", "ratio");
  double oursTotal = 0, peerTotal = 0;
  int pages = 0, failed = 0;
  for (const Doc& d : docs) {
    const std::string rtf = tmp + "/" + d.Name + ".rtf";
    // Best of `repeat` runs for both, so a busy machine disturbs less.
    double ours = 1e30, peer = 1e30;
    bool ok = true;
    for (int r = 0; r < repeat; ++r) {
      auto t0 = Clock::now();
      ok = ConvertOne(d.Pdf, rtf) == -1 && ok;
      ours = std::min(ours, Seconds(Clock::now() - t0));
      t0 = Clock::now();
      Spawn({"pdftotext", "-layout", d.Pdf, tmp + "/" + d.Name + ".txt"}, nullptr);
      peer = std::min(peer, Seconds(Clock::now() - t0));
    }
    failed += !ok;
    oursTotal += ours;
    peerTotal += peer;
    pages += d.Pages;
    std::printf("%-36s %6d %10.2f %10.2f %7.2f%s\n", d.Name.c_str(), d.Pages, ours * 1e3,
                peer * 1e3, ours / peer, ok ? "" : "  FAILED");
  }
  std::printf("\ntotal: %d files, %d pages, %d failed\n", static_cast<int>(docs.size()), pages,
              failed);
  std::printf("ours      %8.1f pages/s (%.3f s)\n", pages / oursTotal, oursTotal);
  std::printf("pdftotext %8.1f pages/s (%.3f s, process start included)\n", pages / peerTotal,
              peerTotal);
  std::printf("time ratio ours/pdftotext %.2f\n", oursTotal / peerTotal);

  std::error_code ec;
  fs::remove_all(tmp, ec);
  return 0;
}
