// A recalculation that fails puts back what the computation before it gave:
// the results, and each surface's transition and inverse-mode stations.
#include <filesystem>

#include "../bl/report_folder_fixture.h"
#include "joukowski.h"
#include "session/session.h"

using FailedRecalculation = ReportFolderTest;

// The recalculation runs with free transition, which moves both surfaces'
// transition stations and the upper one's inverse mode, and fails in its
// upper pass: the dump report cannot be written.
TEST_F(FailedRecalculation, PutsBackEachSurfaceAsItWas) {
  bl::Session session;
  session.reports().set_folder(dir.string());
  session.reports().set_diagnostics(false);
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 512);  // upper stations 162 and 163 are dumped to Debug.out
  aerofoil::solveSection(af, 12.0, 0.131, 0.0);
  ASSERT_TRUE(session.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y).ok);
  ASSERT_TRUE(session.new_computation().ok);
  const bl::SurfaceResult before[2] = {session.surface(bl::Surface::upper), session.surface(bl::Surface::lower)};

  bl::ComputationParameters free = session.parameters();
  free.xtr_surf[0] = free.xtr_surf[1] = 10.0;  // free transition: other stations
  ASSERT_TRUE(session.set_parameters(free).ok);
  std::filesystem::remove(dir / "Debug.out");
  std::filesystem::create_symlink("/dev/full", dir / "Debug.out");
  ASSERT_FALSE(session.recalculate().ok);
  EXPECT_EQ(session.failed_surface(), bl::Surface::upper);
  for (bl::Surface which : bl::kBothSurfaces) {
    const bl::SurfaceResult after = session.surface(which);
    const bl::SurfaceResult& then = before[bl::index(which)];
    EXPECT_EQ(after.transition_at, then.transition_at) << bl::name(which);
    EXPECT_EQ(after.inverse_at, then.inverse_at) << bl::name(which);
    EXPECT_EQ(after.xinv, then.xinv) << bl::name(which);
    EXPECT_EQ(after.columns, then.columns) << bl::name(which);
  }
}
