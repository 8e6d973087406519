// The boundary-layer window's viscous analysis: in the background, on a
// session of its own, with its progress on the status line and Cancel.
#include <string>
#include <vector>

#include "BlCalc_2D.h"

bl::SurfaceResult BlCalc_2D::shownSurface(bl::Surface which) const {
  return viscous_ ? viscous_->surfaces[static_cast<std::size_t>(bl::index(which))] : session_->surface(which);
}

const std::vector<std::string>& BlCalc_2D::shownCautions() const {
  return viscous_ ? viscous_->cautions : session_->cautions();
}

// As veltaro-cli --bl --viscous: the analysis from no mass defect, with the
// window session's parameters and the turbulence model chosen for the
// viscous analysis, the reports of its last sweep held until it has
// succeeded.  The window's session keeps what it holds: the analysis
// marches a layer of its own.  One that runs is let go: it stops on its
// own.
void BlCalc_2D::startViscous() {
  jobs_->release(job_);
  job_.reset();
  auto job = std::make_shared<ViscousJob>();
  job->section = section_;
  job->params = session_->parameters();
  job->reports.set_holding(true);
  job->coupling.turbulence = turbulence_->model(true);
  ViscousJob* const j = job.get();
  try {
    jobs_->start(
        job,
        [j] {
          const aerofoil::Joukowski& af = j->section;
          viscous::Run run;
          run.cancel = &j->cancel;
          run.reports = &j->reports;
          run.write_reports = true;
          run.progress = [j](const viscous::Progress& p) {
            {
              std::lock_guard<std::mutex> lock(j->mutex);
              j->progress = p;
            }
            j->notify();
          };
          viscous::Result r = viscous::analyse(af, j->params, j->coupling, viscous::State{}, run);
          std::lock_guard<std::mutex> lock(j->mutex);
          j->result = std::move(r);
        },
        this, ID_VISCOUS_JOB);
    job_ = job;
    showStatus("Viscous interaction: computing ...");
  } catch (const std::exception& e) {
    showStatus(std::string("The viscous analysis cannot start: ") + e.what());
  }
  updateButtons();
}

long BlCalc_2D::onCmdCancel(FXObject*, FXSelector, void*) {
  if (computing()) {
    job_->cancel = true;
    showStatus("Viscous interaction: cancelling ...");
    cancelButton->disable();
  }
  return 1;
}

// The job's wake-up: its progress after a sweep, or its end.
long BlCalc_2D::onViscousJob(FXObject*, FXSelector, void* ptr) {
  if (!job_ || ptr != job_.get()) return 1;  // an analysis let go
  if (job_->finished()) {
    finishViscous();
    return 1;
  }
  viscous::Progress p;
  {
    std::lock_guard<std::mutex> lock(job_->mutex);
    p = job_->progress;
  }
  if (!bl::raised(&job_->cancel))
    showStatus("Viscous interaction: sweep " + std::to_string(p.sweeps) + " (last change: lift " +
               plot::valueText("%.2g", p.change_cl) + ", surface speed " + plot::valueText("%.2g", p.change_ue) +
               ")");
  return 1;
}

void BlCalc_2D::finishViscous() {
  const std::shared_ptr<ViscousJob> job = std::move(job_);
  job_.reset();
  viscous::Result r;
  {
    std::lock_guard<std::mutex> lock(job->mutex);
    r = job->result;
  }
  updateButtons();
  if (r.status.cancelled) {
    showStatus(computed ? "Viscous interaction cancelled: the results shown are those of the computation before."
                        : "Viscous interaction cancelled: no results.");
    return;
  }
  if (!r.status.ok) {
    const std::string why = "The viscous analysis failed. " + failureText(r.status, r.failed_surface);
    if (opening_ && !computed) {
      showStatus("No results. " + oneLine(why) +
                 " (Str u and Str l show the transition positions it started from.)");
      FXMessageBox::error(this, MBOX_OK, "Boundary layer", "%s", why.c_str());
    } else {
      showStatus("Recalculate failed. " + oneLine(why) +
                 (computed ? " The results shown are those of the computation before." : " No results."));
      FXMessageBox::error(this, MBOX_OK, "Recalculate", "%s\n%s", why.c_str(),
                          computed ? "The previous results are kept." : "There are no results yet.");
    }
    return;
  }
  // Its reports, held, into the report files of the window's session, as
  // if the analysis had run there (each starts afresh).
  session_->reports().close_all();
  session_->reports().append(job->reports);
  const bool cautioned = !r.cautions.empty();
  viscous_ = std::move(r);
  viscousTurbulence_ = job->coupling.turbulence;
  showResults(true);
  showViscous(*viscous_);
  clearMarks();
  drawEdgeVelocity();
  drawQuantity();
  if (cautioned)
    FXMessageBox::information(this, MBOX_OK, opening_ ? "Boundary layer" : "Recalculate", "%s",
                              cautionText().c_str());
}

void BlCalc_2D::showViscous(const viscous::Result& r) {
  resultLine->say(plot::viscousResultText(r).c_str());
  resultFrame->show();
  resultFrame->recalc();
  std::vector<std::string> lines = r.cautions;
  for (bl::Surface which : bl::kBothSurfaces) {
    const std::string held = viscous::heldTransitionNote(which, r.transition_off[bl::index(which)]);
    if (!held.empty()) lines.push_back(held);
  }
  const std::string cautions = cautionLine(lines);
  if (!r.converged)
    showStatus(plot::unsettledText(r) + (cautions.empty() ? "" : " " + cautions));
  else
    showStatus(cautions);
}
