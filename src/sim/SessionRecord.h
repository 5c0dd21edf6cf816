#pragma once
// What happened in one programming session of the simulated radio, from the acknowledged
// entry command to the end command: enough to tell a transfer from a mere check that the
// radio is still there.
namespace qorrin::sim {

struct SessionRecord {
  bool identified = false;  // the identify request came
  int blocksRead = 0;
  int blocksWritten = 0;

  // Nothing but the entry and end commands: someone checked that the radio is there.
  bool Bare() const { return !identified && blocksRead == 0 && blocksWritten == 0; }
};

}  // namespace qorrin::sim
