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

std::string BarText(const std::string& verb, int percent) {
  percent = std::clamp(percent, 0, 100);
  const int filled = percent * kBarWidth / 100;
  char tail[8];
  std::snprintf(tail, sizeof tail, " %3d%%", percent);
  return verb + "  [" + std::string(filled, '#') + std::string(kBarWidth - filled, '-') + "]" + tail;
}

void ProgressBar::ShowPercent(int percent) { Draw(BarText(m_verb, percent)); }

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

namespace qorrin::cli {

ProgressLines::ProgressLines(std::vector<std::string> labels, std::FILE* out)
    : m_labels(std::move(labels)), m_texts(m_labels.size()), m_out(out), m_enabled(isatty(fileno(out)) != 0) {
  for (const auto& label : m_labels) m_labelWidth = std::max(m_labelWidth, label.size());
}

void ProgressLines::Set(std::size_t index, const std::string& text) {
  if (index >= m_texts.size() || m_texts[index] == text) return;
  m_texts[index] = text;
  m_changed = true;
}

void ProgressLines::Draw() {
  if (!m_enabled || !m_changed || m_labels.empty()) return;
  std::string frame;
  // Back to the first of our lines, then each one cleared and written again.
  if (m_drawn) frame += "\x1b[" + std::to_string(m_labels.size()) + "A";
  for (std::size_t i = 0; i < m_labels.size(); ++i) {
    frame += "\r\x1b[K" + m_labels[i] + std::string(m_labelWidth - m_labels[i].size() + 2, ' ') + m_texts[i] + "\n";
  }
  std::fputs(frame.c_str(), m_out);
  std::fflush(m_out);
  m_drawn = true;
  m_changed = false;
}

}  // namespace qorrin::cli
