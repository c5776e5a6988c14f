// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Ends the session: unloads the About, start, exercise, printer choice, results
// and worksheet windows in this order. The name and certificate windows stay.
void FineSessione();
