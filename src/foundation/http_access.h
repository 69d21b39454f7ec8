#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "platform/http.h"

// The program's requests: plain GETs whose answers are read whole as text (Windows-1252 on the
// wire, like the addresses), yielding to the window loop after every piece of the body and while
// the server keeps them waiting, so a user action or a timer can run inside a request. Only a whole
// answer counts: one whose status is below 400 and whose end the server announced (a length, or
// the chunked encoding) and kept. An error page, a body cut where the connection closed, and a
// request that outlived its deadline give nothing.

// How long a request may take in all, however steadily the server trickles: a short answer (a
// date, a submission's reply) and a whole package or language file.
inline constexpr std::chrono::milliseconds kShortAnswerDeadline{60'000};
inline constexpr std::chrono::milliseconds kLongAnswerDeadline{600'000};

struct TextRequest {
    std::chrono::milliseconds deadline = kShortAnswerDeadline;
    // Handed "Downloaded <n> bytes." after every piece of the body but the first.
    std::function<void(const std::string&)> showProgress;
    // Asked after every piece and while waiting; true ends the request at once (the connection is
    // closed).
    std::function<bool()> abandoned;
};

struct TextAnswer {
    std::string text;  // the whole answer as UTF-8; "" when there is none
    bool whole = false;
    bool abandoned = false;  // ended because TextRequest::abandoned said so
};

TextAnswer GetTextAnswer(std::string_view url, const TextRequest& request);

// The body of a whole answer, or "" (no connection, a failed or partial answer).
std::string HttpGetText(std::string_view url);

// Stores the answer in filePath (a Windows path); true when the whole answer was stored. A failed
// download leaves the file as it was.
bool DownloadUrlToFile(std::string_view url, std::string_view filePath);

// Tests only: the time-outs and size cap of every request (platform::HttpLimits{} until set), so
// that a test of a silent or slow server need not wait out the real time-outs; a request's own
// deadline is cut to the one given here. Returns the limits before.
platform::HttpLimits SetHttpLimitsForTests(const platform::HttpLimits& limits);
