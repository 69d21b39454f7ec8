#include "forms/form_registry.h"

#include <algorithm>

#include "platform/text_case.h"

namespace forms {
namespace {

struct LoadedForm {
    std::type_index type;
    std::unique_ptr<Form> form;
};

struct Registry {
    std::vector<LoadedForm> loaded;  // load order
    std::vector<std::unique_ptr<Form>> unloaded;
    Observers<Form&, FormEvent> observers;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

Form* FormLoader::Find(std::type_index type) {
    for (const LoadedForm& entry : TheRegistry().loaded) {
        if (entry.type == type) {
            return entry.form.get();
        }
    }
    return nullptr;
}

Form& FormLoader::Load(std::type_index type, std::unique_ptr<Form> form) {
    Registry& registry = TheRegistry();
    Form& loading = *form;
    registry.loaded.push_back(LoadedForm{type, std::move(form)});
    loading.BeginLoad();
    registry.observers.Notify(loading, FormEvent::Loaded);
    loading.Form_Load();
    return loading;
}

void FormLoader::Retire(Form& form) {
    Registry& registry = TheRegistry();
    auto found =
        std::find_if(registry.loaded.begin(), registry.loaded.end(),
                     [&form](const LoadedForm& entry) { return entry.form.get() == &form; });
    if (found == registry.loaded.end()) {
        return;
    }
    registry.unloaded.push_back(std::move(found->form));
    registry.loaded.erase(found);
    registry.observers.Notify(form, FormEvent::Unloaded);
}

std::vector<Form*> LoadedForms() {
    std::vector<Form*> forms;
    for (const LoadedForm& entry : TheRegistry().loaded) {
        forms.push_back(entry.form.get());
    }
    return forms;
}

Form* FindLoadedForm(std::int32_t hwnd) {
    for (const LoadedForm& entry : TheRegistry().loaded) {
        if (entry.form->Hwnd() == hwnd) {
            return entry.form.get();
        }
    }
    return nullptr;
}

Form* FindLoadedForm(std::string_view name) {
    for (const LoadedForm& entry : TheRegistry().loaded) {
        if (platform::EqualsIgnoringCase(entry.form->Name(), name)) {
            return entry.form.get();
        }
    }
    return nullptr;
}

ObserverId ObserveForms(std::function<void(Form&, FormEvent)> observer) {
    return TheRegistry().observers.Add(std::move(observer));
}

void StopObservingForms(ObserverId id) {
    TheRegistry().observers.Remove(id);
}

void DestroyUnloadedForms() {
    // Moved out first: a destructor must not find the list half-cleared.
    auto unloaded = std::move(TheRegistry().unloaded);
    TheRegistry().unloaded.clear();
}

void DestroyAllForms() {
    Registry& registry = TheRegistry();
    auto loaded = std::move(registry.loaded);
    registry.loaded.clear();
    for (LoadedForm& entry : loaded) {
        registry.observers.Notify(*entry.form, FormEvent::Unloaded);
    }
    loaded.clear();
    DestroyUnloadedForms();
}

}  // namespace forms
