// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Uniform single-precision draws in [0, 1), reseeded from the time of day.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
    virtual void reseed(float timeOfDay) = 0;
};

// splitmix64 over a 64-bit state. Reseeding mixes the reading into the current
// state instead of replacing it: a single-precision time of day only changes
// every few milliseconds, and two operations made within that step must still
// get different terms.
class MixingRandomSource : public RandomSource {
public:
    MixingRandomSource() : MixingRandomSource(0x5eed5eed5eed5eedULL) {}
    float next() override;
    void reseed(float timeOfDay) override;

protected:
    explicit MixingRandomSource(quint64 seed) : state_(seed) {}

private:
    quint64 step();
    quint64 state_;
};
