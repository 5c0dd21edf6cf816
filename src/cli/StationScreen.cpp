#include "cli/StationScreen.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>

#include "cli/RunWaiter.h"
#include "core/platform/SystemCalls.h"

namespace qorrin::cli {
namespace {

constexpr auto kBetweenRings = std::chrono::milliseconds(250);

std::string WithPercent(const char* verb, int percent) {
  return percent < 0 ? std::string(verb) : std::string(verb) + " " + std::to_string(percent) + "%";
}

std::string ResultText(RadioResult result, const std::string& detail) {
  std::string text = RadioResultText(result);
  if (!detail.empty()) text += " (" + detail + ")";
  return text;
}

}  // namespace

std::string PortStatusText(const StationPortView& port) {
  switch (port.activity) {
    case PortActivity::NoDevice: return "no device: plug the cable in";
    case PortActivity::CannotOpen: return "cannot open: " + port.problem;
    case PortActivity::Waiting: return "waiting for a radio";
    case PortActivity::Reading: return WithPercent("reading", port.percent);
    case PortActivity::Writing: return WithPercent("writing", port.percent);
    case PortActivity::Verifying: return WithPercent("verifying", port.percent);
    case PortActivity::RadioDone:
      if (!port.result) break;
      if (HoldsPlan(*port.result)) return "done: " + ResultText(*port.result, port.detail);
      return "FAILED: " + ResultText(*port.result, port.detail);
  }
  return {};
}

std::string RadioLine(const StationRadio& radio) {
  const std::tm local = platform::LocalTime(std::chrono::system_clock::to_time_t(radio.when));
  char time[16];
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f s", radio.seconds);
  std::string line = std::string(time) + "  " + radio.port;
  if (!radio.cable.empty()) line += " (cable " + radio.cable + ")";
  return line + "  " + (HoldsPlan(radio.result) ? "" : "FAILED: ") + ResultText(radio.result, radio.detail) + "  " +
         seconds;
}

std::string TallyText(const StationTally& tally) {
  return std::to_string(tally.programmed) + " programmed, " + std::to_string(tally.alreadyProgrammed) +
         " already programmed, " + std::to_string(tally.failed) + " failed";
}

Bell::Bell(std::FILE* out) : m_out(out), m_thread(&Bell::Run, this) {}

Bell::~Bell() {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_all();
  m_thread.join();
}

void Bell::Ring(int times) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_pending += times;
  }
  m_wake.notify_all();
}

void Bell::Run() {
  std::unique_lock<std::mutex> lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return m_stop || m_pending > 0; });
    if (m_stop) return;
    --m_pending;
    std::fputc('\a', m_out);
    std::fflush(m_out);
    // A pause after each ring, so that three rings sound as three.
    m_wake.wait_for(lock, kBetweenRings, [this] { return m_stop; });
  }
}

StationScreen::StationScreen(std::string logPath, RunWaiter& waiter, std::FILE* out)
    : m_logPath(std::move(logPath)),
      m_waiter(waiter),
      m_out(out),
      m_terminal(isatty(fileno(out)) != 0),
      m_bell(out) {}

void StationScreen::EraseLocked() {
  if (m_drawnLines == 0) return;
  std::fprintf(m_out, "\x1b[%zuA\r\x1b[J", m_drawnLines);
  m_drawnLines = 0;
}

void StationScreen::DrawLocked() {
  if (!m_terminal) return;
  std::size_t width = 0;
  for (const StationPortView& port : m_ports) width = std::max(width, port.name.size());
  std::string frame;
  if (m_drawnLines > 0) frame += "\x1b[" + std::to_string(m_drawnLines) + "A";
  for (const StationPortView& port : m_ports) {
    frame += "\r\x1b[K" + port.name + std::string(width - port.name.size() + 2, ' ') + PortStatusText(port) + "\n";
  }
  frame += "\r\x1b[K" + TallyText(m_tally) + "; log: " + m_logPath + "\n";
  std::fputs(frame.c_str(), m_out);
  std::fflush(m_out);
  m_drawnLines = m_ports.size() + 1;
}

void StationScreen::Say(const std::string& line) {
  const std::lock_guard<std::mutex> lock(m_mutex);
  EraseLocked();
  std::fprintf(m_out, "qorrin-cli: %s\n", line.c_str());
  DrawLocked();
}

void StationScreen::OnPortChanged(const StationPortView& port) {
  const std::lock_guard<std::mutex> lock(m_mutex);
  const std::size_t row = static_cast<std::size_t>(port.row);
  if (row >= m_ports.size()) m_ports.resize(row + 1);
  m_ports[row] = port;
  DrawLocked();
}

void StationScreen::OnRadioFinished(const StationRadio& radio, const StationTally& tally) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_tally = tally;
    EraseLocked();
    std::fprintf(m_out, "%s\n", RadioLine(radio).c_str());
    if (!radio.logError.empty()) std::fprintf(m_out, "qorrin-cli: warning: the log line was not written: %s\n", radio.logError.c_str());
    DrawLocked();
  }
  if (m_terminal) m_bell.Ring(HoldsPlan(radio.result) ? 1 : 3);
}

void StationScreen::OnStationEnded(const StationTally& tally) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_tally = tally;
    DrawLocked();
  }
  m_waiter.RunEnded();
}

}  // namespace qorrin::cli
