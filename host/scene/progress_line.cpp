#include "progress_line.h"

#include <algorithm>
#include <cstdio>

namespace host {

namespace {

constexpr int kBarWidth = 20;

std::string bar_text(int pct) {
  int filled = pct * kBarWidth / 100;
  std::string bar = "[";
  bar.append(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kBarWidth - filled), ' ');
  return bar + "]";
}

}  // namespace

std::string progress_time_left(std::chrono::steady_clock::duration elapsed, int pct) {
  if (pct <= 0) return {};
  pct = std::min(pct, 100);
  long long elapsed_us = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
  // Rounded up: an estimate that says 0:00 while work remains reads as done.
  long long left_us = elapsed_us * (100 - pct) / pct;
  long long seconds = (left_us + 999999) / 1000000;
  char text[48];
  if (seconds >= 3600)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld left", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld left", seconds / 60, seconds % 60);
  return text;
}

std::string progress_line(const std::string& title, int pct, std::chrono::steady_clock::duration elapsed,
                          int columns) {
  pct = std::clamp(pct, 0, 100);
  char percent[8];
  std::snprintf(percent, sizeof percent, "%3d%%", pct);
  const std::string bar = bar_text(pct);
  const std::string left = progress_time_left(elapsed, pct);
  const std::size_t room = static_cast<std::size_t>(std::max(columns - 1, 0));

  std::string end = " " + bar + " " + percent + (left.empty() ? "" : "  " + left);
  if (end.size() > room) end = " " + bar + " " + percent;
  if (end.size() > room) end = std::string(" ") + percent;
  if (end.size() > room) return std::string(percent).substr(0, room);
  return title.substr(0, room - end.size()) + end;
}

}  // namespace host
