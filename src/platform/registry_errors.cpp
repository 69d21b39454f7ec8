#include "platform/registry.h"

namespace platform {

std::string RegistryErrorText(long code) {
    switch (code) {
        case ERROR_SUCCESS:
            return "";
        case ERROR_FILE_NOT_FOUND:
            return "The registry key or value does not exist.";
        case ERROR_PATH_NOT_FOUND:
            return "The folder of the registry file does not exist.";
        case ERROR_ACCESS_DENIED:
            return "This account may not change this part of the registry.";
        case ERROR_INVALID_HANDLE:
            return "The registry key is not open.";
        case ERROR_WRITE_FAULT:
            return "The registry file could not be written; it was left as it was.";
        case ERROR_INVALID_PARAMETER:
            return "The registry request is not valid.";
        case ERROR_BADDB:
            return "The registry file could not be read, so it is not changed.";
        case ERROR_KEY_DELETED:
            return "The registry key was deleted.";
        case ERROR_WINE_TOOL_NOT_STARTED:
            return "Programs of this Windows installation are running, so Wine keeps its registry "
                   "in memory and only Wine's own registry tool can reach it, but \"wine\" could "
                   "not be started.";
        case ERROR_WINE_TOOL_TIMED_OUT:
            return "Programs of this Windows installation are running, so Wine's own registry "
                   "tool was used, and it did not finish within 20 seconds; it was stopped.";
        case ERROR_WINE_TOOL_FAILED:
            return "Programs of this Windows installation are running, so Wine's own registry "
                   "tool was used, and it reported a failure.";
        default:
            return "The registry request failed (error " + std::to_string(code) + ").";
    }
}

bool IsWineToolError(long code) {
    return code == ERROR_WINE_TOOL_NOT_STARTED || code == ERROR_WINE_TOOL_TIMED_OUT ||
           code == ERROR_WINE_TOOL_FAILED;
}

}  // namespace platform
