// Reading converted documents back the way a user's office suite sees them:
// LibreOffice turns RTF into plain text (or a laid-out PDF), and the corpus
// word scorer compares that text with the expected text of a document.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vltest {

struct ProgramResult {
  int Status = -1;  // exit status; -1 when it could not run, crashed or timed out
  bool Signalled = false;  // ended by a signal (a crash, or killed at the timeout)
  std::string Out, Err;
};

// Runs argv (argv[0] looked up on PATH) with empty standard input, collecting
// its output; kills its process group after timeoutSeconds.
ProgramResult RunProgram(const std::vector<std::string>& argv, int timeoutSeconds);

// True when `soffice` can be run.
bool HaveOffice();

// Converts every file with one headless LibreOffice run into outDir, using a
// fresh user profile so parallel runs do not share state. filter is the
// --convert-to argument, e.g. "txt:Text" or "pdf". Returns the path of each
// result, nullopt where LibreOffice produced nothing.
std::vector<std::optional<std::string>> OfficeConvert(const std::vector<std::string>& files,
                                                      const std::string& filter,
                                                      const std::string& outDir);

// RTF files as LibreOffice reads them, as UTF-8 text without byte-order mark.
std::vector<std::optional<std::string>> OfficeReadText(const std::vector<std::string>& rtfFiles,
                                                       const std::string& outDir);

struct WordScore {
  double Recall = 0;  // share of expected words present
  double Order = 0;   // longest common word subsequence / expected words
};

// Directory of the shared measuring scripts, empty when absent.
std::string SharedToolsDir();

// Scores (expected text file, actual text file) pairs with the shared word
// scorer in one python run; nullopt when the scorer cannot run.
std::optional<std::vector<WordScore>> ScoreWords(
    const std::vector<std::pair<std::string, std::string>>& expectedActual);

// Whole file as bytes; empty when unreadable.
std::string ReadWholeFile(const std::string& path);

// A fresh temporary directory, removed with everything in it on destruction.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

}  // namespace vltest
