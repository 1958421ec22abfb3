// The View, Window and Help commands: the rectangles (twips, in a work area of
// 15000 x 9000) they give the windows, the windows they leave shown, what
// those windows then show, and the start picture hidden. Start-up: the
// regional-settings check, the file named on the command line (read and laid
// out, missing, unreadable) and the dialogs' start folder. RefreshViews: what
// reaches the windows of a loaded source, the balloon and polar redraws by
// window visibility, the half-second throttle on a clock that wraps at
// midnight with one trailing refresh, the clamp of the selected band, and the
// band selectors' own events during a refresh. The Header window's edits: name
// and manufacturer, and the band check of the first and last band fields.
#include "app/WindowCommands.h"

#include <filesystem>

#include "app/CaseData.h"
#include "app/HeaderEditing.h"
#include "app/Startup.h"
#include "app/ViewCommands.h"
#include "core/NumberText.h"
#include "views/RefreshViews.h"
#include "views/TableEditing.h"

namespace fonderel {
namespace {

// A band selector set by the refresh raises its click event, as Qt's may.
class ClickingPlatform : public test::RecordingPlatform {
 public:
  AppState* clickOnSet = nullptr;
  void SetBandSelectors(int position) override {
    RecordingPlatform::SetBandSelectors(position);
    if (clickOnSet) BandSelectorClicked(*clickOnSet, *this, position);
  }
};
using Loaded = test::LoadedSource<ClickingPlatform>;

// The placed rectangles are Place and Resize calls, in any order. The two
// polar planes beep. The band selectors work once their windows are open.
TEST(WindowCommands, ViewCommandsPlaceAndShowTheirWindows) {
  const std::pair<const char*, void (*)(AppState&, Platform&)> commands[] = {
      {"Standard", StandardLayout}, {"Curves(2)", ViewCurves2}, {"Curves(All)", ViewCurvesAll},
      {"Header", ViewHeader},       {"Info", ViewInfo},         {"Balloon", ViewBalloon},
      {"Data", ViewData},           {"Text log", ViewTextLog}};
  const auto layouts = test::Cases("WindowCommands", "Layouts");
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    const auto& c = layouts.at(name);
    Loaded l;
    command(l.state, l.platform);
    for (const std::string call : c["placed"]) EXPECT_TRUE(l.platform.Called(call)) << call;
    for (const std::string window : c["shown"]) EXPECT_TRUE(l.platform.visible[window]) << window;
    const std::size_t charts = c["charts"];
    EXPECT_EQ(l.platform.visible["Polar2"], charts == 18);
    EXPECT_EQ(l.platform.polar.size(), charts);
    EXPECT_EQ(l.platform.Called("Beep"), charts == 2);
    EXPECT_EQ(l.state.SelectorsLive, c.value("live", l.state.SelectorsLive));
    const auto pictures = test::CallsStarting(l.platform, "Picture ");
    EXPECT_EQ(pictures.empty() ? "" : pictures.back(), "Picture hidden");
  }
}

// The balloon is drawn by its command even right after a refresh that would
// throttle it.
TEST(WindowCommands, BalloonDrawnAtOnce) {
  Loaded l;
  l.platform.clockStep = 0.1;
  ViewInfo(l.state, l.platform);
  const std::size_t balloons = l.platform.balloons.size();
  ViewBalloon(l.state, l.platform);
  ASSERT_EQ(l.platform.balloons.size(), balloons + 1);
  EXPECT_FALSE(l.platform.balloons.back().segments.empty());
}

TEST(WindowCommands, ClearTextLogEmptiesTheLog) {
  Loaded l;
  ASSERT_FALSE(l.state.log.Lines().empty());
  ClearTextLog(l.state, l.platform);
  EXPECT_TRUE(l.state.log.Lines().empty());
}

// The warning tells a missing manual from one that no program could show.
TEST(WindowCommands, HelpIndexOpensTheManualOrSaysWhyNot) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "Manual");
  test::Spit(dir / "Manual/MFonderel.htm", "<html></html>");
  for (const auto& c : test::Cases("WindowCommands", "HelpIndex/cases")) {
    const std::string appPath = c[0].get<bool>() ? dir.Path() : "/nonexistent/fonderel";
    AppState state;
    state.AppPath = appPath;
    test::RecordingPlatform platform;
    platform.documentOpens = c[1];
    HelpIndex(state, platform);
    const std::string manual = appPath + "/Manual/MFonderel.htm";
    std::vector<std::string> want{"OpenDocument " + manual};
    if (!c[2].is_null()) want.push_back("ShowMessage Warning|" + c[2].get<std::string>() + manual);
    EXPECT_EQ(platform.calls, want);
  }
}

