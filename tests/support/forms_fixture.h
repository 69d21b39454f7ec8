#pragma once

#include <gtest/gtest.h>

#include "forms/host.h"
#include "forms/test_host.h"

// A GoogleTest fixture for tests that use windows: a TestHost is installed for the test, whatever
// it did not script (a message box, a modal window, an Open dialog) fails the test, and no window
// outlives the test.
class FormsTest : public ::testing::Test {
  protected:
    FormsTest();
    ~FormsTest() override;

    forms::TestHost host;

  private:
    forms::ScopedHost installed_{host};
};

// A TestHost failure handler that fails the running GoogleTest test.
forms::TestHost::FailureHandler FailTheRunningTest();
