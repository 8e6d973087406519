// The polar window's computation: started on a thread of its own through
// the background jobs, its points taken on the window's thread as they
// come, Cancel that answers within a station's time, and the status line.
#include <cmath>
#include <exception>
#include <utility>

#include "PolarWindow.h"
#include "fitting_points.h"
#include "polar_plot.h"

long PolarWindow::onCmdStop(FXObject*, FXSelector, void*) {
  if (running_) {
    job_->cancel = true;
    cancelled_ = true;
    showStatus();
    updateControls();
  }
  return 1;
}

void PolarWindow::start() {
  std::string why;
  const polar::RangeNames names{field(ID_FROM).label, field(ID_TO).label, field(ID_STEP).label};
  const std::vector<double> angles = polar::steppedAngles(field(ID_FROM).value, field(ID_TO).value,
                                                          field(ID_STEP).value, kMaxAngles, why, &names);
  if (angles.empty()) {
    FXMessageBox::error(this, MBOX_OK, "Polar", "%s\nNothing is computed.", why.c_str());
    return;
  }
  stop();
  polar::Settings settings;
  settings.section = section_;
  settings.model = model_;
  settings.angles = angles;
  settings.boundary_layer = true;
  settings.params = parametersOfFields();
  settings.viscous = viscousButton->getCheck() == TRUE;
  settings.coupling.turbulence = settings.params.turbulence;  // the model of a polar of either kind
  shown_ = settings;

  points_.clear();
  gaps_.clear();
  failures_.clear();
  keptShown_ = false;
  mark_ = {};
  showMarkedValues();
  const bool trip = settings.params.xtr_xc[0].has_value();
  setup_ = {model_->name(),        section_.eR1,          section_.hR1,          model_->points(),
            settings.params.re_mill, freeButton->getCheck() == TRUE, field(ID_STR_U).value,
            field(ID_STR_L).value, settings.params.np_in,   trip,
            field(ID_XTR_U).value, field(ID_XTR_L).value, settings.viscous,
            settings.params.turbulence};
  gapsText->setText("");
  alphaFrom_ = angles.front();
  alphaTo_ = angles.back();
  total_ = static_cast<int>(angles.size());
  progress->setTotal(static_cast<FXuint>(total_));
  progress->setProgress(0);
  showSectionLine();
  cancelled_ = false;
  started_ = std::chrono::steady_clock::now();
  // The job holds what the worker hands back; the worker reaches nothing
  // of the window, which may be gone before it ends.
  auto job = std::make_shared<PolarJob>();
  PolarJob* const j = job.get();
  try {
    jobs_->start(
        job,
        [j, settings = std::move(settings)] {
          try {
            polar::compute(
                settings,
                [j](const polar::Point& p) {
                  {
                    std::lock_guard<std::mutex> lock(j->mutex);
                    j->inbox.push_back(p);
                  }
                  j->notify();
                },
                &j->cancel);
          } catch (const std::exception& e) {
            std::lock_guard<std::mutex> lock(j->mutex);
            j->error = e.what();
          }
        },
        this, ID_POINTS);
    job_ = job;
    running_ = true;
  } catch (const std::exception& e) {
    total_ = 0;
    FXMessageBox::error(this, MBOX_OK, "Polar", "Cannot start the computation: %s", e.what());
  }
  showStatus();
  updateControls();
  redraw();
}

// A running computation is asked to stop and let go: its points no longer
// reach the window, and its thread is joined when it has ended.
void PolarWindow::stop() {
  if (!job_) return;
  jobs_->release(job_);
  job_.reset();
  running_ = false;
}

// The job's wake-up: the points it has queued, and its end.
long PolarWindow::onPoints(FXObject*, FXSelector, void* ptr) {
  if (!job_ || ptr != job_.get()) return 1;  // a computation let go
  std::vector<polar::Point> got;
  std::string error;
  const bool done = job_->finished();
  {
    std::lock_guard<std::mutex> lock(job_->mutex);
    got.swap(job_->inbox);
    error = job_->error;
  }
  for (polar::Point& p : got) points_.push_back(std::move(p));
  if (done) {
    job_.reset();
    running_ = false;
    seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    failures_ = polarFailureSummary(points_, *model_);
  }
  progress->setProgress(static_cast<FXuint>(points_.size()));
  // Angles that all failed alike are one reason, said once; else each
  // angle's own.
  const bool allAlike = !failures_.empty() && failures_.rfind("All ", 0) == 0;
  const std::string gaps = allAlike ? failures_ : plot::polarGaps(points_, shown_.viscous);
  if (gaps != gaps_) {
    gaps_ = gaps;
    gapsText->setText(gaps_.c_str(), static_cast<FXint>(gaps_.size()));
  }
  showStatus();
  updateControls();
  redraw();
  if (done && !error.empty()) {
    const FXString text = FXStringFormat("The computation stopped: %s", error.c_str());
    if (shown())
      FXMessageBox::error(this, MBOX_OK, "Polar", "%s", text.text());
    else
      statusLabel->say(text);
  }
  return 1;
}

void PolarWindow::showStatus() {
  const int n = static_cast<int>(points_.size());
  FXString s;
  if (running_)
    s = FXStringFormat(cancelled_ ? "Cancelling after %d of %d angles" : "Computing: %d of %d angles", n, total_);
  else if (total_ == 0)
    s = " ";
  else if (n < total_)
    s = FXStringFormat("Cancelled: %d of %d angles", n, total_);
  else
    s = FXStringFormat("%d angles in %.2f s%s%s", n, seconds_, failures_.empty() ? "" : ". ", failures_.c_str());
  statusLabel->say(s);
}
