// A span of animation time in ticks, both ends included: how long a value
// holds, or which times a change touched.
#pragma once

using TimeValue = int;

constexpr TimeValue TIME_NegInfinity = -2147483647 - 1;
constexpr TimeValue TIME_PosInfinity = 2147483647;

class Interval {
 public:
  constexpr Interval() : start_(TIME_NegInfinity), end_(TIME_NegInfinity) {}  // empty
  constexpr Interval(TimeValue s, TimeValue e) : start_(s), end_(e) {}
  TimeValue Start() const { return start_; }
  TimeValue End() const { return end_; }
  void Set(TimeValue s, TimeValue e) {
    start_ = s;
    end_ = e;
  }
  bool Empty() const { return start_ > end_ || (start_ == TIME_NegInfinity && end_ == TIME_NegInfinity); }
  bool InInterval(TimeValue t) const { return !Empty() && t >= start_ && t <= end_; }
  // Narrows this interval to the part it shares with other.
  Interval& operator&=(const Interval& other) {
    if (other.start_ > start_) start_ = other.start_;
    if (other.end_ < end_) end_ = other.end_;
    return *this;
  }
  bool operator==(const Interval& other) const = default;

 private:
  TimeValue start_, end_;
};

constexpr Interval FOREVER(TIME_NegInfinity, TIME_PosInfinity);
constexpr Interval NEVER(TIME_NegInfinity, TIME_NegInfinity);
