// The main window's design: the status, scan and results panels.
#include <initializer_list>
#include <utility>

#include "ui/design.h"
#include "ui/frm_main.h"
#include "ui/frm_main_design.h"
#include "ui/pictures.h"

using design::Place;
using namespace main_design;

namespace {

// A caption label and its value label on one line.
void PlaceRow(forms::LabelBase& title, const char* titleText, forms::LabelBase& value,
              const char* valueText, forms::Control* container, double left, double valueLeft,
              double valueWidth, double top) {
    Place(title, container, titleText, left, top, valueLeft - left - 120, kLineHeight);
    Place(value, container, valueText, valueLeft, top, valueWidth, kLineHeight);
}

void PlacePanel(forms::Frame& panel, const char* caption, bool visible) {
    Place(panel, nullptr, caption, kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    panel.SetVisible(visible);
}

}  // namespace

void FrmMainForm::DesignStatusPanel() {
    // The panel shown first; the start-up puts the product name into its caption.
    PlacePanel(frmStatus, "Status", true);
    design::PlaceSkinLabelPattern(SkinLabel2, &frmStatus);
    Place(Label22, &frmStatus, "Welcome", kInset, 360, kInnerWidth, 375);
    design::SetHeadingFont(Label22, 12);

    const double valueLeft = 2760;
    const double valueWidth = kPanelWidth - kInset - valueLeft;
    const std::pair<forms::Label*, const char*> titles[] = {
        {&lblDefCountTitle, "Definitions in use:"}, {&lblVersionTitle, "Program version:"},
        {&lblDefVersionTitle, "Definitions date:"}, {&lblDefRemovedTitle, "Items removed:"},
        {&lblLastScanTitle, "Last scan:"},          {&lblLastFullScanTitle, "Last complete scan:"}};
    const std::pair<forms::SkinLabel*, const char*> values[] = {
        {&lblDefCount, "0"},   {&lblVersion, "0.0"},    {&lblDefVersion, ""},
        {&lblDefRemoved, "0"}, {&lblLastScan, "Never"}, {&lblLastFullScan, "Never"}};
    double top = 1020;
    for (int row = 0; row < 6; ++row) {
        PlaceRow(*titles[row].first, titles[row].second, *values[row].first, values[row].second,
                 &frmStatus, kInset, valueLeft, valueWidth, top);
        top += 360;
    }
    Place(Command1, &frmStatus, "Scan Now", kInset, top + 240, kSideWidth, 450);
}

void FrmMainForm::DesignScanPanel() {
    PlacePanel(frmScan, "Scan", false);
    design::PlaceSkinLabelPattern(SkinLabel3, &frmScan);

    // The commands: buttons, and the same three as text links beside them. Stop and Pause work
    // only while a scan runs.
    Place(cmdScanNow, &frmScan, "Start", kInset, 300, 1335, kButtonHeight);
    Place(cmdPause, &frmScan, "Pause", 1695, 300, 1335, kButtonHeight);
    Place(cmdStop, &frmScan, "Stop", 3150, 300, 1335, kButtonHeight);
    cmdPause.SetEnabled(false);
    cmdStop.SetEnabled(false);
    double left = 4800;
    for (auto [label, caption] : {std::pair{&lblStart, "Start"}, std::pair{&lblPause, "Pause"},
                                  std::pair{&lblStop, "Stop"}}) {
        Place(*label, &frmScan, caption, left, 390, 855, 240);
        label->SetForeColor(kLinkColor);
        left += 975;
    }
    // A phase marker the scan moves along; the start-up hides it.
    Place(shpCircle, &frmScan, 1215, 645, 255, 255);
    shpCircle.SetShapeType(forms::ShapeType::Circle);
    shpCircle.SetFillStyle(forms::FillStyle::Solid);
    shpCircle.SetFillColor(forms::Rgb(46, 157, 74));
    shpCircle.SetVisible(false);

    // The counters, in two columns.
    const double leftValue = 3255;
    const double rightTitle = 4680;
    const double rightValue = 6735;
    PlaceRow(lblMemoryInspectedTitle, "Processes and cookies inspected:", lblMemoryInspected, "0",
             &frmScan, kInset, leftValue, 1215, 960);
    PlaceRow(lblRegistryInspectedTitle, "Registry entries inspected:", lblRegistryInspected, "0",
             &frmScan, kInset, leftValue, 1215, 1260);
    PlaceRow(lblFilesFolderInspectedTitle, "Files and folders inspected:", lblFilesFolderInspected,
             "0", &frmScan, kInset, leftValue, 1215, 1560);
    PlaceRow(lblTotalNoOfRunningItemsTitle, "Running programs:", lblTotalNoOfRunningItems, "0",
             &frmScan, kInset, leftValue, 1215, 1860);
    PlaceRow(lblSoftwareFoundTitle, "Spyware/Adware found:", lblSoftwareFound, "0", &frmScan,
             rightTitle, rightValue, 1215, 960);
    PlaceRow(lbltracesFoundTitle, "Traces found:", lbltracesFound, "0", &frmScan, rightTitle,
             rightValue, 1215, 1260);
    const double rightWidth = kPanelWidth - kInset - rightTitle;
    Place(lblPercentageCompleted, &frmScan, "Ready", rightTitle, 1560, rightWidth, kLineHeight);
    Place(pbgMain, &frmScan, rightTitle, 1890, rightWidth, 195);
    pbgMain.SetVisible(false);

    // From the bottom up, as the resize layout places them: the continue button in the corner,
    // the status line level with it, the two bars above, the scan log filling the rest.
    const double removeWidth = 2415;
    const double removeTop = kPanelHeight - kButtonHeight - 240;
    const double barHeight = 225;
    const double overallTop = removeTop - barHeight - 60;
    const double phaseTop = overallTop - 285;
    const double barLeft = 1695;
    Place(lvwSpywareFound, &frmScan, kInset, 2280, kInnerWidth, phaseTop - 2280 - 120);
    design::AddColumns(lvwSpywareFound, {{"", kInnerWidth - 300}});
    lvwSpywareFound.SetHideColumnHeaders(true);
    lvwSpywareFound.SetSmallIconImages(pictures::kResultIcons);
    Place(SkinLabel7, &frmScan, "This step:", kInset, phaseTop, barLeft - kInset - 120, barHeight);
    Place(pb1, &frmScan, barLeft, phaseTop, kPanelWidth - barLeft - kInset, barHeight);
    Place(SkinLabel8, &frmScan, "Overall:", kInset, overallTop, barLeft - kInset - 120, barHeight);
    Place(pb2, &frmScan, barLeft, overallTop, kPanelWidth - barLeft - kInset, barHeight);
    for (forms::Label* line : lblStatus.Elements()) {
        Place(*line, &frmScan, "", kInset, removeTop, kInnerWidth, 450);
    }
    lblStatus(1).SetVisible(false);
    // Shown when a scan has finished; it lies over the right end of the status line.
    Place(cmdRemove, &frmScan, "Click Here to Continue", kPanelWidth - removeWidth - kInset,
          removeTop, removeWidth, kButtonHeight);
    cmdRemove.SetVisible(false);
}

void FrmMainForm::DesignResultsPanel() {
    PlacePanel(frmResults, "Results", false);
    design::PlaceSkinLabelPattern(SkinLabel4, &frmResults);
    PlaceRow(lblRemovePicSoftwareFoundTitle, "Threats found:", lblRemovePicSoftwareFound, "0",
             &frmResults, kInset, 2175, 1215, 360);
    Place(lblResultsHint, &frmResults, "Tick what you want removed, then click Delete.", 3510, 360,
          kPanelWidth - kInset - 3510, kLineHeight);

    // Tall buttons under the list leave room beside them for the removal's bar and two lines.
    const double buttonHeight = 615;
    const double listTop = 720;
    const double listHeight = kPanelHeight - listTop - buttonHeight - 240;
    forms::ListView& threats = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    Place(threats, &frmResults, kInset, listTop, kInnerWidth, listHeight);
    design::AddColumns(threats, {{"Spyware/Adware Found", kInnerWidth / 4},
                                 {"Location", kInnerWidth / 2},
                                 {"Type", kInnerWidth / 4}});
    threats.SetCheckboxes(true);
    threats.SetSmallIconImages(pictures::kResultIcons);

    const double buttonTop = listTop + listHeight + 120;
    double left = kInset;
    for (auto [button, caption] :
         {std::pair{&cmdSelectAll, "Select All"}, std::pair{&cmdExclude, "Exclude"},
          std::pair{&Command4, "Delete"}}) {
        Place(*button, &frmResults, caption, left, buttonTop, 1335, buttonHeight);
        left += 1455;
    }
    const double progressLeft = left;
    const double progressWidth = kInnerWidth - progressLeft;
    Place(pgbDeleteSpywaresFound, &frmResults, progressLeft, buttonTop, progressWidth, 165);
    Place(lblDeletingPercentageCompleted, &frmResults, "", progressLeft, buttonTop + 165 + 5,
          progressWidth, 195);
    Place(lblDeletingCaption, &frmResults, "", progressLeft, buttonTop + 165 + 5 + 195 + 100,
          progressWidth, 195);
    // Shown only while a removal runs.
    for (forms::Control* control : std::initializer_list<forms::Control*>{
             &pgbDeleteSpywaresFound, &lblDeletingPercentageCompleted, &lblDeletingCaption}) {
        control->SetVisible(false);
    }
}
