#pragma once
// The radio's side of the programming protocol, byte by byte and free of any I/O: it is
// fed what arrives from the PC and says what the radio sends back. SimRadio drives it
// over a pseudo-terminal; tests may drive it directly.
#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "sim/SessionRecord.h"
#include "sim/SimFaults.h"

namespace qorrin::sim {

using RadioImage = std::array<std::uint8_t, 4096>;

struct RadioReply {
  std::vector<std::uint8_t> bytes;
  int delayMs = 0;      // wait this long before sending
  bool unplug = false;  // the cable is pulled now
};

class RadioProtocol {
 public:
  RadioProtocol(RadioImage& image, SimFaults faults);

  // One byte from the PC.
  RadioReply OnByte(std::uint8_t byte);
  // The line has been quiet for a while: a frame left half received is dropped.
  void OnLineIdle();

  // The radio is taken off the line: a session it was in is over, unended, and its
  // record of sessions starts afresh.
  void Reset();
  // The sessions that ended with the end command, oldest first.
  const std::vector<SessionRecord>& EndedSessions() const { return m_ended; }

  bool InSession() const { return m_inSession; }
  bool MidFrame() const { return m_expect != Expect::Command; }
  int EntryCommandsSeen() const { return m_entryCommands; }

 private:
  enum class Expect { Command, EntryCommand, ReadRequest, DataFrame };

  RadioReply OnEntryCommand();
  RadioReply OnCommandByte(std::uint8_t byte);
  RadioReply OnReadRequest();
  RadioReply OnDataFrame();
  bool Faulty(const std::vector<BlockFault>& faults, int address) const;
  bool UnplugNow();

  RadioImage& m_image;
  SimFaults m_faults;
  bool m_inSession = false;
  Expect m_expect = Expect::Command;
  std::size_t m_entryMatched = 0;
  std::vector<std::uint8_t> m_frame;
  int m_entryCommands = 0;
  int m_blocksAnswered = 0;
  std::map<int, int> m_attempts;  // requests per block address in this session
  SessionRecord m_session;
  std::vector<SessionRecord> m_ended;
};

}  // namespace qorrin::sim
