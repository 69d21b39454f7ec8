#include "qt/form_renderer.h"

#include "qt/outermost_loop.h"

namespace frontend {

FormRenderer::FormRenderer() {
    for (forms::Form* form : forms::LoadedForms()) {
        OnFormEvent(*form, forms::FormEvent::Loaded);
    }
    observer_ = forms::ObserveForms(
        [this](forms::Form& form, forms::FormEvent event) { OnFormEvent(form, event); });
}

FormRenderer::~FormRenderer() {
    forms::StopObservingForms(observer_);
    for (auto& [form, window] : windows_) {
        delete window.data();
    }
}

void FormRenderer::OnFormEvent(forms::Form& form, forms::FormEvent event) {
    if (event == forms::FormEvent::Loaded) {
        windows_[&form] = new FormWindow(form, applicationInTaskbar_);
        return;
    }
    auto found = windows_.find(&form);
    if (found == windows_.end()) {
        return;
    }
    if (FormWindow* window = found->second) {
        window->Detach();
        DeleteWhenOutermost(window);  // a handler of the window may still be running
    }
    windows_.erase(found);
}

FormWindow* FormRenderer::WindowOf(const forms::Form& form) const {
    auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second.data();
}

FormWindow* FormRenderer::WindowOf(std::int32_t hwnd) const {
    for (const auto& [form, window] : windows_) {
        if (form->Hwnd() == hwnd) {
            return window.data();
        }
    }
    return nullptr;
}

void FormRenderer::SetApplicationInTaskbar(bool shown) {
    if (applicationInTaskbar_ == shown) {
        return;
    }
    applicationInTaskbar_ = shown;
    for (auto& [form, window] : windows_) {
        if (window) {
            window->ApplyTaskbarEntry();
        }
    }
}

}  // namespace frontend
