#include "cli/LinkOutcome.h"

#include "cli/CliContext.h"
#include "cli/LinkTransferRunner.h"

namespace qorrin::cli {
namespace {

std::string Wrote(const std::string& fileName, const std::string& portText) {
  return "wrote " + fileName + " into the radio on " + portText;
}

// The window's explanation of a port that gave no link, in the command line's words.
std::string ExplainPort(const TransferOutcome& outcome) {
  switch (outcome.problem) {
    case PortProblem::DeviceMissing:
      return (outcome.port > 0 ? "the device of " + PortText(outcome.port, outcome.device) : outcome.device) +
             " does not exist: check that the programming cable is plugged in";
    case PortProblem::NoPermission:
      return "you have no permission to use " + outcome.device +
             ": add your user to the dialout group (sudo usermod -aG dialout $USER), then log out and in again";
    case PortProblem::None: break;
  }
  return {};
}

// A write that completed, then was read back (or not).
LinkOutcome DescribeVerification(const TransferOutcome& outcome, const std::string& wrote) {
  if (outcome.end == TransferEnd::NotReadBack) {
    std::string why = "reading stopped at " + std::to_string(outcome.progress) + "%";
    if (outcome.readBackEnd == TransferEnd::NoAnswer) why = "the radio did not answer";
    if (outcome.readBackEnd == TransferEnd::WrongRadio) why = "the radio did not identify as a VLM-7Q";
    return {kExitTransfer,
            wrote + ", but it could not be read back to verify it (" + why + "): check the cable, then write again with --verify",
            ExplainPort(outcome)};
  }
  if (outcome.Verified()) return {kExitOk, wrote + " and verified it"};
  std::size_t bytes = 0;
  for (const auto& d : outcome.differences) bytes += d.expected.size();
  return {kExitTransfer, wrote + ", but verification FAILED: the radio holds " + std::to_string(bytes) +
                             " byte(s) other than sent, in " + std::to_string(outcome.differences.size()) +
                             " place(s); write again before using the radio"};
}

LinkOutcome DescribeNoAnswer(const TransferOutcome& outcome, const std::string& portText) {
  std::string text = "no answer from the radio on " + portText;
  if (outcome.searched) text += " nor on any other port";
  // The explanation below says what the port's own failure would say here.
  const std::string explanation = ExplainPort(outcome);
  if (explanation.empty() && !outcome.detail.empty() && outcome.detail.find("no answer") == std::string::npos) {
    text += " (" + outcome.detail + ")";
  }
  text += ": check that the radio is switched on and the cable is plugged in at both ends, "
          "and that the port is right (qorrin-cli ports)";
  return {kExitPort, text, explanation};
}

}  // namespace

LinkOutcome DescribeLinkResult(const TransferOutcome& outcome, const std::string& portText,
                               const std::string& fileName) {
  const std::string at = " at " + std::to_string(outcome.progress) + "%";
  const bool isRead = outcome.isRead;
  switch (outcome.end) {
    case TransferEnd::VerifyCancelled:
      return {kExitInterrupted, Wrote(fileName, portText) + ", but the verification was interrupted: the radio was not checked"};
    case TransferEnd::Cancelled:
      return {kExitInterrupted,
              std::string(isRead ? "read" : "write") + " interrupted" + at + " on " + portText +
                  (isRead ? "; nothing was saved"
                          : "; the radio now holds a partly written memory: write it again before use")};
    case TransferEnd::Verified:
    case TransferEnd::NotVerified:
    case TransferEnd::NotReadBack:
      return DescribeVerification(outcome, Wrote(fileName, portText));
    case TransferEnd::Read:
      return {kExitOk, "read the radio on " + portText + " into " + fileName};
    case TransferEnd::Written:
      return {kExitOk, Wrote(fileName, portText)};
    case TransferEnd::NoAnswer:
      return DescribeNoAnswer(outcome, portText);
    case TransferEnd::WrongRadio:
      return {kExitWrongRadio, "the radio on " + portText +
                                   " answered but did not identify as a VLM-7Q: check the radio model and the cable"};
    case TransferEnd::ReadFailed:
      return {kExitTransfer, "reading failed" + at + " on " + portText +
                                 ": the radio stopped answering properly; check the cable and try again (nothing was saved)"};
    case TransferEnd::WriteFailed:
      return {kExitTransfer, "writing failed" + at + " on " + portText +
                                 ": the radio did not take a block; its memory is now partly written, check the cable "
                                 "and write again before using the radio"};
    case TransferEnd::Unexpected: break;
  }
  return {kExitTransfer, "the transfer on " + portText + " ended unexpectedly (status " +
                             std::to_string(static_cast<int>(outcome.status)) + ")"};
}

}  // namespace qorrin::cli
