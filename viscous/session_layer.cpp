// The coupling's layer marched by a session of its own.
#include "session_layer.h"

namespace viscous {

SessionLayer::SessionLayer(const bl::ComputationParameters& p, const LayerRun& run) : params_(p) {
  session_.set_cancel_flag(run.cancel);
  session_.set_concurrent_surfaces(run.concurrent_surfaces);
  if (run.reports)
    session_.write_reports_to(run.reports);
  else
    session_.reports().set_enabled(false);
  status_ = session_.set_parameters(p);
}

bl::Status SessionLayer::split(const std::vector<double>& s, const std::vector<double>& v, int n,
                               const std::vector<double>& x, const std::vector<double>& y) {
  return session_.hand_over_contour(s, v, n, x, y);
}

const bl::SurfaceValues& SessionLayer::split_surface(bl::Surface which) const { return session_.split_surface(which); }

// A held transition is a trip at its arc length, in place of the position
// the user gave (as x/c or as arc length).
bl::Status SessionLayer::march(const LayerMarch& m, bool write_reports) {
  bl::ComputationParameters p = params_;
  for (int i = 0; i < 2; ++i) {
    if (!m.held_transition[static_cast<std::size_t>(i)]) continue;
    p.xtr_surf[i] = *m.held_transition[static_cast<std::size_t>(i)];
    p.xtr_xc[i].reset();
  }
  const bl::Status st = session_.set_parameters(p);
  if (!st.ok) return st;
  return session_.march_given(m.surfaces, {&m.laws[0], &m.laws[1]}, write_reports,
                              {&m.turbulence[0], &m.turbulence[1]});
}

bl::SurfaceResult SessionLayer::result(bl::Surface which) const { return session_.surface(which); }
const std::vector<std::string>& SessionLayer::cautions() const { return session_.cautions(); }
std::optional<bl::Surface> SessionLayer::failed_surface() const { return session_.failed_surface(); }
bool SessionLayer::writes_reports() const { return session_.reports().enabled(); }
bool SessionLayer::cancel_requested() const { return session_.cancel_requested(); }

}  // namespace viscous
