// Replays a computed drawing on a toolkit device context.
#pragma once

#include <fx.h>

#include "plot_primitives.h"

void paintDrawing(FXDCWindow& dc, FXApp* app, const plot::Drawing& drawing);
