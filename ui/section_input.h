// The inputs of the aerofoil window that another window may move: the
// flow view's animation sweeps one of them.
#pragma once

enum class SectionInput { alpha, eR1, hR1 };
