#include "ui/shared/long_work.h"

#include <QTimer>

#include "platform/threads.h"

namespace orniva::ui {

namespace {
constexpr int kPollMs = 50;
}  // namespace

LongWork::LongWork(QObject* owner, Progress progress)
    : QObject(owner), progress_(std::move(progress)), timer_(new QTimer(this)) {
  timer_->setInterval(kPollMs);
  connect(timer_, &QTimer::timeout, this, &LongWork::Poll);
}

LongWork::~LongWork() {
  cancel_ = true;
  waiting_.reset();
  if (thread_.joinable()) thread_.join();
}

LongWork::Control LongWork::MakeControl() {
  Control control;
  control.cancel = &cancel_;
  control.report = [this](int done, int total) {
    doneCount_ = done;
    total_ = total;
  };
  return control;
}

void LongWork::Queue(std::function<void(const Control&)> job, std::function<void()> done,
                     bool here) {
  Run run{std::move(job), std::move(done)};
  if (thread_.joinable()) {  // after the one under way has stopped
    cancel_ = true;
    done_ = nullptr;
    waiting_ = std::move(run);
    return;
  }
  if (!here) return Launch(std::move(run));
  cancel_ = false;
  run.job(MakeControl());
  run.done();
}

void LongWork::Launch(Run run) {
  cancel_ = false;
  finished_ = false;
  doneCount_ = 0;
  total_ = 0;
  done_ = std::move(run.done);
  timer_->start();
  thread_ = StartOrRun([this, job = std::move(run.job), control = MakeControl()] {
    job(control);
    finished_ = true;
    QMetaObject::invokeMethod(this, &LongWork::Poll, Qt::QueuedConnection);
  });
}

void LongWork::Cancel() {
  cancel_ = true;
  done_ = nullptr;
  waiting_.reset();
}

// The progress shown; a job ended hands over its result, or makes way for
// the one waiting.
void LongWork::Poll() {
  if (progress_ && !cancel_) progress_(doneCount_.load(), total_.load());
  if (!finished_) return;
  if (thread_.joinable()) thread_.join();
  finished_ = false;
  timer_->stop();
  std::function<void()> done = std::move(done_);
  done_ = nullptr;
  if (waiting_) {
    Run next = std::move(*waiting_);
    waiting_.reset();
    return Launch(std::move(next));
  }
  if (done) done();
}

}  // namespace orniva::ui
