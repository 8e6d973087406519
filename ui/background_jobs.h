// Computations off the windows' thread, which no window ever waits for.
//
// A window hands a job (its own subclass of Job, holding what the
// computation hands back) and the work to start(); the work runs on a
// thread of its own and may call job.notify() whenever it has something to
// show.  The window's target then receives SEL_COMMAND with its selector
// and the job as data, on the windows' thread, after a notify and once
// more when the work has returned (job.finished() then says so).
//
// Stopping a computation raises job.cancel and returns at once: the
// computations look at the flag before every station of their march, so
// the work returns soon after, and its thread is joined then, when it has
// said it ended (on the same wake-up that tells the window).  A window
// that goes away releases its jobs the same way; they end on their own and
// nothing reaches the window after release().  Only when the program ends
// are the threads still running asked to stop and joined.
#pragma once

#include <fx.h>

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "session/session.h"

class BackgroundJobs : public FXObject {
  FXDECLARE(BackgroundJobs)

 public:
  class Job {
   public:
    virtual ~Job() = default;
    bl::CancelFlag cancel{false};  // raised: the work stops at its next station
    bool finished() const { return done_; }
    // From the work's thread: the window is to look at the job.
    void notify();

   private:
    friend class BackgroundJobs;
    BackgroundJobs* owner_ = nullptr;
    std::atomic<bool> done_{false};
    bool listened_ = true;  // not released (the windows' thread alone reads and writes it)
  };

  explicit BackgroundJobs(FXApp* app);
  ~BackgroundJobs() override;
  BackgroundJobs(const BackgroundJobs&) = delete;
  BackgroundJobs& operator=(const BackgroundJobs&) = delete;

  // Runs work on a thread of its own; target hears of job (SEL_COMMAND,
  // sel) as above.  Throws what starting a thread throws.
  void start(const std::shared_ptr<Job>& job, std::function<void()> work, FXObject* target, FXSelector sel);

  // The caller no longer listens to job: it is asked to stop, and its
  // thread is joined once it has ended.  Does not wait.
  void release(const std::shared_ptr<Job>& job);

  enum { ID_SIGNAL = 1 };
  long onSignal(FXObject*, FXSelector, void*);

  // The toolkit's default construction, for the windows' own: no signal,
  // no job can start.
  BackgroundJobs() {}

 private:
  struct Running {
    std::shared_ptr<Job> job;
    std::thread thread;
    FXObject* target;
    FXSelector sel;
  };
  void wake();

  FXGUISignal* signal_ = nullptr;
  std::list<Running> running_;  // touched on the windows' thread only
};