using test::DataPath;

struct Started {
  AppState state;
  test::RecordingPlatform platform;
  bool ok = false;
  explicit Started(const std::string& commandLine, NumberSeparators separators = {".", ","},
                   MessageAnswer answer = MessageAnswer::Ok, bool panel = false) {
    state.AppPath = "/opt/fonderel";
    platform.inner = {12000, 7500};
    platform.separators = separators;
    platform.answers = {answer};
    platform.regionalPanel = panel;
    ok = Startup(state, platform, commandLine);
  }
};

// The whole command-line text is the path, a name with a blank included. A
// missing file (also one in quotes, as a shell passes it unchanged) gives two
// log lines; an unreadable one a message; neither leaves data or a layout.
TEST(Startup, CommandLineFile) {
  test::TempDir dir;
  const std::string golden = test::Slurp(DataPath("LOUD_3_8.SPK"));
  test::Spit(dir / "my horn.SPK", golden);
  test::Spit(dir / "BROKEN.SPK", golden.substr(0, golden.size() / 2));
  for (const auto& j : test::Cases("Startup", "CommandLine/cases")) {
    const std::string commandLine = test::Replaced(j[0], "{dir}", dir.Path());
    const bool loads = j[1], named = j[2];  // named: SourceFile and caption keep the name
    std::vector<std::string> log;
    for (const auto& line : j[3]) log.push_back(test::Replaced(line, "{dir}", dir.Path()));
    SCOPED_TRACE(commandLine);
    Started s(commandLine);
    EXPECT_TRUE(s.ok);
    EXPECT_TRUE(s.platform.Called("LoadChildWindows"));
    EXPECT_EQ(s.state.DialogInitialDir, "/opt/fonderel/sources");
    EXPECT_EQ(s.state.src.HasData(), loads);
    EXPECT_EQ(s.state.src.DataSaved, kTrue);
    EXPECT_EQ(s.platform.Called("Maximize"), loads);
    EXPECT_EQ(s.state.src.SourceFile, named ? commandLine : "");
    EXPECT_EQ(test::LastCaption(s.platform, ""), "Fonderel " + (named ? commandLine : ""));
    const auto messages = test::CallsStarting(s.platform, "ShowMessage ");
    if (commandLine.ends_with("BROKEN.SPK")) {  // the message shown is logged after "Error:"
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].rfind("ShowMessage Read Error|" + commandLine + ", line ", 0), 0u);
      EXPECT_EQ(s.state.log.Lines().back(), "Error: " + messages[0].substr(23));
    } else if (!loads) {
      EXPECT_EQ(s.state.log.Lines(), log);
      EXPECT_EQ(s.platform.Called("ShowTextLog"), !log.empty());
    }
    if (loads) {
      EXPECT_EQ(s.state.src.LastBand, 8);
      EXPECT_TRUE(s.platform.Called("Place Info 0,0,7995,2800"));
      EXPECT_TRUE(s.platform.Called("Place Polar1 8000,2800,4000,4700"));
      ASSERT_FALSE(s.platform.headers.empty());
      EXPECT_EQ(s.platform.headers.back().HiBand, " 4000 Hz");
      EXPECT_TRUE(s.state.SelectorsLive);
    }
  }
}

TEST(Startup, RegionalSettingsCompatible) {
  EXPECT_TRUE(RegionalSettingsCompatible({".", ","}));
  for (const auto& sep : test::Cases("Startup", "Incompatible"))
    EXPECT_FALSE(RegionalSettingsCompatible({sep[0], sep[1]})) << sep;
}

