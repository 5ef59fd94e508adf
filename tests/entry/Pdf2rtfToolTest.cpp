#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {
struct ToolRun {
  int status;
  std::string output;  // stdout and stderr
};

ToolRun Tool(const std::string& args) {
  std::string cmd = std::string(VL_TOOL_PATH) + " " + args + " 2>&1 </dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  ToolRun r{-1, {}};
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
  int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}
}  // namespace

TEST(Pdf2rtfTool, UsageAndExitStatus) {
  struct Case {
    const char* args;
    int status;
    const char* says;
  } cases[] = {
      {"--help", 0, "Usage: pdf2rtf [options] INPUT.pdf [OUTPUT.rtf]"},
      {"--version", 0, "pdf2rtf (velmora) "},
      {"", 2, "no input file"},
      {"--frobnicate in.pdf", 2, "unknown option '--frobnicate'"},
      {"-p", 2, "option '-p' needs a value"},
      {"-p 3- in.pdf", 1, "'' is not a valid integer value"},
      {"--password", 2, "needs a value"},
  };
  for (const Case& c : cases) {
    ToolRun r = Tool(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << c.args << "\n" << r.output;
  }
}

TEST(Pdf2rtfTool, FailedConversionLeavesNoFile) {
  fs::path dir = fs::temp_directory_path() / ("vl-tool-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::path missing = dir / "missing.pdf";
  fs::path out = dir / "out.rtf";
  ToolRun r = Tool(missing.string() + " " + out.string());
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find(missing.string() + ": "), std::string::npos) << r.output;

  // Not a PDF at all: fails, and neither the target nor a temporary remains.
  fs::path bogus = dir / "bogus.pdf";
  FILE* f = fopen(bogus.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fputs("this is not a PDF file\n", f);
  fclose(f);
  r = Tool("-q -o " + (dir / "outdir").string() + " " + bogus.string() + " " + missing.string());
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find(bogus.string() + ": "), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(missing.string() + ": "), std::string::npos) << r.output;
  size_t entries = 0;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (e.is_regular_file()) ++entries;
  }
  EXPECT_EQ(entries, 1u);  // only bogus.pdf
  EXPECT_FALSE(fs::exists(out));
  fs::remove_all(dir);
}
