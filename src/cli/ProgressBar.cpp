#include "cli/ProgressBar.h"

#include <unistd.h>

#include <algorithm>

#include "core/link/PortNames.h"

namespace qorrin::cli {
namespace {
constexpr int kBarWidth = 30;
}

ProgressBar::ProgressBar(std::string verb, std::FILE* out)
    : m_verb(std::move(verb)), m_out(out), m_enabled(isatty(fileno(out)) != 0) {}

void ProgressBar::ShowPercent(int percent) {
  percent = std::clamp(percent, 0, 100);
  const int filled = percent * kBarWidth / 100;
  char tail[8];
  std::snprintf(tail, sizeof tail, " %3d%%", percent);
  Draw(m_verb + "  [" + std::string(filled, '#') + std::string(kBarWidth - filled, '-') + "]" + tail);
}

void ProgressBar::ShowSearching(int portNumber) {
  Draw("Searching for the radio: " + link::PortLabel(portNumber));
}

void ProgressBar::Draw(const std::string& line) {
  if (!m_enabled || line == m_last) return;
  // Pad over the rest of a longer previous line.
  const std::size_t pad = m_last.size() > line.size() ? m_last.size() - line.size() : 0;
  std::fprintf(m_out, "\r%s%s", line.c_str(), std::string(pad, ' ').c_str());
  std::fflush(m_out);
  m_last = line;
  m_drawn = true;
}

void ProgressBar::Finish() {
  if (!m_drawn) return;
  std::fputc('\n', m_out);
  std::fflush(m_out);
  m_drawn = false;
  m_last.clear();
}

}  // namespace qorrin::cli
