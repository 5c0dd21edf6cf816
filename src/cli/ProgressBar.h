#pragma once
// The transfer progress line of qorrin-cli on stderr, redrawn in place. Drawn only when
// stderr is a terminal, so logs and pipes get the one-line result and nothing else.
#include <cstdio>
#include <string>
#include <vector>

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

// "Writing  [#########---------]  45%"
std::string BarText(const std::string& verb, int percent);

// Several radios at once: one line per radio ("LABEL  TEXT"), all redrawn in place on
// a terminal; nothing at all elsewhere.
class ProgressLines {
 public:
  explicit ProgressLines(std::vector<std::string> labels, std::FILE* out = stderr);
  ~ProgressLines() = default;
  void Set(std::size_t index, const std::string& text);
  // Draws the lines when any changed since the last call.
  void Draw();
  bool Enabled() const { return m_enabled; }

 private:
  std::vector<std::string> m_labels;
  std::vector<std::string> m_texts;
  std::FILE* m_out;
  bool m_enabled;
  bool m_drawn = false;
  bool m_changed = true;
  std::size_t m_labelWidth = 0;
};

}  // namespace qorrin::cli
