// The one decision about how a run ended, from the records its stages left.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "core/transfer/TransferOutcome.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using S = TransferStatus;
using E = TransferEnd;

struct Stages {
  std::shared_ptr<TransferState> transfer = std::make_shared<TransferState>();
  std::shared_ptr<TransferState> readBack;  // a verified write's
};

Stages Make(bool isRead, S status, int progress, std::optional<S> readBack = std::nullopt, int readBackProgress = 0) {
  Stages stages;
  stages.transfer->isRead = isRead;
  stages.transfer->status.store(status);
  stages.transfer->progress.store(progress);
  stages.transfer->buffer.fill(0x11);
  if (readBack) {
    stages.readBack = std::make_shared<TransferState>();
    stages.readBack->status.store(*readBack);
    stages.readBack->progress.store(readBackProgress);
    stages.readBack->buffer = stages.transfer->buffer;
  }
  return stages;
}

TransferOutcome Decide(const Stages& stages, bool cancelled = false, const std::string& device = "/dev/null") {
  return DecideOutcome({*stages.transfer, stages.readBack.get(), cancelled, 3, device, true});
}

TEST(TransferOutcome, EveryEndIsDecidedFromTheStagesAndACancelWinsOverWhatCameAfterIt) {
  struct Case {
    bool isRead;
    S status;
    std::optional<S> readBack;
    bool cancelled;
    E end;
    E readBackEnd;
    int progress;  // of the stage that ended
  };
  const Case cases[] = {
      {true, S::XFER_READ_DONE, {}, false, E::Read, E::Unexpected, 100},
      {false, S::XFER_WRITE_DONE, {}, false, E::Written, E::Unexpected, 100},
      {false, S::XFER_WRITE_DONE, S::XFER_READ_DONE, false, E::Verified, E::Unexpected, 40},
      {false, S::XFER_WRITE_DONE, S::XFER_READ_FAIL, false, E::NotReadBack, E::ReadFailed, 40},
      {false, S::XFER_WRITE_DONE, S::XFER_PORT_ERROR, false, E::NotReadBack, E::NoAnswer, 40},
      {false, S::XFER_WRITE_DONE, S::XFER_TYPE_ERROR, false, E::NotReadBack, E::WrongRadio, 40},
      {false, S::XFER_WRITE_DONE, S::XFER_READING, true, E::VerifyCancelled, E::Unexpected, 40},
      {false, S::XFER_WRITE_DONE, {}, true, E::Written, E::Unexpected, 100},  // nothing left to cancel
      {false, S::XFER_WRITING, S::XFER_IDLE, true, E::Cancelled, E::Unexpected, 60},
      {true, S::XFER_READ_DONE, {}, true, E::Cancelled, E::Unexpected, 100},  // the read is not used
      {true, S::XFER_PORT_ERROR, {}, false, E::NoAnswer, E::Unexpected, 60},
      {true, S::XFER_TYPE_ERROR, {}, false, E::WrongRadio, E::Unexpected, 60},
      {true, S::XFER_READ_FAIL, {}, false, E::ReadFailed, E::Unexpected, 60},
      {false, S::XFER_WRITE_FAIL, S::XFER_IDLE, false, E::WriteFailed, E::Unexpected, 60},
      {true, S::XFER_READING, {}, false, E::Unexpected, E::Unexpected, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "status " << static_cast<int>(c.status) << ", cancelled " << c.cancelled);
    const bool done = c.status == S::XFER_READ_DONE || c.status == S::XFER_WRITE_DONE;
    const TransferOutcome outcome = Decide(Make(c.isRead, c.status, done ? 100 : 60, c.readBack, 40), c.cancelled);
    EXPECT_EQ(outcome.end, c.end);
    if (c.end == E::NotReadBack) {
      EXPECT_EQ(outcome.readBackEnd, c.readBackEnd);
    }
    EXPECT_EQ(outcome.progress, c.progress);
    EXPECT_EQ(outcome.Verified(), c.end == E::Verified);
    EXPECT_EQ(outcome.Succeeded(), c.end == E::Read || c.end == E::Written || c.end == E::Verified);
  }
}

// A byte held other than sent fails the verification where it is; both stages' notices are kept.
TEST(TransferOutcome, TheReadBackIsComparedWithWhatWasSent) {
  Stages stages = Make(false, S::XFER_WRITE_DONE, 100, S::XFER_READ_DONE, 100);
  stages.readBack->buffer[0x123] ^= 0x40;
  stages.readBack->buffer[0x7F5] ^= 0x40;  // never travels: no difference
  stages.transfer->notices = {"backup not saved: a"};
  stages.readBack->notices = {"backup not saved: b"};
  const TransferOutcome outcome = Decide(stages);
  EXPECT_EQ(outcome.end, E::NotVerified);
  ASSERT_EQ(outcome.differences.size(), 1u);
  EXPECT_EQ(outcome.differences[0].nFirst, 0x123u);
  EXPECT_EQ(outcome.differences[0].actual[0], 0x51);
  EXPECT_EQ(outcome.notices, (std::vector<std::string>{"backup not saved: a", "backup not saved: b"}));

  stages = Make(true, S::XFER_SEARCHING, 17);
  EXPECT_EQ(Decide(stages, true).progress, 0);
  stages = Make(false, S::XFER_WRITE_DONE, 100, S::XFER_SEARCHING, 9);
  EXPECT_EQ(Decide(stages, true).progress, 100);
}

#ifndef _WIN32  // a COM name is no file to look at: Windows leaves it to the open's message
// Only a port that gave no link is looked at: a missing (or no) device is named so.
TEST(TransferOutcome, APortThatGaveNoLinkIsDiagnosed) {
  test::TempDir dir;
  const std::string gone = dir.file("ttyGONE");
  EXPECT_EQ(Decide(Make(true, S::XFER_PORT_ERROR, 0), false, gone).problem, PortProblem::DeviceMissing);
  EXPECT_EQ(Decide(Make(true, S::XFER_PORT_ERROR, 0), false, "/dev/null").problem, PortProblem::None);
  const TransferOutcome readBack = Decide(Make(false, S::XFER_WRITE_DONE, 100, S::XFER_PORT_ERROR, 0), false, gone);
  EXPECT_TRUE(readBack.NoLink());
  EXPECT_EQ(readBack.problem, PortProblem::DeviceMissing);
  EXPECT_EQ(Decide(Make(true, S::XFER_PORT_ERROR, 0), true, gone).problem, PortProblem::None);  // cancelled
}
#endif

}  // namespace
}  // namespace qorrin
