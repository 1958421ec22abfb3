// File > Create Source (BZ), File > Attach source geometry and View >
// Geometry, driven through the scripted platform.
#include <gtest/gtest.h>

#include "app/BzCommands.h"
#include "app/CaseData.h"
#include "app/GeometryCommands.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;

// Cases in tests/data/cases5/bz.json.
TEST(CreateBz, OkProsecute) {
  for (const auto& c : test::Cases("../cases5/bz", "ok")) {
    BzBoxes boxes;
    for (std::size_t i = 0; i < c[0].size(); ++i) boxes[i] = c[0][i];
    const bool loudspeaker = c[1];
    const int first = c[4], last = c[5];
    AppState state;
    RecordingPlatform p;
    state.src.NFaces = 3;
    FileCreate(state, p);
    EXPECT_EQ(state.src.NFaces, 0);
    for (const auto& a : c[2]) p.inputs.push_back(a.is_null() ? std::nullopt : std::optional(a.get<std::string>()));
    const bool created = CreateWindowOk(state, p, boxes, loudspeaker);
    EXPECT_EQ(created, first != 0);
    int asked = 0;
    for (const std::string& call : p.calls) asked += call.starts_with("InputBox Introduce Power Data|");
    EXPECT_EQ(asked, c[3].get<int>()) << c;
    EXPECT_EQ(state.src.FirstBand, first);
    EXPECT_EQ(state.src.LastBand, last);
    if (first != 0) {
      EXPECT_FLOAT_EQ(state.src.Lw(first), c[6].get<float>());
      EXPECT_FLOAT_EQ(state.src.Efficiency(last), loudspeaker ? 3 : 100);
      EXPECT_FLOAT_EQ(state.src.SourceKind, loudspeaker ? 1 : 0);
    }
    EXPECT_EQ(state.src.DataSaved, kFalse);
    // A refused choice keeps the window open for the user to mend it.
    EXPECT_EQ(p.visible["Creation"], !c[7].is_null());
    EXPECT_TRUE(c[7].is_null() || p.Called(c[7].get<std::string>())) << c[7];
  }
}

TEST(CreateBz, ArrowsStepWithin0To10) {
  for (const auto& c : test::Cases("../cases5/bz", "arrows"))
    EXPECT_EQ(StepBzBox(c[0].get<std::string>(), c[1].get<int>()), c[2].get<std::string>()) << c;
}

TEST(AttachGeometry, ChosenFileIsAttachedToTheSource) {
  struct Case {
    std::optional<std::string> chosen;
    int faces;
    bool enabled;
    const char* message;
  };
  const std::string bad = ::testing::TempDir() + "/BAD.RAY";
  const std::string empty = ::testing::TempDir() + "/EMPTY.RAY";
  test::Spit(bad, "WALL\nHOLE 1 1 13\n");
  test::Spit(empty, "; no geometry\n");
  const Case cases[] = {
      {test::DataPath("geometry/CABINET.RAY"), 4, true, nullptr},
      {empty, 0, true, nullptr},
      {std::nullopt, 2, false, nullptr},
      {bad, 2, false, "expected 0 to 12 vertices, found 13"},
  };
  for (const Case& c : cases) {
    AppState state;
    RecordingPlatform p;
    state.src.SourceName = "Horn";
    state.src.FirstBand = state.src.LastBand = 5;
    state.src.NFaces = 2;
    p.files = {c.chosen};
    AttachRAY(state, p);
    ASSERT_EQ(p.fileDialogs.size(), 1u);
    EXPECT_EQ(p.fileDialogs[0].title, "Open a Tarvesk CAD geometry file");
    EXPECT_EQ(p.fileDialogs[0].filter, "Tarvesk CAD Files (*.ray)|*.ray");
    EXPECT_EQ(p.fileDialogs[0].flags, 4100);
    EXPECT_EQ(p.fileDialogs[0].fileName, "*.RAY");
    EXPECT_EQ(state.src.NFaces, c.faces);
    EXPECT_EQ(p.Called("ViewGeometry on"), c.enabled);
    // The source stays; an attached geometry makes it unsaved.
    EXPECT_EQ(state.src.SourceName, "Horn");
    EXPECT_EQ(state.src.FirstBand, 5);
    EXPECT_EQ(state.src.DataSaved, c.enabled ? kFalse : kTrue);
    if (c.message) {
      EXPECT_TRUE(p.Called("ShowMessage Read Error|" + bad + ", line 2: " + c.message));
    }
  }
}

}  // namespace
}  // namespace fonderel
