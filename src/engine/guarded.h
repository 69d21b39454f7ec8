#pragma once

#include <exception>
#include <utility>

// Runs one step of a procedure whose steps each go on when one fails: a failing control call,
// settings read or registry call is skipped and the caller goes on with its next step.
template <class Step>
void RunIgnoringFailure(Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (const std::exception&) {
    }
}
