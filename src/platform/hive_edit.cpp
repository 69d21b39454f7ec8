#include "platform/hive_edit.h"

namespace platform {

long ApplyHiveEdit(Hive& hive, const HiveEdit& edit) {
    switch (edit.kind) {
        case HiveEdit::Kind::CreateKey:
            CreatePath(hive.root, edit.path);
            return ERROR_SUCCESS;
        case HiveEdit::Kind::SetValue:
        case HiveEdit::Kind::DeleteValue: {
            HiveKey* key = FindPath(hive.root, edit.path);
            if (!key) {
                return ERROR_KEY_DELETED;
            }
            if (edit.kind == HiveEdit::Kind::SetValue) {
                SetValue(*key, edit.name, edit.value);
                return ERROR_SUCCESS;
            }
            return DeleteValue(*key, edit.name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        }
        case HiveEdit::Kind::DeleteKey: {
            if (edit.path.empty()) {
                return ERROR_INVALID_PARAMETER;  // never a whole hive
            }
            std::vector<std::string> parentPath(edit.path.begin(), edit.path.end() - 1);
            HiveKey* parent = FindPath(hive.root, parentPath);
            return parent && RemoveSubKey(*parent, edit.path.back()) ? ERROR_SUCCESS
                                                                     : ERROR_FILE_NOT_FOUND;
        }
    }
    return ERROR_INVALID_PARAMETER;
}

}  // namespace platform