// Incompatible settings stop the start: nothing loaded, no child windows; the
// user is offered the regional settings, or told how to start otherwise.
TEST(Startup, IncompatibleSettingsStopTheStart) {
  const std::string warning =
      std::string("ShowMessage ") + kIncompatibleTitle + "|" + kIncompatibleText;
  EXPECT_EQ(warning,
            "ShowMessage Warning - incompatible settings!|Your regional settings are not "
            "compatible with Tarvesk. Do You want to change them now?");
  for (const auto& flow : test::Cases("Startup", "Flows/cases")) {
    SCOPED_TRACE(flow.dump());
    const bool panel = flow[1], offered = flow[2], told = flow[3];
    Started s(DataPath("LOUD_3_8.SPK"), {",", "."},
              flow[0].get<bool>() ? MessageAnswer::Yes : MessageAnswer::No, panel);
    EXPECT_FALSE(s.ok);
    const auto messages = test::CallsStarting(s.platform, "ShowMessage ");
    ASSERT_EQ(messages.size(), told ? 2u : 1u);
    EXPECT_EQ(messages[0], warning);
    if (told) {
      EXPECT_EQ(messages[1].rfind(warning.substr(0, warning.find('|') + 1), 0), 0u);
      EXPECT_NE(messages[1].find("LC_NUMERIC"), std::string::npos);
    }
    EXPECT_EQ(s.platform.Called("OpenRegionalSettings"), offered);
    EXPECT_FALSE(s.platform.Called("LoadChildWindows"));
    EXPECT_FALSE(s.state.src.HasData());
    EXPECT_TRUE(s.state.log.Lines().empty());
    EXPECT_EQ(s.state.DialogInitialDir, "");
  }
}

TEST(RefreshViews, WhatTheWindowsShow) {
  Loaded s;
  s.state.SelectedBand = 5;
  RefreshViews(s.state, s.platform);
  const HeaderFields& h = s.platform.headers.at(0);
  EXPECT_EQ(h.NamTxt + "|" + h.ManTxt + "|" + h.LoBand + "|" + h.HiBand,
            "XYZ|Acme Audio| 125 Hz| 4000 Hz");
  const auto labels = test::Cases("RefreshViews", "Selectors").get<std::vector<std::string>>();
  EXPECT_EQ(s.platform.selectorLabels, labels);
  for (int b = 1; b <= kBandCount; ++b) EXPECT_EQ(BandLabel(b), labels[b - 1]);
  EXPECT_EQ(s.platform.dataTables.at(0)[1][2], "33.932");  // band 5, plane 0, point 1
  EXPECT_EQ(s.platform.infoTables.at(0)[1][5], "101.23");
  s.state.SelectedBand = 7;
  s.state.src.SourceKind = 0.0f;
  RefreshViews(s.state, s.platform);
  EXPECT_EQ(s.platform.selectorPositions, (std::vector<int>{4, 6}));
  EXPECT_EQ(s.platform.kindButtons, (std::vector<bool>{true, false}));
}

// The balloon is drawn only in a visible window tall enough; the visible
// polar windows decide which charts are drawn and whether it beeps.
TEST(RefreshViews, BalloonAndPolarChartsByVisibleWindows) {
  for (const auto& c : test::Cases("RefreshViews", "Balloon/cases")) {
    Loaded s;
    s.platform.visible["Balloon"] = c[0];
    s.platform.innerSizes[{ViewWindow::Balloon}] = {3600, c[1]};
    RefreshViews(s.state, s.platform);
    ASSERT_EQ(s.platform.balloons.size(), c[2]);
    for (const auto& b : s.platform.balloons) EXPECT_EQ(b.segments.size(), 3u + 648u + 630u);
  }
  for (const auto& c : test::Cases("RefreshViews", "Polar/cases")) {
    const auto& visible = c[0];
    Loaded s;
    for (const int w : visible) s.platform.visible["Polar" + std::to_string(w)] = true;
    RefreshViews(s.state, s.platform);
    std::vector<int> shown;
    for (const auto& [window, chart] : s.platform.polar) shown.push_back(window);
    EXPECT_EQ(shown, c[1].get<std::vector<int>>()) << visible;
    EXPECT_EQ(s.platform.Called("Beep"), c[2].get<bool>()) << visible;
  }
}

