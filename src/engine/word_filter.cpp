#include "engine/word_filter.h"

#include <string_view>

#include "platform/text_case.h"

namespace {

// Removed in this order, one word at a time ("fuck" stands twice in the list).
constexpr std::string_view kOffensiveWords[] = {
    "fuck",   "shit",   "asshole", "cock",  "slut", "whore",   "blowjob", "anal",    "bastard",
    "fuck",   "fag",    "cum",     "pussy", "suck", "lesbian", "faggot",  "dick",    "bitch",
    "pecker", "nigger", "kike",    "kyke",  "cunt", "tits",    "titty",   "titties", "boob",
    "clit",   "spic",   "fart",    "piss",  "butt", "boner",   "racist",  "douche",  "beaver",
    "dike",   "jap",    "wop",     "sex",   "porn", "incest",
};

// One left-to-right pass removing every occurrence of word, compared without case. Letters that
// a removal brings together are not looked at again.
std::string RemoveEveryOccurrence(const std::string& text, std::string_view word) {
    // Case mapping keeps every character's length, so positions in the folded copy hold.
    const std::string folded = platform::ToLowerText(text);
    std::string result;
    std::size_t from = 0;
    for (auto at = folded.find(word); at != std::string::npos; at = folded.find(word, from)) {
        result.append(text, from, at - from);
        from = at + word.size();
    }
    return result.append(text, from);
}

}  // namespace

std::string FilterOffensiveWords(std::string& text) {
    for (std::string_view word : kOffensiveWords) {
        text = RemoveEveryOccurrence(text, word);
    }
    return text;
}
