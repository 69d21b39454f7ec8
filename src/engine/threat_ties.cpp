#include "engine/threat_ties.h"

#include "engine/result_rows.h"
#include "forms/list_view.h"
#include "platform/text_case.h"

namespace {

ResultKind KindOf(const forms::ListItem& threat) {
    return static_cast<ResultKind>(threat.SmallIcon());
}

// Excluded lines and cookies carry no threat name their traces could repeat.
bool HasNamedTraces(const forms::ListItem& threat) {
    const ResultKind kind = KindOf(threat);
    return kind == ResultKind::Registry || kind == ResultKind::File || kind == ResultKind::Folder;
}

}  // namespace

bool IsSameThreatName(std::string_view threatRowText, std::string_view traceThreatName) {
    return platform::EqualsIgnoringCase(threatRowText, traceThreatName);
}

bool IsFileTraceOf(const forms::ListItem& threat, const forms::ListItem& fileRow) {
    if (!HasNamedTraces(threat)) {
        return false;
    }
    return IsSameThreatName(threat.Text(), fileRow.SubItems(1)) ||
           (KindOf(threat) == ResultKind::Folder && fileRow.Text() == threat.SubItems(1));
}

bool IsRegistryTraceOf(const forms::ListItem& threat, const forms::ListItem& registryRow) {
    if (!HasNamedTraces(threat)) {
        return false;
    }
    return IsSameThreatName(threat.Text(), registryRow.SubItems(3)) ||
           (KindOf(threat) == ResultKind::Registry &&
            IsSameThreatName(threat.Text(), registryRow.SubItems(1)));
}

bool IsCookieTraceOf(const forms::ListItem& threat, const forms::ListItem& cookieRow) {
    return KindOf(threat) == ResultKind::Cookie && cookieRow.Text() == threat.SubItems(1);
}
