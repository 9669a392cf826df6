// The runner of long work: a result comes back on the window's thread with
// the progress shown on the way; a job cancelled or given way to hands
// back nothing; quick work runs at once.
#include <atomic>
#include <thread>

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/shared/long_work.h"

namespace orniva::ui {
namespace {

// A job that counts to `steps`, a step at a time, until it is asked to stop.
auto Counting(int steps, std::atomic<bool>* started = nullptr) {
  return [steps, started](const LongWork::Control& control) {
    if (started) *started = true;
    int done = 0;
    while (done < steps && !control.cancelled()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      control.report(++done, steps);
    }
    return std::make_pair(done, std::this_thread::get_id());
  };
}

struct Outcome {
  std::vector<int> results;
  std::vector<std::thread::id> threads;
  void operator()(std::pair<int, std::thread::id> result) {
    results.push_back(result.first);
    threads.push_back(std::this_thread::get_id());
  }
};

// Runs the event loop until `work` has nothing more to hand back.
void Finish(const LongWork& work) {
  for (int k = 0; k < 2000 && work.running(); ++k) QTest::qWait(5);
}

TEST(LongWork, ResultOnTheWindowsThreadProgressOnTheWay) {
  QObject owner;
  std::vector<int> progress;
  LongWork work(&owner, [&](int done, int) { progress.push_back(done); });
  Outcome outcome;
  work.Start(Counting(60), std::ref(outcome));
  EXPECT_TRUE(work.running());
  Finish(work);
  EXPECT_EQ(outcome.results, std::vector<int>{60});
  EXPECT_EQ(outcome.threads, std::vector<std::thread::id>{std::this_thread::get_id()});
  EXPECT_FALSE(progress.empty());
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
}

TEST(LongWork, CancelledOrGivenWayToHandsBackNothing) {
  QObject owner;
  LongWork work(&owner);
  Outcome outcome;
  std::atomic<bool> started{false};
  work.Start(Counting(100000, &started), std::ref(outcome));
  while (!started) QTest::qWait(1);
  work.Cancel();
  EXPECT_FALSE(work.running());  // at once, while the job winds down
  work.Start(Counting(100000), std::ref(outcome));
  work.Start(Counting(3), std::ref(outcome));  // the one before gives way
  Finish(work);
  EXPECT_EQ(outcome.results, std::vector<int>{3});
}

TEST(LongWork, QuickWorkRunsAtOnce) {
  QObject owner;
  LongWork work(&owner);
  Outcome outcome;
  work.Start(Counting(2), std::ref(outcome), true);
  EXPECT_EQ(outcome.results, std::vector<int>{2});
  EXPECT_EQ(outcome.threads, std::vector<std::thread::id>{std::this_thread::get_id()});
  EXPECT_FALSE(work.running());
}

}  // namespace
}  // namespace orniva::ui
