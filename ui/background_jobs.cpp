#include "background_jobs.h"

#include <vector>

// clang-format off
FXDEFMAP(BackgroundJobs) BackgroundJobsMap[] = {
  FXMAPFUNC(SEL_IO_READ, BackgroundJobs::ID_SIGNAL, BackgroundJobs::onSignal),
};
// clang-format on

FXIMPLEMENT(BackgroundJobs, FXObject, BackgroundJobsMap, ARRAYNUMBER(BackgroundJobsMap))

void BackgroundJobs::Job::notify() {
  if (owner_ != nullptr) owner_->wake();
}

BackgroundJobs::BackgroundJobs(FXApp* app) : signal_(new FXGUISignal(app, this, ID_SIGNAL)) {}

// The program ends: every computation still running is asked to stop and
// joined (it stops within a station), before the signal it wakes goes.
BackgroundJobs::~BackgroundJobs() {
  for (Running& r : running_) r.job->cancel = true;
  for (Running& r : running_) r.thread.join();
  delete signal_;
}

// FXGUISignal::signal() may be called from any thread.
void BackgroundJobs::wake() { signal_->signal(); }

void BackgroundJobs::start(const std::shared_ptr<Job>& job, std::function<void()> work, FXObject* target,
                           FXSelector sel) {
  job->owner_ = this;
  running_.push_back(Running{job, std::thread(), target, sel});
  Job* const j = job.get();
  try {
    running_.back().thread = std::thread([j, work = std::move(work)] {
      work();
      j->done_ = true;
      j->notify();
    });
  } catch (...) {
    running_.pop_back();
    throw;
  }
}

void BackgroundJobs::release(const std::shared_ptr<Job>& job) {
  if (!job) return;
  job->cancel = true;
  job->listened_ = false;
}

// Every job is looked at: a wake-up may stand for several notifies.  A
// finished job's thread has returned from its work, so the join is at once.
// The windows are told after the list is settled: a window's handler may
// run a modal box, whose event loop comes back here, or release a job.
long BackgroundJobs::onSignal(FXObject*, FXSelector, void*) {
  struct Call {
    std::shared_ptr<Job> job;
    FXObject* target;
    FXSelector sel;
  };
  std::vector<Call> calls;
  for (auto it = running_.begin(); it != running_.end();) {
    const bool ended = it->job->finished();
    if (it->job->listened_) calls.push_back(Call{it->job, it->target, it->sel});
    if (ended) {
      it->thread.join();
      it = running_.erase(it);
    } else {
      ++it;
    }
  }
  for (const Call& c : calls)
    if (c.job->listened_) c.target->handle(this, FXSEL(SEL_COMMAND, c.sel), c.job.get());
  return 1;
}
