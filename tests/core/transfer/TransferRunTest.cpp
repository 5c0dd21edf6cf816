// A whole run on a memory port whose radio never answers (its time-outs pass in virtual
// time): what the run gives its caller when no image came.
#include <gtest/gtest.h>

#include <memory>

#include "core/link/MemoryLinkPort.h"
#include "core/transfer/TransferRun.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

// Only a read that completed gives an image for the document: not a run still under way,
// not a read or a write that found no radio.
TEST(TransferRun, NoImageWithoutACompleteRead) {
  test::TempDir dir;
  for (const bool isRead : {true, false}) {
    SCOPED_TRACE(isRead ? "read" : "write");
    TransferRequest request;
    request.isRead = isRead;
    request.device = "/dev/memory";
    request.backupFolder = dir.file("backups");
    TransferRun run(std::make_shared<MemoryLinkPort>(), dir.file("setting.ini"), request, TransferRun::Image{});
    EXPECT_EQ(run.ReadImage(), nullptr);
    run.Execute();
    ASSERT_TRUE(run.Finished());
    EXPECT_EQ(run.Outcome().end, TransferEnd::NoAnswer);
    EXPECT_EQ(run.ReadImage(), nullptr);
  }
}

}  // namespace
}  // namespace qorrin
