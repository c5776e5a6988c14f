// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/Attestato.h"

#include <array>

// The certificate's 25 line styles as the school's design lays them down,
// written out here so that a test never takes its expectation from the
// function it tests. An empty line keeps the colour in force.
inline const std::array<StileRiga, 25>& stiliAttesi() {
    static const QString ms = QStringLiteral("MS Sans Serif"), arial = QStringLiteral("arial");
    static const std::array<StileRiga, 25> stili{{
        {ms, 8.25, true, kNero},   {ms, 8.25, true, kNero},   {ms, 8.25, true, kNero},
        {ms, 8.25, true, kNero},   {ms, 8.25, true, kNero},   {arial, 20, true, kRosso}, // 6
        {arial, 20, true, kNero},  {arial, 20, true, kNero},  {arial, 20, true, kRosso}, // 9
        {arial, 20, true, kRosso}, {arial, 12, false, kNero}, {arial, 12, false, kNero}, // 12
        {arial, 12, false, kNero}, {arial, 12, false, kNero}, {arial, 14, false, kNero}, // 15
        {arial, 14, false, kNero}, {arial, 14, false, kNero}, {arial, 14, false, kNero}, // 18
        {arial, 14, true, kRosso}, {arial, 14, true, kRosso}, {arial, 12, false, kNero}, // 21
        {arial, 12, false, kNero}, {arial, 12, false, kNero}, {arial, 12, false, kNero}, // 24
        {arial, 12, false, kNero},
    }};
    return stili;
}
