// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The colours that more than one window or printout uses, written &H00BBGGRR
// as the design gives them; bgr() (platform/Bgr.h) makes a QColor of one.
inline constexpr quint32 kNero = 0x00000000;
inline constexpr quint32 kRosso = 0x000000FF;
inline constexpr quint32 kRossoScuro = 0x000000C0;
inline constexpr quint32 kBlu = 0x00C00000;
inline constexpr quint32 kBluScuro = 0x00800000;
// Command tiles at rest, and the results and worksheet windows.
inline constexpr quint32 kPesca = 0x00C0E0FF;
// A command tile with the focus.
inline constexpr quint32 kArancio = 0x0080C0FF;
inline constexpr quint32 kGialloChiaro = 0x00C0FFFF;
inline constexpr quint32 kRosaChiaro = 0x00FFC0FF;
inline constexpr quint32 kLavanda = 0x00FFC0C0;
