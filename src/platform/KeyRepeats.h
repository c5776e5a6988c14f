// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <utility>

// Tells the repeats of a held key from fresh presses. On X11 a held key
// arrives as release/press pairs with the same timestamp, which Qt does not
// always mark as auto-repeat (the press may not be queued yet when the release
// is read): a press with the key and the timestamp of a release kept here is
// the second half of such a pair. Events without a time (made up by the
// program) pair with nothing. Plain values, so that the tiles and the message
// box, in libraries apart, both use it.
class KeyRepeats {
public:
    // Keeps a release, unless Qt already marked it as auto-repeat.
    void released(int key, quint64 timestamp, bool autoRepeat);
    // True when a press is the other half of a release kept.
    bool pairsWithRelease(int key, quint64 timestamp) const;
    // True when a press is a repeat of a key held: marked so by Qt, or paired.
    bool isRepeat(int key, quint64 timestamp, bool autoRepeat) const {
        return autoRepeat || pairsWithRelease(key, timestamp);
    }
    void clear() { releases_.clear(); }

private:
    QSet<std::pair<int, quint64>> releases_;
};
