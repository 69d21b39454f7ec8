#pragma once

#include <string>

// Removes offensive words from a status-line text (a file or key name being scanned) wherever
// their letters occur, without letter case, so "Essex" shows as "Es". The filtered text is left in
// text and also returned.
std::string FilterOffensiveWords(std::string& text);
