// The boundary layer behind the coupling: the finite-difference box
// scheme's march, through a session of the layer's own.
#pragma once

#include "layer_solver.h"
#include "session/session.h"

namespace viscous {

// How a layer computes, beside what: the flag that stops it, where its
// reports go and whether its two surfaces run side by side.
struct LayerRun {
  const bl::CancelFlag* cancel = nullptr;  // looked at in every station (null: none)
  // The report files the marches write into, the caller's (null: none is
  // written).  Every split rewrites its surface file there; the marches
  // asked for reports continue the others.
  bl::ReportFiles* reports = nullptr;
  bool concurrent_surfaces = true;
};

class SessionLayer final : public LayerSolver {
 public:
  // A session of its own with the parameters p; status() says whether it
  // took them.
  SessionLayer(const bl::ComputationParameters& p, const LayerRun& run);

  const bl::Status& status() const { return status_; }

  bl::Status split(const std::vector<double>& s, const std::vector<double>& v, int n, const std::vector<double>& x,
                   const std::vector<double>& y) override;
  const bl::SurfaceValues& split_surface(bl::Surface which) const override;
  bl::Status march(const LayerMarch& m, bool write_reports) override;
  bl::SurfaceResult result(bl::Surface which) const override;
  const std::vector<std::string>& cautions() const override;
  std::optional<bl::Surface> failed_surface() const override;
  bool writes_reports() const override;
  bool cancel_requested() const override;

 private:
  bl::Session session_;
  bl::ComputationParameters params_;  // as given: a held transition is one march's alone
  bl::Status status_;
};

}  // namespace viscous
