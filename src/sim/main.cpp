// qorrin-sim: the simulated VLM-7Q radio on a pseudo-terminal. Prints the device path on
// the first line of stdout, then answers the programming protocol until SIGINT/SIGTERM,
// saving its image to the --image file then (and on SIGUSR1).
#include <CLI/CLI.hpp>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ctime>
#include <string>
#include <vector>

#include "sim/DemoImage.h"
#include "sim/ImageFile.h"
#include "sim/SimRadio.h"

namespace {

using qorrin::sim::BlockFault;

// "0x7E0" (every attempt), "0x7E0:2" (the first two attempts), "0x7E0@3" (the third only).
bool ParseBlockFault(const std::string& text, BlockFault* fault) {
  char* end = nullptr;
  const long address = std::strtol(text.c_str(), &end, 0);
  if (end == text.c_str() || address < 0 || address > 0xFFF) return false;
  fault->address = static_cast<int>(address);
  if (*end == ':' || *end == '@') {
    const char kind = *end;
    const char* number = end + 1;
    const long attempt = std::strtol(number, &end, 10);
    if (end == number || attempt < 1) return false;
    fault->firstAttempt = kind == ':' ? 1 : static_cast<int>(attempt);
    fault->lastAttempt = static_cast<int>(attempt);
  }
  return *end == '\0';
}

bool ParseBlockFaults(const std::vector<std::string>& texts, std::vector<BlockFault>* faults) {
  for (const auto& text : texts) {
    BlockFault fault;
    if (!ParseBlockFault(text, &fault)) {
      std::fprintf(stderr, "qorrin-sim: bad block '%s' (want ADDRESS, ADDRESS:TIMES or ADDRESS@ATTEMPT)\n",
                   text.c_str());
      return false;
    }
    faults->push_back(fault);
  }
  return true;
}

bool Save(const qorrin::sim::ImageFile& file, const qorrin::sim::SimRadio& radio) {
  std::string error;
  if (qorrin::sim::SaveImageFile(file, radio.Image(), &error)) {
    std::fprintf(stderr, "qorrin-sim: image saved to %s\n", file.path.c_str());
    return true;
  }
  std::fprintf(stderr, "qorrin-sim: %s\n", error.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Simulated VLM-7Q radio on a pseudo-terminal"};
  qorrin::sim::SimConfig config;
  qorrin::sim::ImageFile imageFile;
  bool readOnly = false;
  int portCount = 1;
  int answerOn = 1;
  std::string ident;
  std::vector<std::string> shortBlocks, misaddressedBlocks, droppedAcks, corruptedWrites;
  app.add_option("--image", imageFile.path, "radio memory: a .7Q project file or a 4096-byte image; saved back on exit");
  app.add_flag("--read-only", readOnly, "never save the image");
  bool demo = false;
  app.add_flag("--demo", demo, "program a handful of demonstration channels into the image first");
  app.add_option("--link", config.linkPath, "also make the device reachable through this symbolic link");
  app.add_option("--pace", config.paceBaud, "send and receive at this baud rate (9600 as the real cable); 0: at once");
  app.add_option("--log", config.logPath, "write a timestamped log of every byte, both directions");
  app.add_option("--ports", portCount, "pseudo-terminals to open (one device path per line)")->check(CLI::Range(1, 64));
  app.add_option("--answer-on", answerOn, "the one of them on which the radio answers; the others stay silent");
  app.add_flag("--silent", config.faults.silent, "answer nothing");
  app.add_flag("--echo", config.faults.echo, "a cable that sends every byte straight back (the radio answers behind it)");
  app.add_flag("--wrong-speed", config.faults.wrongSpeed, "a radio at another line speed: garbled bytes, no answer");
  bool otherModel = false;
  app.add_flag("--other-model", otherModel, "a radio of another model: it acknowledges, but its identification lacks the two 'N'");
  app.add_option("--ignore-entries", config.faults.ignoreEntries, "ignore this many entry commands before acknowledging");
  app.add_option("--ack-delay", config.faults.ackDelayMs, "acknowledge the entry command this many ms late");
  app.add_flag("--stale-ack", config.faults.staleAck, "send a 0x06 nobody asked for at start and after each end command");
  app.add_option("--ident", ident, "identification reply text (a real radio's holds two 'N')");
  app.add_option("--short-block", shortBlocks, "cut the read reply for block ADDRESS[:TIMES|@ATTEMPT] short");
  app.add_option("--short-length", config.faults.shortLength, "bytes left in a cut read reply (default 19)");
  app.add_option("--misaddress-block", misaddressedBlocks, "answer a read of ADDRESS[:TIMES|@ATTEMPT] with the wrong address");
  app.add_option("--drop-write-ack", droppedAcks, "store but do not acknowledge a write of ADDRESS[:TIMES|@ATTEMPT]");
  app.add_option("--corrupt-write", corruptedWrites,
                 "acknowledge a write of ADDRESS[:TIMES|@ATTEMPT] but store it with one bit flipped");
  app.add_option("--unplug-after", config.faults.unplugAfterBlocks, "pull the cable after this many blocks");
  CLI11_PARSE(app, argc, argv);

  if (otherModel) config.faults.ident.assign(std::begin(qorrin::sim::kOtherModelIdent), std::end(qorrin::sim::kOtherModelIdent));
  if (!ident.empty()) config.faults.ident.assign(ident.begin(), ident.end());
  if (!ParseBlockFaults(shortBlocks, &config.faults.shortReplies) ||
      !ParseBlockFaults(misaddressedBlocks, &config.faults.misaddressed) ||
      !ParseBlockFaults(droppedAcks, &config.faults.droppedWriteAcks) ||
      !ParseBlockFaults(corruptedWrites, &config.faults.corruptedWrites)) {
    return 1;
  }

  qorrin::sim::RadioImage image = qorrin::sim::BlankImage();
  std::string error;
  if (!imageFile.path.empty() && !qorrin::sim::LoadImageFile(imageFile, &image, &error)) {
    std::fprintf(stderr, "qorrin-sim: %s\n", error.c_str());
    return 2;
  }
  if (demo) qorrin::sim::FillDemoChannels(image);

  // Signals are taken synchronously by this thread; the radio's thread inherits the mask.
  sigset_t signals;
  sigemptyset(&signals);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGUSR1}) sigaddset(&signals, sig);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  if (answerOn < 1 || answerOn > portCount) {
    std::fprintf(stderr, "qorrin-sim: --answer-on must be between 1 and --ports\n");
    return 1;
  }
  // The silent companions stand in for other serial ports of the machine (port search).
  qorrin::sim::SimConfig silentConfig;
  silentConfig.faults.silent = true;
  std::vector<std::unique_ptr<qorrin::sim::SimRadio>> decoys;
  qorrin::sim::SimRadio radio(config, image);
  for (int n = 1; n <= portCount; ++n) {
    qorrin::sim::SimRadio* started = &radio;
    if (n != answerOn) {
      decoys.push_back(std::make_unique<qorrin::sim::SimRadio>(silentConfig));
      started = decoys.back().get();
    }
    if (!started->Start(&error)) {
      std::fprintf(stderr, "qorrin-sim: %s\n", error.c_str());
      return 3;
    }
    std::printf("%s\n", started->DevicePath().c_str());
  }
  std::fflush(stdout);

  const bool saving = !imageFile.path.empty() && !readOnly;
  const timespec tick = {0, 200'000'000};
  for (;;) {
    const int sig = sigtimedwait(&signals, nullptr, &tick);
    if (sig == SIGUSR1) {
      if (saving) Save(imageFile, radio);
    } else if (sig > 0) {
      break;
    } else if (radio.Unplugged()) {
      std::fprintf(stderr, "qorrin-sim: cable pulled, stopping\n");
      break;
    }
  }
  radio.Stop();
  return saving && !Save(imageFile, radio) ? 2 : 0;
}
