#pragma once

#include <string>
#include <vector>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/form_registry.h"
#include "forms/labels.h"
#include "forms/timer.h"

// Windows made for the tests: they log their events so a test can check order and count.
namespace sample {

inline std::vector<std::string>& EventLog() {
    static std::vector<std::string> log;
    return log;
}

// Counts destroyed window objects, to see when an unloaded window really goes.
inline int& DestroyedWindows() {
    static int count = 0;
    return count;
}

class MainForm : public forms::Form {
  public:
    MainForm();
    ~MainForm() override { ++DestroyedWindows(); }

    forms::Label lblStatus{*this, "lblStatus"};
    forms::Frame fraOptions{*this, "fraOptions"};
    forms::CommandButton cmdClose{*this, "cmdClose"};
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};
    forms::Timer tmrTick{*this, "tmrTick"};

    bool cancelQuery = false;
    bool cancelUnload = false;
    static inline bool loadSecondOnLoad = false;
    int ticks = 0;

  protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override;
    void Form_Unload(bool& cancel) override;
    void Form_Resize() override { EventLog().push_back("Main.Resize"); }
    void Form_TrayMessage(int message) override {
        EventLog().push_back("Main.Tray " + std::to_string(message));
    }

  private:
    void cmdClose_Click();
    void tmrTick_Timer();
};

class SecondForm : public forms::Form {
  public:
    SecondForm();
    forms::CommandButton cmdOk{*this, "cmdOk"};

  protected:
    void Form_Load() override;
};

inline MainForm& frmMain() {
    return forms::DefaultInstance<MainForm>();
}
inline SecondForm& frmSecond() {
    return forms::DefaultInstance<SecondForm>();
}

inline MainForm::MainForm() : Form("frmMain") {
    SetCaption("Design caption");
    Move(600, 600, 5000, 4000);  // the design rectangle: no Resize before the window is loaded
    lblStatus.SetCaption("0");
    fraOptions.SetCaption("Options");
    cmdClose.SetCaption("Close");
    cmdClose.SetContainer(&fraOptions);
    cmdClose.OnClick = [this] { cmdClose_Click(); };
    SkinLabel1(0).SetCaption("Skinned");
    tmrTick.SetInterval(100);
    tmrTick.SetEnabled(false);
    tmrTick.OnTimer = [this] { tmrTick_Timer(); };
}

inline void MainForm::Form_Load() {
    EventLog().push_back("Main.Load");
    // A reference to the window being loaded returns it rather than loading another.
    frmMain().lblStatus.SetTag("loaded");
    if (loadSecondOnLoad) {
        frmSecond();
    }
}

inline void MainForm::Form_QueryUnload(bool& cancel, forms::UnloadMode mode) {
    EventLog().push_back("Main.QueryUnload " + std::to_string(static_cast<int>(mode)));
    cancel = cancelQuery;
}

inline void MainForm::Form_Unload(bool& cancel) {
    EventLog().push_back("Main.Unload");
    cancel = cancelUnload;
    Unload();  // asking again from inside the unload changes nothing
}

// Unloads its own window, then keeps using it, as handlers do.
inline void MainForm::cmdClose_Click() {
    Unload();
    lblStatus.SetCaption("closed");
    EventLog().push_back("Main.cmdClose done");
}

inline void MainForm::tmrTick_Timer() {
    ++ticks;
}

inline SecondForm::SecondForm() : Form("frmSecond") {
    cmdOk.SetCaption("OK");
    cmdOk.OnClick = [this] { Hide(); };
}

inline void SecondForm::Form_Load() {
    EventLog().push_back("Second.Load");
}

}  // namespace sample
