// The progress bar's terminal line: the bar, the percentage, the estimate of
// the time left, and how the line fits a narrow terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "scene/progress_line.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(ProgressTimeLeft, EstimatesFromTheElapsedTimeAndThePercentage) {
  EXPECT_EQ(host::progress_time_left(seconds(10), 0), "");  // nothing to estimate from yet
  EXPECT_EQ(host::progress_time_left(seconds(10), -5), "");
  EXPECT_EQ(host::progress_time_left(seconds(10), 50), "0:10 left");
  EXPECT_EQ(host::progress_time_left(seconds(10), 25), "0:30 left");
  EXPECT_EQ(host::progress_time_left(seconds(30), 20), "2:00 left");
  EXPECT_EQ(host::progress_time_left(seconds(36), 1), "59:24 left");
  EXPECT_EQ(host::progress_time_left(seconds(40), 1), "1:06:00 left");
  EXPECT_EQ(host::progress_time_left(seconds(10), 100), "0:00 left");
  EXPECT_EQ(host::progress_time_left(seconds(10), 250), "0:00 left");
  // Part of a second left reads as a second, not as done.
  EXPECT_EQ(host::progress_time_left(milliseconds(10), 50), "0:01 left");
  EXPECT_EQ(host::progress_time_left(milliseconds(0), 50), "0:00 left");
}

TEST(ProgressLine, ShowsTheTitleBarPercentageAndEstimate) {
  EXPECT_EQ(host::progress_line("Baking", 0, seconds(3), 80), "Baking [                    ]   0%");
  EXPECT_EQ(host::progress_line("Baking", 50, seconds(5), 80),
            "Baking [##########          ]  50%  0:05 left");
  EXPECT_EQ(host::progress_line("Baking", 100, seconds(5), 80),
            "Baking [####################] 100%  0:00 left");
  EXPECT_EQ(host::progress_line("Baking", 7, seconds(7), 80),
            "Baking [#                   ]   7%  1:33 left");
  EXPECT_EQ(host::progress_line("Baking", 140, seconds(5), 80),
            "Baking [####################] 100%  0:00 left");
  EXPECT_EQ(host::progress_line("Baking", -3, seconds(5), 80), "Baking [                    ]   0%");
}

TEST(ProgressLine, FitsANarrowTerminalWithoutWrapping) {
  const std::string full = "A long title [##########          ]  50%  0:05 left";
  EXPECT_EQ(host::progress_line("A long title", 50, seconds(5), static_cast<int>(full.size()) + 1), full);
  // The title goes first, then the estimate, then the bar.
  EXPECT_EQ(host::progress_line("A long title", 50, seconds(5), static_cast<int>(full.size())),
            "A long titl [##########          ]  50%  0:05 left");
  EXPECT_EQ(host::progress_line("A long title", 50, seconds(5), 40),
            " [##########          ]  50%  0:05 left");
  EXPECT_EQ(host::progress_line("A long title", 50, seconds(5), 30), "A [##########          ]  50%");
  EXPECT_EQ(host::progress_line("A long title", 50, seconds(5), 20), "A long title  50%");
  EXPECT_EQ(host::progress_line("A long title", 50, seconds(5), 5), " 50%");
  EXPECT_EQ(host::progress_line("A long title", 50, seconds(5), 3), " 5");
  EXPECT_EQ(host::progress_line("A long title", 50, seconds(5), 0), "");
}

}  // namespace
