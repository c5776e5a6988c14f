// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Positions and sizes are kept in twips (1440 to the inch), as the layouts
// and printouts are designed; the screen shows them at 15 twips per logical
// pixel. The windows and the printouts both count with this one ratio.
constexpr double kTwipsPerPixel = 15.0;
