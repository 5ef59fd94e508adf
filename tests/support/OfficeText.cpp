#include "support/OfficeText.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace vltest {

namespace {

void ReadSome(int& fd, std::string& into) {
  char buf[65536];
  const ssize_t n = read(fd, buf, sizeof buf);
  if (n > 0) {
    into.append(buf, static_cast<size_t>(n));
  } else {
    close(fd);
    fd = -1;
  }
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& argv, int timeoutSeconds) {
  ProgramResult result;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  int out[2], err[2];
  if (pipe(out) != 0) return result;
  if (pipe(err) != 0) {
    close(out[0]);
    close(out[1]);
    return result;
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    close(out[0]);
    close(err[0]);
    setpgid(0, 0);  // own group, so a timeout also ends the program's helpers
    execvp(args[0], args.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  if (pid < 0) {
    close(out[0]);
    close(err[0]);
    return result;
  }
  int fds[2] = {out[0], err[0]};
  bool timedOut = false;
  while (fds[0] >= 0 || fds[1] >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      timedOut = true;
      break;
    }
    pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
    if (poll(p, 2, static_cast<int>(left)) < 0) break;
    if (p[0].revents) ReadSome(fds[0], result.Out);
    if (p[1].revents) ReadSome(fds[1], result.Err);
  }
  for (int fd : fds)
    if (fd >= 0) close(fd);
  if (timedOut) kill(-pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  result.Signalled = WIFSIGNALED(status);
  result.Status = (!timedOut && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
  return result;
}

bool HaveOffice() {
  static const bool have = RunProgram({"soffice", "--version"}, 60).Status == 0;
  return have;
}

std::vector<std::optional<std::string>> OfficeConvert(const std::vector<std::string>& files,
                                                      const std::string& filter,
                                                      const std::string& outDir) {
  std::vector<std::optional<std::string>> result(files.size());
  if (files.empty()) return result;
  TempDir profile;
  std::vector<std::string> argv = {"soffice", "-env:UserInstallation=file://" + profile.Path(),
                                   "--headless", "--convert-to", filter, "--outdir", outDir};
  argv.insert(argv.end(), files.begin(), files.end());
  RunProgram(argv, 600 + 10 * static_cast<int>(files.size()));
  const std::string ext = filter.substr(0, filter.find(':'));
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string out = outDir + "/" + fs::path(files[i]).stem().string() + "." + ext;
    if (fs::exists(out)) result[i] = out;
  }
  return result;
}

std::vector<std::optional<std::string>> OfficeReadText(const std::vector<std::string>& rtfFiles,
                                                       const std::string& outDir) {
  std::vector<std::optional<std::string>> texts = OfficeConvert(rtfFiles, "txt:Text", outDir);
  for (std::optional<std::string>& t : texts) {
    if (!t) continue;
    std::string s = ReadWholeFile(*t);
    if (s.rfind("\xEF\xBB\xBF", 0) == 0) s.erase(0, 3);
    t = std::move(s);
  }
  return texts;
}

std::string SharedToolsDir() {
  const std::string dir = VL_SOURCE_DIR "/../shared/tools";
  return fs::exists(dir + "/wordscore.py") ? dir : std::string();
}

std::optional<std::vector<WordScore>> ScoreWords(
    const std::vector<std::pair<std::string, std::string>>& expectedActual) {
  const std::string tools = SharedToolsDir();
  if (tools.empty()) return std::nullopt;
  // One interpreter for all pairs: building the scorer's punctuation table
  // costs about as much as scoring a document.
  static const char* kScript =
      "import sys\n"
      "sys.path.insert(0, sys.argv[1])\n"
      "from wordscore import score, read\n"
      "a = sys.argv[2:]\n"
      "for i in range(0, len(a), 2):\n"
      "    r, o, _, _ = score(read(a[i]), read(a[i + 1]))\n"
      "    print(r, o)\n";
  std::vector<std::string> argv = {"python3", "-c", kScript, tools};
  for (const auto& [e, a] : expectedActual) {
    argv.push_back(e);
    argv.push_back(a);
  }
  const ProgramResult run = RunProgram(argv, 600);
  if (run.Status != 0) return std::nullopt;
  std::istringstream in(run.Out);
  std::vector<WordScore> scores;
  WordScore s;
  while (in >> s.Recall >> s.Order) scores.push_back(s);
  if (scores.size() != expectedActual.size()) return std::nullopt;
  return scores;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

TempDir::TempDir() {
  std::string tmpl = (fs::temp_directory_path() / "vltest-XXXXXX").string();
  if (mkdtemp(tmpl.data()) != nullptr) path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

}  // namespace vltest
