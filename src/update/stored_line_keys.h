#pragma once

#include <string>
#include <string_view>

// The deletion key of a definition line read straight from its stored bytes (8-bit, encoded): the
// decoded text before the first encoded "=", in lower case, as UTF-8 — the same text as
// ToLowerText(DefinitionLineKey(Windows1252ToUtf8(storedLine))). The rewrite after a deletion asks
// this of every line of a large file, so each byte maps through a table made once, into a buffer
// that is reused from line to line. The keys of a package's records go through the same table.
class StoredLineKeys {
  public:
    // Valid until the next call.
    std::string_view LowerKeyOf(std::string_view storedLine);
    // The same key of an update record's definition, whose "=" arrives plain and which is UTF-8
    // text: ToLowerText(UpdateDefinitionKey(definition)), made through the stored bytes too.
    std::string_view LowerKeyOfDefinition(std::string_view definition);

  private:
    // The decoded text of stored bytes in lower case, as UTF-8.
    std::string_view LowerTextOf(std::string_view stored);

    std::string key_;
};
