#pragma once
// The transfer progress line of qorrin-cli on stderr, redrawn in place. Drawn only when
// stderr is a terminal, so logs and pipes get the one-line result and nothing else.
#include <cstdio>
#include <string>

namespace qorrin::cli {

class ProgressBar {
 public:
  explicit ProgressBar(std::string verb, std::FILE* out = stderr);
  ~ProgressBar() { Finish(); }

  void ShowPercent(int percent);       // "Reading  [#########---------]  45%"
  void ShowSearching(int portNumber);  // "Searching for the radio: COM5"
  // Ends the line so that the next message starts on a fresh one.
  void Finish();

 private:
  void Draw(const std::string& line);

  std::string m_verb;
  std::FILE* m_out;
  bool m_enabled;
  bool m_drawn = false;
  std::string m_last;
};

}  // namespace qorrin::cli
