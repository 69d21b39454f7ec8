#include "platform/us_date.h"

#include <cctype>
#include <ctime>
#include <vector>

namespace platform {
namespace {

constexpr const char* kWeekdayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1/1/1970 of a day of the proleptic Gregorian calendar.
std::int64_t DaysSinceEpoch(int year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string TwoDigits(int number) {
    return std::string(1, static_cast<char>('0' + number / 10)) +
           static_cast<char>('0' + number % 10);
}

// --- Parsing -------------------------------------------------------------------------------

// The text split into runs of digits and single separator characters, blanks dropped.
struct Token {
    bool isNumber;
    int number;
    int digits;
    std::string word;  // a separator or a run of letters
};

std::optional<std::vector<Token>> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    for (std::size_t pos = 0; pos < text.size();) {
        const unsigned char c = text[pos];
        if (std::isspace(c)) {
            ++pos;
        } else if (std::isdigit(c)) {
            Token token{true, 0, 0, {}};
            for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]));
                 ++pos) {
                if (++token.digits > 4) {
                    return std::nullopt;
                }
                token.number = token.number * 10 + (text[pos] - '0');
            }
            tokens.push_back(token);
        } else if (std::isalpha(c)) {
            Token token{false, 0, 0, {}};
            for (; pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos]));
                 ++pos) {
                token.word.push_back(static_cast<char>(std::toupper(text[pos])));
            }
            tokens.push_back(token);
        } else {
            tokens.push_back({false, 0, 0, std::string(1, static_cast<char>(c))});
            ++pos;
        }
    }
    return tokens;
}

class TokenReader {
  public:
    explicit TokenReader(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    bool AtEnd() const { return next_ == tokens_.size(); }
    const Token* Peek(std::size_t ahead = 0) const {
        return next_ + ahead < tokens_.size() ? &tokens_[next_ + ahead] : nullptr;
    }
    std::optional<Token> TakeNumber() {
        if (const Token* token = Peek(); token && token->isNumber) {
            ++next_;
            return *token;
        }
        return std::nullopt;
    }
    bool TakeWord(std::string_view word) {
        if (const Token* token = Peek(); token && !token->isNumber && token->word == word) {
            ++next_;
            return true;
        }
        return false;
    }

  private:
    std::vector<Token> tokens_;
    std::size_t next_ = 0;
};

int FullYear(const Token& year) {
    if (year.digits > 2) {
        return year.number;
    }
    return year.number < 30 ? 2000 + year.number : 1900 + year.number;
}

// "M/d/yyyy" (or with "-"), or "yyyy-M-d" when the first number has four digits.
bool ReadDate(TokenReader& reader, DateTime& value) {
    const auto first = reader.TakeNumber();
    if (!first) {
        return false;
    }
    const Token* separator = reader.Peek();
    if (!separator || (separator->word != "/" && separator->word != "-")) {
        return false;
    }
    const std::string mark = separator->word;
    reader.TakeWord(mark);
    const auto second = reader.TakeNumber();
    if (!second || !reader.TakeWord(mark)) {
        return false;
    }
    const auto third = reader.TakeNumber();
    if (!third) {
        return false;
    }
    const bool yearFirst = first->digits == 4;
    value.year = yearFirst ? first->number : FullYear(*third);
    value.month = yearFirst ? second->number : first->number;
    value.day = yearFirst ? third->number : second->number;
    return true;
}

// "H:mm" or "H:mm:ss", optionally followed by "AM" or "PM".
bool ReadTime(TokenReader& reader, DateTime& value) {
    const auto hour = reader.TakeNumber();
    if (!hour || !reader.TakeWord(":")) {
        return false;
    }
    const auto minute = reader.TakeNumber();
    if (!minute) {
        return false;
    }
    int second = 0;
    if (reader.TakeWord(":")) {
        const auto seconds = reader.TakeNumber();
        if (!seconds) {
            return false;
        }
        second = seconds->number;
    }
    value.hour = hour->number;
    value.minute = minute->number;
    value.second = second;
    const bool am = reader.TakeWord("AM") || reader.TakeWord("A");
    const bool pm = !am && (reader.TakeWord("PM") || reader.TakeWord("P"));
    if (am || pm) {
        if (value.hour > 12) {
            return false;
        }
        value.hour = value.hour % 12 + (pm ? 12 : 0);
    }
    return true;
}

bool StartsWithTime(const TokenReader& reader) {
    const Token* separator = reader.Peek(1);
    return separator && separator->word == ":";
}

}  // namespace

DateTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

bool IsValidDateTime(const DateTime& value) {
    return value.year >= 100 && value.year <= 9999 && value.month >= 1 && value.month <= 12 &&
           value.day >= 1 && value.day <= DaysInMonth(value.year, value.month) && value.hour >= 0 &&
           value.hour <= 23 && value.minute >= 0 && value.minute <= 59 && value.second >= 0 &&
           value.second <= 59;
}

std::string FormatShortDate(const DateTime& value) {
    return std::to_string(value.month) + "/" + std::to_string(value.day) + "/" +
           std::to_string(value.year);
}

std::string FormatLongTime(const DateTime& value) {
    const int hour12 = value.hour % 12 == 0 ? 12 : value.hour % 12;
    return std::to_string(hour12) + ":" + TwoDigits(value.minute) + ":" + TwoDigits(value.second) +
           (value.hour < 12 ? " AM" : " PM");
}

std::string FormatGeneralDate(const DateTime& value) {
    if (value.IsTimeOnly()) {
        return FormatLongTime(value);
    }
    if (value.IsMidnight()) {
        return FormatShortDate(value);
    }
    return FormatShortDate(value) + " " + FormatLongTime(value);
}

std::string FormatTime24(const DateTime& value) {
    return TwoDigits(value.hour) + ":" + TwoDigits(value.minute) + ":" + TwoDigits(value.second);
}

std::string FormatDayMonthYear(const DateTime& value) {
    std::string year = std::to_string(value.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return TwoDigits(value.day) + "/" + TwoDigits(value.month) + "/" + year;
}

std::string WeekdayName(const DateTime& value) {
    // 1/1/1970 was a Thursday.
    const std::int64_t days = DaysSinceEpoch(value.year, value.month, value.day);
    const auto weekday = ((days % 7) + 7 + 4) % 7;
    return kWeekdayNames[weekday];
}

std::string FormatGroupedNumber(std::int64_t number) {
    const std::string digits = std::to_string(number < 0 ? -(number + 1) + 1ull : number + 0ull);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped.push_back(',');
        }
        grouped.push_back(digits[i]);
    }
    return number < 0 ? "-" + grouped : grouped;
}

std::optional<DateTime> ParseUsDate(std::string_view text) {
    auto tokens = Tokenize(text);
    if (!tokens || tokens->empty()) {
        return std::nullopt;
    }
    TokenReader reader(std::move(*tokens));
    DateTime value;
    if (!StartsWithTime(reader) && !ReadDate(reader, value)) {
        return std::nullopt;
    }
    if (!reader.AtEnd() && !ReadTime(reader, value)) {
        return std::nullopt;
    }
    if (!reader.AtEnd() || !IsValidDateTime(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace platform
