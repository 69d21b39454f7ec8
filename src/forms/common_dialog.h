#pragma once

#include <optional>
#include <string>

#include "forms/control.h"

namespace forms {

// The file dialogs. Not shown on the window; ShowOpen asks the host.
class CommonDialog final : public Control {
  public:
    CommonDialog(Form& form, std::string name, std::optional<int> index = std::nullopt);

    const std::string& DialogTitle() const { return props_.title; }
    void SetDialogTitle(const std::string& title);
    // Pairs of description and pattern separated by "|": "Text (*.txt)|*.txt|All (*.*)|*.*".
    const std::string& Filter() const { return props_.filter; }
    void SetFilter(const std::string& filter);
    const std::string& InitDir() const { return props_.initDir; }
    void SetInitDir(const std::string& folder);
    // The chosen file after ShowOpen; it also proposes a name before.
    const std::string& FileName() const { return props_.fileName; }
    void SetFileName(const std::string& fileName);
    // Whether cancelling throws OperationFailed; otherwise cancelling empties FileName.
    bool CancelError() const { return props_.cancelError; }
    void SetCancelError(bool cancelError);

    // Shows the Open dialog (modal) through the host.
    void ShowOpen();

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    struct Properties {
        std::string title;
        std::string filter;
        std::string initDir;
        std::string fileName;
        bool cancelError = false;
    };
    Properties props_;
};

}  // namespace forms
