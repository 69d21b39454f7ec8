#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/http.h"

namespace forms {
class TextBox;
}

// The program's requests: plain GETs whose answers are read whole as text (Windows-1252 on the
// wire, like the addresses), yielding to the window loop after every piece of the body and while
// the server keeps them waiting, so a user action or a timer can run inside a request. An error
// page of the server comes back like any other body; callers recognise success by the content they
// expect.

// The body of the answer, or "" when no complete answer could be had (no connection, a transfer
// broken off or timed out): a part of an answer is never taken for the whole.
std::string HttpGetText(std::string_view url);

// The same, showing "Downloaded <n> bytes." in statusBox after every piece of the body but the
// first.
std::string HttpGetTextWithProgress(std::string_view url, forms::TextBox& statusBox);
// The same, handing the progress text to showProgress, for a caller whose status box may be
// unloaded and loaded again while the answer arrives.
std::string HttpGetTextWithProgress(std::string_view url,
                                    const std::function<void(const std::string&)>& showProgress);

// Stores the answer in filePath (a Windows path); true when the whole answer was stored. A failed
// download leaves the file as it was.
bool DownloadUrlToFile(std::string_view url, std::string_view filePath);

// Tests only: the time-outs and size cap of every request (platform::HttpLimits{} until set), so
// that a test of a silent server need not wait out the real time-outs. Returns the limits before.
platform::HttpLimits SetHttpLimitsForTests(const platform::HttpLimits& limits);
