#include "sim/RadioProtocol.h"

#include <algorithm>
#include <utility>

namespace qorrin::sim {
namespace {

// The radio's view of the frames, written down independently of the PC side so that a
// mistake in one is caught by the other.
constexpr std::uint8_t kEntry[] = {0x05, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};  // ENQ "PROGRAM"
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kIdentify = 0x02;
constexpr std::uint8_t kRead = 0x52;
constexpr std::uint8_t kWrite = 0x57;
constexpr std::uint8_t kEnd = 0x62;
constexpr std::size_t kBlock = 16;
constexpr std::size_t kReadRequestRest = 3;          // address high, low, length
constexpr std::size_t kDataFrameRest = 3 + kBlock;  // address high, low, length, data

}  // namespace

RadioProtocol::RadioProtocol(RadioImage& image, SimFaults faults)
    : m_image(image), m_faults(std::move(faults)) {}

void RadioProtocol::Reset() {
  OnLineIdle();
  m_inSession = false;
  m_session = {};
  m_ended.clear();
}

void RadioProtocol::OnLineIdle() {
  m_expect = Expect::Command;
  m_entryMatched = 0;
  m_frame.clear();
}

RadioReply RadioProtocol::OnByte(std::uint8_t byte) {
  switch (m_expect) {
    case Expect::EntryCommand:
      if (byte == kEntry[m_entryMatched]) {
        if (++m_entryMatched == sizeof kEntry) {
          m_expect = Expect::Command;
          return OnEntryCommand();
        }
        return {};
      }
      m_expect = Expect::Command;
      return OnCommandByte(byte);
    case Expect::ReadRequest:
      m_frame.push_back(byte);
      if (m_frame.size() < kReadRequestRest) return {};
      m_expect = Expect::Command;
      return OnReadRequest();
    case Expect::DataFrame:
      m_frame.push_back(byte);
      if (m_frame.size() < kDataFrameRest) return {};
      m_expect = Expect::Command;
      return OnDataFrame();
    case Expect::Command:
      break;
  }
  return OnCommandByte(byte);
}

// Outside a session only the entry command means anything; inside one, the commands.
RadioReply RadioProtocol::OnCommandByte(std::uint8_t byte) {
  if (byte == kEntry[0]) {
    m_expect = Expect::EntryCommand;
    m_entryMatched = 1;
    return {};
  }
  if (!m_inSession || m_faults.silent) return {};
  switch (byte) {
    case kIdentify:
      m_session.identified = true;
      return {m_faults.ident};
    case kAck: return {{kAck}};
    case kRead:
    case kWrite:
      m_frame.clear();
      m_expect = byte == kRead ? Expect::ReadRequest : Expect::DataFrame;
      return {};
    case kEnd:
      m_inSession = false;
      m_ended.push_back(m_session);
      return m_faults.staleAck ? RadioReply{{kAck}} : RadioReply{};
    default: return {};
  }
}

RadioReply RadioProtocol::OnEntryCommand() {
  ++m_entryCommands;
  if (m_faults.silent || m_entryCommands <= m_faults.ignoreEntries) return {};
  m_inSession = true;
  m_attempts.clear();
  m_session = {};
  return {{kAck}, m_faults.ackDelayMs};
}

bool RadioProtocol::Faulty(const std::vector<BlockFault>& faults, int address) const {
  const auto counted = m_attempts.find(address);
  const int attempt = counted == m_attempts.end() ? 0 : counted->second;
  for (const auto& fault : faults) {
    if (fault.address == address && attempt >= fault.firstAttempt && attempt <= fault.lastAttempt) return true;
  }
  return false;
}

bool RadioProtocol::UnplugNow() {
  return m_faults.unplugAfterBlocks >= 0 && m_blocksAnswered >= m_faults.unplugAfterBlocks;
}

RadioReply RadioProtocol::OnReadRequest() {
  const int address = (m_frame[0] << 8) | m_frame[1];
  if (m_frame[2] != kBlock || address + kBlock > m_image.size()) return {};
  if (UnplugNow()) return {{}, 0, true};
  ++m_blocksAnswered;
  ++m_attempts[address];
  ++m_session.blocksRead;
  int named = address;
  if (Faulty(m_faults.misaddressed, address)) named = address + static_cast<int>(kBlock);
  RadioReply reply;
  reply.bytes = {kWrite, static_cast<std::uint8_t>(named >> 8), static_cast<std::uint8_t>(named & 0xFF),
                 static_cast<std::uint8_t>(kBlock)};
  reply.bytes.insert(reply.bytes.end(), m_image.begin() + address, m_image.begin() + address + kBlock);
  if (Faulty(m_faults.shortReplies, address)) {
    reply.bytes.resize(std::min(reply.bytes.size(), static_cast<std::size_t>(std::max(0, m_faults.shortLength))));
  }
  return reply;
}

RadioReply RadioProtocol::OnDataFrame() {
  const int address = (m_frame[0] << 8) | m_frame[1];
  if (m_frame[2] != kBlock || address + kBlock > m_image.size()) return {};
  if (UnplugNow()) return {{}, 0, true};
  ++m_blocksAnswered;
  ++m_attempts[address];
  ++m_session.blocksWritten;
  std::copy(m_frame.begin() + 3, m_frame.end(), m_image.begin() + address);
  if (Faulty(m_faults.corruptedWrites, address)) m_image[static_cast<std::size_t>(address)] ^= 0x01;
  if (Faulty(m_faults.droppedWriteAcks, address)) return {};
  return {{kAck}};
}

}  // namespace qorrin::sim
