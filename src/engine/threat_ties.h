#pragma once

#include <string_view>

namespace forms {
class ListItem;
}  // namespace forms

// Which trace rows belong to a threat row. The scan writes one threat row per threat name, letter
// case ignored, however many phases met the threat; so every file or registry trace that carries
// the threat's name belongs to it, whichever phase met the threat first. Cookies and folders are
// also tied by their path (result_rows.h).

// Whether a trace's threat name is the threat row's name.
bool IsSameThreatName(std::string_view threatRowText, std::string_view traceThreatName);

// Whether the row of lvwFilesToBeDeleted (path; threat name) is a trace of the threat row.
bool IsFileTraceOf(const forms::ListItem& threat, const forms::ListItem& fileRow);

// Whether the row of lvwRegistryToBeDeleted (root; key path; value name; threat name) is a trace
// of the threat row. A key record without a threat name gave its key path as the threat's name.
bool IsRegistryTraceOf(const forms::ListItem& threat, const forms::ListItem& registryRow);

// Whether the row of lvwCookiesToDelete (path) is the cookie of the threat row.
bool IsCookieTraceOf(const forms::ListItem& threat, const forms::ListItem& cookieRow);
