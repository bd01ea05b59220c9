// Runs a command line as a user would and collects what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::filesystem::path &path, const std::string &text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A fresh directory per test binary run, removed by nobody: ctest's build
// tree is scratch space.
inline std::filesystem::path ScratchDir() {
  static const std::filesystem::path dir = [] {
    char pattern[] = "/tmp/vantrel-test-XXXXXX";
    return std::filesystem::path(mkdtemp(pattern));
  }();
  return dir;
}

inline CommandResult RunCommand(const std::string &command) {
  static int counter = 0;
  const std::filesystem::path out = ScratchDir() / ("out" + std::to_string(counter));
  const std::filesystem::path err = ScratchDir() / ("err" + std::to_string(counter++));
  const std::string full = command + " >" + out.string() + " 2>" + err.string() + " </dev/null";
  const int raw = std::system(full.c_str());
  CommandResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  r.out = ReadFile(out);
  r.err = ReadFile(err);
  return r;
}
