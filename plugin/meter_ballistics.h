// MeterBallistics: the smoothed peak a level meter shows, stepped once per block from the
// block's peak (rising by 0.6 of the distance, falling by 0.05). The audio thread steps it; the
// level is stored as a relaxed atomic, so the editor's thread may read it at any time.
#pragma once

#include <atomic>

class MeterBallistics {
 public:
  static_assert(std::atomic<double>::is_always_lock_free, "the audio thread must not wait");

  // Audio thread; no allocation. Returns the new level.
  double Step(double peak) {
    const double level = level_.load(std::memory_order_relaxed);
    const double c = level > peak ? 0.05 : 0.6;
    const double next = (1 - c) * level + c * peak;
    level_.store(next, std::memory_order_relaxed);
    return next;
  }
  // Any thread.
  double Level() const { return level_.load(std::memory_order_relaxed); }

 private:
  std::atomic<double> level_{0.0};
};
