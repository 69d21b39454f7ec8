#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Sending names of programs to the definitions server, so that spyware the definitions do not yet
// know can be identified. Names travel encoded through the line codec, joined by "|".

// Programs every machine runs, never sent by the automatic submission (letter case counts).
inline constexpr std::array<std::string_view, 8> kProgramsNeverSubmitted = {
    "System",      "System Idle Process", "winlogon.exe", "services.exe",
    "svchost.exe", "explorer.exe",        "firefox.exe",  "iexplore.exe",
};

// One name submitted by hand: the encoded name followed by "|".
std::string ManualSubmissionPayload(std::string_view name);

// The encoded names, without the never-submitted ones, joined by "|"; "" when none is left.
std::string RunningProgramsPayload(const std::vector<std::string>& programNames);

// Whether the server's reply to a submission says it took the name ("Added" or "Skipped", in
// any letter case).
bool SubmissionAccepted(std::string_view reply);

// The payload of the automatic submission from the running programs, in the order the process
// service lists them; "" when nothing is to be sent.
std::string ListRunningProcessNamesWmi();

// Sends the names of the running programs, when there are any to send. The reply is not looked
// at and nothing is shown. The callers decide whether the user allows it.
void SubmitAnonymousData();
