#include "forms_fixture.h"

#include "forms/form_registry.h"

forms::TestHost::FailureHandler FailTheRunningTest() {
    return [](const std::string& message) { ADD_FAILURE() << message; };
}

FormsTest::FormsTest() : host(FailTheRunningTest()) {}

// The windows go while the host still serves their timers.
FormsTest::~FormsTest() {
    forms::DestroyAllForms();
}