// Clock readings of the last refresh and of this one; whether this one runs.
TEST(RefreshViews, Throttle) {
  for (const auto& c : test::Cases("RefreshViews", "Throttle")) {
    SCOPED_TRACE(c.dump());
    Loaded s;
    const float last = c["last"];
    const double now = c["now"];
    s.state.LastRefreshTime = last;
    s.platform.clock = now;
    RefreshViews(s.state, s.platform);
    EXPECT_EQ(s.platform.headers.size(), c["runs"] ? 1u : 0u);
    EXPECT_EQ(s.state.LastRefreshTime, c["runs"] ? static_cast<float>(now) : last);
  }
}

// Calls within half a second are dropped; the first dropped one asks for one
// refresh after the half second, which then shows the latest data.
TEST(RefreshViews, DroppedCallAsksForOneTrailingRefresh) {
  Loaded s;
  s.platform.clockStep = 0.2;
  RefreshViews(s.state, s.platform);  // runs
  EXPECT_TRUE(s.platform.refreshRequests.empty());
  RefreshViews(s.state, s.platform);  // 0.2 s later: dropped
  ASSERT_EQ(s.platform.refreshRequests.size(), 1u);
  EXPECT_GE(s.platform.refreshRequests[0], 0.3);
  EXPECT_LT(s.platform.refreshRequests[0], 1.0);
  s.state.src.Lw(4) = 50.0f;
  s.state.SelectedBand = 1.0f;
  RefreshViews(s.state, s.platform);  // 0.4 s: dropped, asks nothing more
  EXPECT_EQ(s.platform.refreshRequests.size(), 1u);
  EXPECT_EQ(s.platform.infoTables.size(), 1u);
  EXPECT_EQ(s.state.SelectedBand, 1.0f);
  s.platform.clock += 1.0;  // the trailing refresh
  RefreshViews(s.state, s.platform);
  ASSERT_EQ(s.platform.infoTables.size(), 2u);
  EXPECT_EQ(s.platform.infoTables.back()[1][4], "50.00");
  RefreshViews(s.state, s.platform);  // a new dropped call asks again
  EXPECT_EQ(s.platform.refreshRequests.size(), 2u);
}

TEST(RefreshViews, SelectedBandIsClampedToTheRange) {
  for (const auto& c : test::Cases("RefreshViews", "Clamp")) {
    const float selected = c[0], clamped = c[1];
    Loaded s;
    s.state.SelectedBand = selected;
    RefreshViews(s.state, s.platform);
    EXPECT_EQ(s.state.SelectedBand, clamped) << "selected " << selected;
  }
}

// A selector event raised by the refresh itself refreshes nothing more; a
// click after it does.
TEST(RefreshViews, SelectorEventsDuringARefreshDoNothing) {
  Loaded s;
  s.state.SelectorsLive = true;
  s.platform.clickOnSet = &s.state;
  RefreshViews(s.state, s.platform);
  EXPECT_EQ(s.platform.headers.size(), 1u);
  EXPECT_EQ(s.platform.dataTables.size(), 1u);
  EXPECT_TRUE(s.platform.refreshRequests.empty());
  s.platform.clickOnSet = nullptr;
  BandSelectorClicked(s.state, s.platform, 5);
  EXPECT_EQ(s.platform.headers.size(), 2u);
  EXPECT_EQ(s.state.SelectedBand, 6.0f);
}

TEST(RefreshViews, WithoutDataNothingIsShown) {
  AppState state;
  state.SelectedBand = 12.0f;
  test::RecordingPlatform platform;
  platform.visible["Balloon"] = platform.visible["Polar0"] = platform.visible["Polar2"] = true;
  platform.clock = 4321.0;
  RefreshViews(state, platform);
  RefreshViews(state, platform);
  EXPECT_TRUE(platform.calls.empty());
  EXPECT_TRUE(platform.headers.empty() && platform.infoTables.empty() && platform.balloons.empty());
  EXPECT_TRUE(platform.polar.empty() && platform.refreshRequests.empty());
  EXPECT_EQ(state.SelectedBand, 12.0f);
  EXPECT_EQ(state.LastRefreshTime, 4322.0f);
}

