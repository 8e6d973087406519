// The flow view: the aerofoil window's section in its exact flow, beside
// the circle plane the flow is solved in (plot/flow_view.h draws both).
// A top-level window of its own, opened from the aerofoil window's File
// menu, which keeps the one window and tells it of every new section or
// angle, so that it follows them live.
//
// - Colour: none, the pressure coefficient or the speed, with a colour bar;
//   Streamlines: how many across the section plane's height.
// - "Displacement body and wake": drawn while the boundary-layer window
//   shows a viscous analysis of the section shown.
// - The mouse over either plane is a probe: the line under the planes reads
//   the flow at the point (u, v, |V|, Cp, psi), or says it lies inside the
//   section, and both planes mark the point and its image (a linked cursor).
// - Animate: Alpha, e/R1 or h/R1 swept from one value to another and back
//   at a rate a second, by moving the aerofoil window's input (the pressure
//   plot, the streamlines and the lift vector move together, and an open
//   polar window marks the operating point on its lift curve).  Stop, or
//   closing the window, puts the input back where it was.
// - File > Save picture... asks the size and writes both planes, PNG or SVG
//   by the name's ending.
#pragma once

#include <fx.h>

#include <chrono>
#include <memory>
#include <string>

#include "flow_view.h"
#include "joukowski.h"
#include "number_text.h"
#include "plot_widgets.h"
#include "section_input.h"

class Veltaro;

class FlowWindow : public FXDialogBox {
  FXDECLARE(FlowWindow)

 public:
  enum {
    ID_SECTION_CANVAS = FXDialogBox::ID_LAST,
    ID_CIRCLE_CANVAS,
    ID_COLOUR,  // the colouring chosen
    ID_LINES,   // streamlines across the view
    ID_BODY,    // "Displacement body and wake"
    ID_ANIMATED,  // the input animated
    ID_FROM,
    ID_TO,
    ID_RATE,
    ID_START,
    ID_STOP,
    ID_TICK,  // the animation's timer
    ID_SAVE_PICTURE,
    ID_LAST
  };

  // The size the window opens at where the screen has room.
  static constexpr int kOpenWidth = 1000;
  static constexpr int kOpenHeight = 600;

  explicit FlowWindow(Veltaro* aerofoil);
  ~FlowWindow() override;
  void create() override;

  // The section now solved in the aerofoil window: drawn anew when shown.
  void showSection(const aerofoil::Joukowski& af);

  // Closing stops an animation (the input back as it was) and hides the
  // window; the owner keeps it for the next open.
  FXbool close(FXbool notify = FALSE) override;
  void hide() override;
  bool animating() const { return animating_; }

  // Both planes as a picture w x h pixels under their caption.
  std::vector<plot::SvgPanel> picture(int w, int h);

  long onPaintCanvas(FXObject*, FXSelector, void*);
  long onMotionCanvas(FXObject*, FXSelector, void*);
  long onCmdView(FXObject*, FXSelector, void*);
  long onUpdBody(FXObject*, FXSelector, void*);
  // Animation (flow_animation.cpp).
  long onCmdAnimated(FXObject*, FXSelector, void*);
  long onCmdField(FXObject*, FXSelector, void*);
  long onCmdStart(FXObject*, FXSelector, void*);
  long onCmdStop(FXObject*, FXSelector, void*);
  long onTick(FXObject*, FXSelector, void*);
  long onUpdAnimation(FXObject*, FXSelector, void*);
  long onCmdSavePicture(FXObject*, FXSelector, void*);

 protected:
  FlowWindow() {}

 private:
  void buildWidgets();
  void buildAnimationRow(FXComposite* p);
  // The scene of the section and both canvases' pictures, anew.
  void rebuild();
  // The canvas's picture and the cursor over it.
  void paint(FXCanvas* canvas);
  // The probe at a point of the section plane (chord axes) or the circle
  // plane (about the centre, chords): its line and the marks.
  void probeSection(aerofoil::Complex p);
  void probeCircle(aerofoil::Complex c);
  plot::FieldColour colour() const;
  const viscous::DisplacementBody* body() const;

  // Animation: the input's range and default sweep, the values of a
  // frame; the input put back.
  void showAnimationDefaults();
  std::string animationRefusal() const;
  void stopAnimation();

  Veltaro* aerofoil_ = nullptr;
  aerofoil::Joukowski af_;  // the section shown
  bool stale_ = true;       // af_ has changed since the pictures were drawn
  std::unique_ptr<plot::FlowScene> scene_;
  plot::PlaneFrame sectionFrame_, circleFrame_;
  FXImage* sectionImage_ = nullptr;  // the pictures, without the cursor
  FXImage* circleImage_ = nullptr;
  viscous::DisplacementBody drawnBody_;  // the body in the pictures (empty: none)

  // The cursor: the point probed in each plane, in pixels, if any.
  bool cursor_ = false;
  int sectionX_ = 0, sectionY_ = 0, circleX_ = 0, circleY_ = 0;
  bool sectionMark_ = false, circleMark_ = false;

  FXMenuPane* fileMenu = nullptr;
  FXMenuPane* windowMenu = nullptr;  // the windows, as every window has them
  // The colouring (0 none, 1 Cp, 2 speed) and the input animated (as
  // SectionInput), each chosen by a row of radio buttons.
  FXint colourChoice_ = 0;
  FXint animatedChoice_ = 0;
  FXDataTarget colourTarget_{colourChoice_, this, ID_COLOUR};
  FXDataTarget animatedTarget_{animatedChoice_, this, ID_ANIMATED};
  FXRadioButton* animatedButtons_[3] = {nullptr, nullptr, nullptr};
  FXSpinner* linesSpinner = nullptr;
  FXCheckButton* bodyButton = nullptr;
  NumberField from_, to_, rate_;
  FXButton* startButton = nullptr;
  FXButton* stopButton = nullptr;
  FXCanvas* sectionCanvas = nullptr;
  FXCanvas* circleCanvas = nullptr;
  FXSplitter* splitter = nullptr;
  ValueLine* probeLine = nullptr;
  TextLine* statusLine = nullptr;

  // The animation running: the input, its value before, the sweep, when it
  // started.
  bool animating_ = false;
  SectionInput input_ = SectionInput::alpha;
  double before_ = 0;
  double sweepFrom_ = 0, sweepTo_ = 0, sweepRate_ = 1;
  std::chrono::steady_clock::time_point started_;
  int frames_ = 0;
};
