// Window tests run against a virtual X server of their own.
#pragma once

#include "subprocess.h"
#include "xvfb.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

class XDisplayTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = std::make_unique<test_support::Xvfb>(); }
  static void TearDownTestSuite() { server_.reset(); }

  // Starts the test window with the given options and waits until it is up.
  static std::unique_ptr<test_support::Subprocess> open_window(std::vector<std::string> options) {
    options.insert(options.begin(), test_support::helper_path("x_test_window"));
    auto window = std::make_unique<test_support::Subprocess>(options);
    auto line = window->read_line();
    EXPECT_TRUE(line && line->starts_with("ready "))
        << "the test window did not come up: " << line.value_or("(no output)");
    return window;
  }

  static inline std::unique_ptr<test_support::Xvfb> server_;
};
