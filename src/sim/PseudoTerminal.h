#pragma once
// A pseudo-terminal pair standing in for the radio's end of the cable. The PC side opens
// the slave device like any serial port; the radio reads and writes the master.
//
// The pair keeps a descriptor of its own slave open for its whole life: otherwise each
// time the client closes the port the master would see a hang-up, and the line settings
// would be forgotten between connections.
#include <string>

namespace qorrin::sim {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Creates the pair in raw mode. False with a reason in *error on failure.
  bool Open(std::string* error);
  // Closes both ends; clients see a hang-up and the slave device disappears.
  void Close();

  bool IsOpen() const { return m_master >= 0; }
  int MasterFd() const { return m_master; }
  const std::string& SlavePath() const { return m_slavePath; }

 private:
  int m_master = -1;
  int m_slaveKeeper = -1;
  std::string m_slavePath;
};

}  // namespace qorrin::sim
