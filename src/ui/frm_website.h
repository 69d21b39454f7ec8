#pragma once

#include <string>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/status_bar.h"
#include "forms/text_box.h"
#include "forms/web_browser.h"

// The in-app browser: the product website with an address field, back, forward, stop and
// refresh, and a status bar.
class FrmWebsiteForm : public forms::Form {
  public:
    FrmWebsiteForm();

    forms::Frame frmBrowser{*this, "frmBrowser"};
    forms::CommandButton Command4{*this, "Command4"};
    forms::CommandButton Command5{*this, "Command5"};
    forms::CommandButton Command6{*this, "Command6"};
    forms::ControlArray<forms::CommandButton> Command7{*this, "Command7", {0}};
    forms::Label Label5{*this, "Label5"};
    forms::TextBox Text1{*this, "Text1"};
    forms::CommandButton Command3{*this, "Command3"};
    forms::WebBrowser WebBrowser1{*this, "WebBrowser1"};
    // Element 0 is the pattern for skinned copies of the labels beside it.
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};
    forms::StatusBar StatusBar1{*this, "StatusBar1"};

  protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Paint() override;
    // Closing the browser ends the program when the main window has closed before it.
    void Form_Unload(bool& cancel) override;

  private:
    void Command3_Click();
    void Text1_KeyPress(int& keyAscii);
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click(int index);
    void WebBrowser1_StatusTextChange(const std::string& text);
    void WebBrowser1_DownloadBegin();
    void WebBrowser1_DownloadComplete();
    void WebBrowser1_ProgressChange(long progress, long maximum);
    // Sizes the frame, the address field and the page to the window.
    void LayoutBrowser();
};

FrmWebsiteForm& frmWebsite();
