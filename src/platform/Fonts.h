// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The classic Windows faces the layouts and printouts are designed in, and the
// installed faces with the same metrics that stand in for them. This is the
// one place that knows the mapping.

// Metric-compatible faces for a classic face ("Courier New" -> Liberation Mono,
// ...), best first; empty for any other family.
const QStringList& metricCompatibleFaces(const QString& family);

// Makes Qt draw each classic face with its metric-compatible stand-in when the
// face itself is not installed. Safe to call more than once.
void installFaceSubstitutions();