TEST(HeaderEditing, LeadingNumber) {
  for (const auto& c : test::Cases("HeaderEditing", "LeadingNumber"))
    EXPECT_EQ(LeadingNumber(c[0].get<std::string>()), c[1].get<double>()) << c[0];
}

// Each case: the field, what was typed, the answers of the input box (null:
// Cancel); then the range, the field text and how often the box asked. A
// cancelled box keeps the range and shows the band the field had; it is not
// asked again. Only a changed range counts as an edit.
TEST(HeaderEditing, BandCheck) {
  const std::string ask = std::string("InputBox ") + kBandAskTitle + "|" + kBandAskPrompt;
  for (const auto& c : test::Cases("HeaderEditing", "BandCheck")) {
    SCOPED_TRACE(c.dump());
    Loaded s;
    s.state.src.Lw(8) = 97.5f;
    s.platform.inputs = test::Inputs(c["inputs"]);
    const BandField field = c["field"] == "Lo" ? BandField::LoBand : BandField::HiBand;
    EXPECT_EQ(CheckBandField(s.state, s.platform, field, c["typed"]), c["shown"]);
    EXPECT_EQ(std::count(s.platform.calls.begin(), s.platform.calls.end(), ask), c["asked"]);
    const int first = c["first"], last = c["last"];
    EXPECT_EQ(s.state.src.FirstBand, first);
    EXPECT_EQ(s.state.src.LastBand, last);
    for (int b = 1; b <= kBandCount; ++b)
      EXPECT_EQ(s.state.src.BandPresent(b) != 0, b >= first && b <= last) << "band " << b;
    EXPECT_EQ(s.state.src.DataSaved, first == 3 && last == 8 ? kTrue : kFalse);
    EXPECT_EQ(s.state.src.Lw(8), 97.5f);  // the data outside the range stay
  }
  // Without data nothing is asked and nothing changes.
  for (const BandField field : {BandField::LoBand, BandField::HiBand}) {
    AppState state;
    test::RecordingPlatform platform;
    EXPECT_EQ(CheckBandField(state, platform, field, "1100"),
              field == BandField::LoBand ? "31.5 Hz" : "16000 Hz");
    EXPECT_TRUE(platform.calls.empty());
    EXPECT_EQ(state.src.LastBand, 0);
    EXPECT_EQ(state.src.DataSaved, kTrue);
    EXPECT_EQ(state.src.BandPresent(5), 0);
  }
}

// Narrowing and widening the range again brings the earlier band data back.
TEST(HeaderEditing, BandDataSurviveNarrowing) {
  Loaded s;
  const Source before = s.state.src;
  EXPECT_EQ(CheckBandField(s.state, s.platform, BandField::HiBand, "1000"), " 1000 Hz");
  EXPECT_EQ(CheckBandField(s.state, s.platform, BandField::HiBand, "4000 Hz"), " 4000 Hz");
  EXPECT_EQ(s.state.src.LastBand, 8);
  for (int b = 3; b <= 8; ++b) EXPECT_EQ(s.state.src.Lw(b), before.Lw(b));
  EXPECT_TRUE(s.state.src.BalloonData == before.BalloonData);
}

TEST(HeaderEditing, NameAndManufacturer) {
  Loaded s;
  HeaderNameEdited(s.state, "Horn 90x40");
  EXPECT_EQ(s.state.src.SourceName, "Horn 90x40");
  EXPECT_EQ(s.state.src.DataSaved, kFalse);
  s.state.src.DataSaved = kTrue;
  HeaderManufacturerEdited(s.state, "");
  EXPECT_EQ(s.state.src.Manufacturer, "");
  EXPECT_EQ(s.state.src.DataSaved, kFalse);
  EXPECT_EQ(s.state.src.SourceName, "Horn 90x40");
}

}  // namespace
}  // namespace fonderel
