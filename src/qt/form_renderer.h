#pragma once

#include <QPointer>
#include <cstdint>
#include <unordered_map>

#include "forms/form_registry.h"
#include "qt/form_window.h"

namespace frontend {

// Shows every loaded window of the program: a window is built when its form loads (before its
// Form_Load runs, so that it follows everything the load does) and dropped when it unloads.
class FormRenderer {
  public:
    FormRenderer();
    ~FormRenderer();
    FormRenderer(const FormRenderer&) = delete;
    FormRenderer& operator=(const FormRenderer&) = delete;

    // The window of a loaded form, or null.
    FormWindow* WindowOf(const forms::Form& form) const;
    FormWindow* WindowOf(std::int32_t hwnd) const;

    // The application's taskbar entry: off, no window of the program shows in the taskbar.
    void SetApplicationInTaskbar(bool shown);
    bool ApplicationInTaskbar() const { return applicationInTaskbar_; }

  private:
    void OnFormEvent(forms::Form& form, forms::FormEvent event);

    std::unordered_map<const forms::Form*, QPointer<FormWindow>> windows_;
    forms::ObserverId observer_;
    bool applicationInTaskbar_ = true;
};

}  // namespace frontend
