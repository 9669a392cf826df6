// The one runner of long work in the window (a bootstrap, a separation, a
// tilt test, each phase in turn): the job runs on a second thread, or at
// once when it is quick, with its progress shown as it goes and Cancel;
// its result comes back on the window's thread. The window never waits for
// a job, except when it closes.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

#include <QObject>

class QTimer;

namespace orniva::ui {

class LongWork : public QObject {
  Q_OBJECT

 public:
  // What a job is handed: the flag that asks it to stop (it then returns
  // early, its result saying so) and where it says how far it got (from
  // its own thread).
  struct Control {
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(int done, int total)> report;
    bool cancelled() const { return cancel->load(); }
  };
  // How far the job got, on the window's thread, about every 50 ms.
  using Progress = std::function<void(int done, int total)>;

  explicit LongWork(QObject* owner, Progress progress = {});
  // Asks the job to stop and waits for it.
  ~LongWork() override;

  // Runs `job` (Result job(const Control&)) and hands its result to `done`
  // (void done(Result)) on the window's thread, also when it was cancelled.
  // A job under way is asked to stop and its result dropped; this one starts
  // once it has stopped. `here`: run now, on this thread (quick work).
  template <typename Job, typename Done>
  void Start(Job job, Done done, bool here = false) {
    using Result = std::invoke_result_t<Job&, const Control&>;
    auto result = std::make_shared<std::optional<Result>>();
    Queue([job = std::move(job), result](const Control& control) { *result = job(control); },
          [done = std::move(done), result] { done(std::move(**result)); }, here);
  }
  // Asks the job under way to stop; one waiting to start is dropped.
  void Cancel();
  // A job whose result is still to come is under way or waiting (one asked
  // to stop may still be winding down).
  bool running() const { return bool(done_) || waiting_.has_value(); }

 private:
  struct Run {
    std::function<void(const Control&)> job;
    std::function<void()> done;
  };
  void Queue(std::function<void(const Control&)> job, std::function<void()> done, bool here);
  void Launch(Run run);
  void Poll();
  Control MakeControl();

  Progress progress_;
  QTimer* timer_;
  std::thread thread_;
  std::function<void()> done_;
  std::optional<Run> waiting_;
  std::atomic<bool> cancel_{false}, finished_{false};
  std::atomic<int> doneCount_{0}, total_{0};
};

}  // namespace orniva::ui
