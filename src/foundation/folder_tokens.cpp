#include "foundation/folder_tokens.h"

#include "platform/text_case.h"

namespace {

constexpr int CSIDL_PROGRAMS = 2;

enum class TokenFolderKind {
    Special,          // the special folder of the token's number
    UserProfile,      // the user's profile folder
    AllUsersProfile,  // the profile folder shared by all users
};

struct FolderToken {
    std::string_view text;
    int csidl;
    TokenFolderKind kind = TokenFolderKind::Special;
    bool matchesCase = false;
};

// The order is part of the format: a token's folder is put in before the later tokens are looked
// for. "[desktop]" is the all-users desktop and "[comdesk]" the user's own, the reverse of the
// other "com" tokens; definition files rely on that.
constexpr std::array<FolderToken, kFolderTokenCount> kFolderTokens = {{
    {"[startsp]", 29},
    {"[appdata]", 26},
    {"[recycle]", 10},
    {"[comstar]", 30},
    {"[comapp]", 35},
    {"[desktop]", 25},
    {"[comdocs]", 46},
    {"[comfav]", 31},
    {"[comprog]", 23},
    {"[comstam]", 22},
    {"[comtemp]", 45},
    {"[cookies]", 33},
    {"[comdesk]", 16},
    {"[favorit]", 6},
    {"[fonts]", 20},
    {"[history]", 34},
    {"[netcach]", 32},
    {"[progs]", 2},
    {"[progfil]", 38},
    {"[comprogfil]", 43},
    {"[personl]", 5},
    {"[recent]", 8},
    {"[sendto]", 9},
    {"[startup]", 7},
    {"[strtmnu]", 11},
    {"[system]", 37},
    {"[templat]", 21},
    {"[windir]", 36},
    // Once derived from the start menus, which older profiles kept directly in the profile folders;
    // they stand for the profile folders themselves, whatever the layout.
    {"[user]", 0, TokenFolderKind::UserProfile, true},
    {"[alluser]", 0, TokenFolderKind::AllUsersProfile, true},
}};

// searched is the text itself for a token that matches case, else its lower-case copy; both have
// the same length, so a position found in one holds in the other.
std::string ReplaceToken(std::string_view text, std::string_view searched, const FolderToken& token,
                         std::size_t first, std::string_view folder) {
    std::string result;
    std::size_t from = 0;
    for (auto at = first; at != std::string_view::npos; at = searched.find(token.text, from)) {
        result.append(text.substr(from, at - from)).append(folder);
        from = at + token.text.size();
    }
    return result.append(text.substr(from));
}

std::string WithSeparator(std::string path) {
    if (!path.empty() && path.back() != '\\') {
        path.push_back('\\');
    }
    return path;
}

std::string SpecialFolderPath(platform::Machine& machine, int csidl) {
    const std::string path = machine.specialFolders().Path(csidl);
    return path.empty() ? "" : path + "\\";
}

std::string ShellFolderPath(platform::Machine& machine, int csidl) {
    return WithSeparator(machine.specialFolders().Path(csidl));
}

std::string ProfileFolderPath(platform::Machine& machine, TokenFolderKind kind) {
    const platform::SpecialFolders& folders = machine.specialFolders();
    return WithSeparator(kind == TokenFolderKind::UserProfile ? folders.UserProfilePath()
                                                              : folders.AllUsersProfilePath());
}

std::string SystemDriveRootOf(platform::Machine& machine) {
    std::string root = ShellFolderPath(machine, CSIDL_PROGRAMS).substr(0, 3);
    if (root.empty()) {
        // Without a start menu "[drive]" would vanish and leave relative paths, which name files
        // in whatever folder the program runs from: take the system folder's drive instead.
        root = WithSeparator(machine.specialFolders().SystemFolder()).substr(0, 3);
    }
    return root;
}

}  // namespace

FolderTokenExpander::FolderTokenExpander(platform::Machine& machine) : machine_(machine) {}

std::string FolderTokenExpander::Expand(std::string_view path) {
    std::string result(path);
    // The tokens are lower case: the searches that ignore case look in a lower-case copy, made
    // again only after a replacement. Every token starts with "[", so a text without one is done.
    std::string lowered = platform::ToLowerText(result);
    for (std::size_t index = 0; index < kFolderTokens.size(); ++index) {
        if (result.find('[') == std::string::npos) {
            break;
        }
        const FolderToken& token = kFolderTokens[index];
        const std::string& searched = token.matchesCase ? result : lowered;
        const std::size_t first = searched.find(token.text);
        if (first != std::string::npos) {
            result = ReplaceToken(result, searched, token, first, TokenFolder(index));
            lowered = platform::ToLowerText(result);
        }
    }
    return result;
}

const std::string& FolderTokenExpander::SystemDriveRoot() {
    if (!driveRoot_) {
        driveRoot_ = SystemDriveRootOf(machine_);
    }
    return *driveRoot_;
}

std::vector<std::string> FolderTokenExpander::TokenFolders() {
    std::vector<std::string> folders;
    for (std::size_t index = 0; index < kFolderTokens.size(); ++index) {
        if (!TokenFolder(index).empty()) {
            folders.push_back(TokenFolder(index));
        }
    }
    return folders;
}

const std::string& FolderTokenExpander::TokenFolder(std::size_t index) {
    auto& folder = folders_[index];
    if (!folder) {
        const FolderToken& token = kFolderTokens[index];
        folder = token.kind == TokenFolderKind::Special ? SpecialFolderPath(machine_, token.csidl)
                                                        : ProfileFolderPath(machine_, token.kind);
    }
    return *folder;
}

std::string ExpandFolderTokens(std::string_view path) {
    return FolderTokenExpander().Expand(path);
}

std::string GetSpecialFolderPath(int csidl) {
    return SpecialFolderPath(platform::CurrentMachine(), csidl);
}

std::string GetShellFolderPath(int csidl) {
    return ShellFolderPath(platform::CurrentMachine(), csidl);
}

std::string GetSystemDriveRoot() {
    return SystemDriveRootOf(platform::CurrentMachine());
}
