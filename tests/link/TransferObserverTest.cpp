// Transfer runs tell their observers, from their own threads, what they do and how they
// ended; one observer can follow several runs at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <thread>

#include "core/backup/BackupStore.h"
#include "core/transfer/TransferRun.h"
#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

// Everything each run said, in order, with the thread it said it on.
class RecordingObserver : public ITransferObserver {
 public:
  struct Heard {
    std::vector<TransferProgress> steps;
    std::vector<TransferOutcome> ends;
    std::vector<std::thread::id> threads;
    bool stepAfterEnd = false;
  };
  void OnProgress(const TransferRun& run, const TransferProgress& progress) override {
    const std::lock_guard<std::mutex> lock(m_mutex);
    Heard& heard = m_heard[&run];
    heard.stepAfterEnd = heard.stepAfterEnd || !heard.ends.empty();
    heard.steps.push_back(progress);
    heard.threads.push_back(std::this_thread::get_id());
  }
  void OnFinished(const TransferRun& run, const TransferOutcome& outcome) override {
    const std::lock_guard<std::mutex> lock(m_mutex);
    EXPECT_TRUE(run.Finished());  // the outcome is in place before anyone hears of it
    m_heard[&run].ends.push_back(outcome);
    m_heard[&run].threads.push_back(std::this_thread::get_id());
  }
  Heard Of(const TransferRun& run) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_heard[&run];
  }

 private:
  std::mutex m_mutex;
  std::map<const TransferRun*, Heard> m_heard;
};

// Percentages of one stage (reading or writing, the read-back or not), in the order heard.
std::vector<int> Percentages(const RecordingObserver::Heard& heard, TransferStatus status, bool verifying) {
  std::vector<int> seen;
  for (const TransferProgress& step : heard.steps) {
    if (step.status == status && step.verifying == verifying) seen.push_back(step.progress);
  }
  return seen;
}

TEST(TransferObserver, RunsOnTheirOwnThreadsTellOneObserverTheirStepsAndTheirEnd) {
  auto reader = StartRadio(), writer = StartRadio({}, PatternImage(2));
  TempDir dir;
  dir.write("setting.ini", LinkSettings(1, false, {reader->DevicePath()}));
  TransferRequest read;  // the configured port, COM1
  read.backupFolder = dir.file("backups");
  TransferRequest write = read;
  write.isRead = false;
  write.verify = true;
  write.device = writer->DevicePath();
  TransferRequest nowhere = read;
  nowhere.port = 7;  // names no device

  TransferRun::Image blank{};
  auto readRun = std::make_shared<TransferRun>(std::make_shared<CSerialPort>(), dir.file("setting.ini"), read, blank);
  auto writeRun =
      std::make_shared<TransferRun>(std::make_shared<CSerialPort>(), dir.file("setting.ini"), write, PatternImage(3));
  auto lostRun = std::make_shared<TransferRun>(std::make_shared<CSerialPort>(), dir.file("setting.ini"), nowhere, blank);
  RecordingObserver observer;
  std::vector<std::thread> workers;
  for (const auto& run : {readRun, writeRun, lostRun}) {
    run->AddObserver(observer);
    EXPECT_FALSE(run->Finished());
    workers.emplace_back([run] { run->Execute(); });
  }
  for (std::thread& worker : workers) worker.join();

  for (const auto& run : {readRun, writeRun, lostRun}) {
    const RecordingObserver::Heard heard = observer.Of(*run);
    ASSERT_EQ(heard.ends.size(), 1u);
    EXPECT_FALSE(heard.stepAfterEnd);
    EXPECT_EQ(heard.ends[0].end, run->Outcome().end);
    for (const std::thread::id& thread : heard.threads) EXPECT_EQ(thread, heard.threads.front());
    EXPECT_NE(heard.threads.front(), std::this_thread::get_id());
  }
  EXPECT_NE(observer.Of(*readRun).threads.front(), observer.Of(*writeRun).threads.front());

  // The read: every block's percentage, up to 100, then the image; named by its port.
  const RecordingObserver::Heard readHeard = observer.Of(*readRun);
  const std::vector<int> reading = Percentages(readHeard, TransferStatus::XFER_READING, false);
  ASSERT_EQ(reading.size(), 127u);
  EXPECT_TRUE(std::is_sorted(reading.begin(), reading.end()));
  EXPECT_EQ(reading.back(), 100);
  const TransferOutcome& readOutcome = readRun->Outcome();
  EXPECT_EQ(readOutcome.end, TransferEnd::Read);
  EXPECT_EQ(readOutcome.port, 1);
  EXPECT_EQ(readOutcome.device, reader->DevicePath());
  ASSERT_NE(readRun->ReadImage(), nullptr);
  EXPECT_TRUE(std::equal(readRun->ReadImage()->begin(), readRun->ReadImage()->begin() + 0x7F0, reader->Image().begin()));

  // The verified write: its blocks, the write complete, then the read-back's blocks.
  const RecordingObserver::Heard writeHeard = observer.Of(*writeRun);
  EXPECT_EQ(Percentages(writeHeard, TransferStatus::XFER_WRITING, false).size(), 127u);
  EXPECT_EQ(Percentages(writeHeard, TransferStatus::XFER_WRITE_DONE, false).size(), 1u);
  EXPECT_EQ(Percentages(writeHeard, TransferStatus::XFER_READING, true).size(), 127u);
  EXPECT_TRUE(writeRun->Outcome().Verified());
  EXPECT_EQ(writeRun->Outcome().port, 0);
  EXPECT_EQ(writeRun->ReadImage(), nullptr);

  // A number that names no device ends at once, nothing opened, and says why.
  EXPECT_TRUE(observer.Of(*lostRun).steps.empty());
  const TransferOutcome& lost = lostRun->Outcome();
  EXPECT_EQ(lost.end, TransferEnd::NoAnswer);
  EXPECT_EQ(lost.problem, PortProblem::DeviceMissing);
  EXPECT_EQ(lost.port, 7);
  EXPECT_EQ(lost.device, "");
  EXPECT_FALSE(lost.searched);
  EXPECT_EQ(ListBackups(dir.file("backups")).size(), 3u);  // the read, the write, its read-back
}

}  // namespace
}  // namespace qorrin::test
