#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "forms/form.h"
#include "forms/observers.h"

// The loaded windows: one default instance per window class, loaded by its first reference, kept
// in load order until it is unloaded.
namespace forms {

enum class FormEvent { Loaded, Unloaded };

// The bookkeeping behind DefaultInstance(); the program uses the functions below.
class FormLoader {
  public:
    static Form* Find(std::type_index type);
    // Registers the new window as loaded (its timers start), tells the observers, runs Form_Load.
    static Form& Load(std::type_index type, std::unique_ptr<Form> form);
    // Takes an unloaded window out of the loaded windows; it is destroyed later.
    static void Retire(Form& form);
};

// The window of class F, loaded (constructed, then Form_Load run) when it is not loaded. A
// reference made while Form_Load runs returns the window being loaded. A failure that leaves
// Form_Load reaches the caller; the window stays loaded.
template <class F>
F& DefaultInstance() {
    static_assert(std::is_base_of_v<Form, F>, "a window class derives from forms::Form");
    if (Form* loaded = FormLoader::Find(typeid(F))) {
        return static_cast<F&>(*loaded);
    }
    return static_cast<F&>(FormLoader::Load(typeid(F), std::make_unique<F>()));
}

// The window of class F when it is loaded, else null; never loads it.
template <class F>
F* LoadedInstance() {
    return static_cast<F*>(FormLoader::Find(typeid(F)));
}

template <class F>
bool IsLoaded() {
    return LoadedInstance<F>() != nullptr;
}

// The loaded windows in the order they were loaded.
std::vector<Form*> LoadedForms();
// The loaded window with this handle, or with this name (letter case ignored); null when none.
Form* FindLoadedForm(std::int32_t hwnd);
Form* FindLoadedForm(std::string_view name);

// Told when a window has been loaded (before its Form_Load runs) and when it has been unloaded.
ObserverId ObserveForms(std::function<void(Form&, FormEvent)> observer);
void StopObservingForms(ObserverId id);

// Destroys the objects of unloaded windows. The host calls it when control is back in its outermost
// event loop, where no handler of any window is running; tests call it when they hold no reference
// to an unloaded window.
void DestroyUnloadedForms();
// Destroys every window, loaded or not, without raising their events (the observers are told of
// the unloads). For the end of the process and of each test.
void DestroyAllForms();

}  // namespace forms
