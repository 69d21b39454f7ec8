#pragma once

#include <exception>

// Runs one step of a sequence whose failing steps are skipped: a failure ends the step and the
// sequence goes on. The end of the process is no failure and passes through.
template <class Step>
void SkipOnFailure(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}
