#include "cli/LinkOutcome.h"

#include "cli/CliContext.h"
#include "core/link/TransferState.h"

namespace qorrin::cli {
namespace {

// A write that completed, then was read back.
LinkOutcome DescribeVerification(const LinkRunResult& result, const std::string& fileName) {
  const std::string wrote = "wrote " + fileName + " into the radio on " + result.portText;
  if (result.readBackStatus != TransferStatus::XFER_READ_DONE) {
    std::string why = "reading stopped at " + std::to_string(result.progress) + "%";
    if (result.readBackStatus == TransferStatus::XFER_PORT_ERROR) why = "the radio did not answer";
    if (result.readBackStatus == TransferStatus::XFER_TYPE_ERROR) why = "the radio did not identify as a VLM-7Q";
    return {kExitTransfer, wrote + ", but it could not be read back to verify it (" + why +
                               "): check the cable, then write again with --verify"};
  }
  if (result.differences.empty()) return {kExitOk, wrote + " and verified it"};
  std::size_t bytes = 0;
  for (const auto& d : result.differences) bytes += d.expected.size();
  return {kExitTransfer, wrote + ", but verification FAILED: the radio holds " + std::to_string(bytes) +
                             " byte(s) other than sent, in " + std::to_string(result.differences.size()) +
                             " place(s); write again before using the radio"};
}

}  // namespace

LinkOutcome DescribeLinkResult(bool isRead, const LinkRunResult& result, bool searched,
                               const std::string& fileName) {
  const std::string at = " at " + std::to_string(result.progress) + "%";
  if (result.interrupted && result.status == TransferStatus::XFER_WRITE_DONE) {
    return {kExitInterrupted, "wrote " + fileName + " into the radio on " + result.portText +
                                  ", but the verification was interrupted: the radio was not checked"};
  }
  if (result.interrupted) {
    return {kExitInterrupted,
            std::string(isRead ? "read" : "write") + " interrupted" + at + " on " + result.portText +
                (isRead ? "; nothing was saved"
                        : "; the radio now holds a partly written memory: write it again before use")};
  }
  if (result.status == TransferStatus::XFER_WRITE_DONE && result.verifyRan) {
    return DescribeVerification(result, fileName);
  }
  switch (result.status) {
    case TransferStatus::XFER_READ_DONE:
      return {kExitOk, "read the radio on " + result.portText + " into " + fileName};
    case TransferStatus::XFER_WRITE_DONE:
      return {kExitOk, "wrote " + fileName + " into the radio on " + result.portText};
    case TransferStatus::XFER_PORT_ERROR: {
      std::string text = "no answer from the radio on " + result.portText;
      if (searched) text += " nor on any other port";
      if (!result.detail.empty() && result.detail.find("no answer") == std::string::npos) {
        text += " (" + result.detail + ")";
      }
      text += ": check that the radio is switched on and the cable is plugged in at both ends, "
              "and that the port is right (qorrin-cli ports)";
      return {kExitPort, text};
    }
    case TransferStatus::XFER_TYPE_ERROR:
      return {kExitWrongRadio, "the radio on " + result.portText +
                                   " answered but did not identify as a VLM-7Q: check the radio model and the cable"};
    case TransferStatus::XFER_READ_FAIL:
      return {kExitTransfer, "reading failed" + at + " on " + result.portText +
                                 ": the radio stopped answering properly; check the cable and try again (nothing was saved)"};
    case TransferStatus::XFER_WRITE_FAIL:
      return {kExitTransfer, "writing failed" + at + " on " + result.portText +
                                 ": the radio did not take a block; its memory is now partly written, check the cable "
                                 "and write again before using the radio"};
    default:
      return {kExitTransfer, "the transfer on " + result.portText + " ended unexpectedly (status " +
                                 std::to_string(static_cast<int>(result.status)) + ")"};
  }
}

}  // namespace qorrin::cli
