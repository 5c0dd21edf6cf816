// Transfer runs tell their observers, from their own threads, what they do and how they
// ended; one observer can follow several runs at once.
#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <thread>

#include "core/transfer/TransferRun.h"
#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

// Everything each run said, in order, with the thread it said it on.
class RecordingObserver : public ITransferObserver {
 public:
  struct Heard {
    int steps = 0;
    std::vector<TransferOutcome> ends;
    std::vector<std::thread::id> threads;
    bool stepAfterEnd = false;
  };
  void OnProgress(const TransferRun& run, const TransferProgress&) override {
    const std::lock_guard<std::mutex> lock(m_mutex);
    Heard& heard = m_heard[&run];
    heard.stepAfterEnd = heard.stepAfterEnd || !heard.ends.empty();
    ++heard.steps;
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

// Two runs on their own threads, one observer: each run's steps and its one end come on its
// own thread, never a step after the end (for ThreadSanitizer). What the steps and outcomes
// hold: TransferRunTest, TransferOutcomeTest, TransferMemoryPortTest.
TEST(TransferObserver, RunsOnTheirOwnThreadsTellOneObserverTheirStepsAndTheirEnd) {
  auto reader = StartRadio(), writer = StartRadio({}, PatternImage(2));
  TransferRequest read;
  read.device = reader->DevicePath();
  read.backup = false;
  TransferRequest write = read;
  write.isRead = false;
  write.verify = true;
  write.device = writer->DevicePath();

  TransferRun::Image blank{};
  auto readRun = std::make_shared<TransferRun>(std::make_shared<CSerialPort>(), "", read, blank);
  auto writeRun = std::make_shared<TransferRun>(std::make_shared<CSerialPort>(), "", write, PatternImage(3));
  RecordingObserver observer;
  std::vector<std::thread> workers;
  for (const auto& run : {readRun, writeRun}) {
    run->AddObserver(observer);
    EXPECT_FALSE(run->Finished());
    workers.emplace_back([run] { run->Execute(); });
  }
  for (std::thread& worker : workers) worker.join();

  for (const auto& run : {readRun, writeRun}) {
    const RecordingObserver::Heard heard = observer.Of(*run);
    ASSERT_EQ(heard.ends.size(), 1u);
    EXPECT_GT(heard.steps, 0);
    EXPECT_FALSE(heard.stepAfterEnd);
    EXPECT_EQ(heard.ends[0].end, run->Outcome().end);
    for (const std::thread::id& thread : heard.threads) EXPECT_EQ(thread, heard.threads.front());
    EXPECT_NE(heard.threads.front(), std::this_thread::get_id());
  }
  EXPECT_NE(observer.Of(*readRun).threads.front(), observer.Of(*writeRun).threads.front());
  EXPECT_EQ(readRun->Outcome().end, TransferEnd::Read);
  EXPECT_TRUE(writeRun->Outcome().Verified());
}

}  // namespace
}  // namespace qorrin::test
