// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyRepeats.h"

void KeyRepeats::released(int key, quint64 timestamp, bool autoRepeat) {
    if (!autoRepeat)
        releases_.insert({key, timestamp});
}

bool KeyRepeats::pairsWithRelease(int key, quint64 timestamp) const {
    return timestamp != 0 && releases_.contains({key, timestamp});
}
