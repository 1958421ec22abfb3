// File > Create Source (BZ), File > Attach source geometry and View >
// Geometry, driven through the scripted platform.
#include <gtest/gtest.h>

#include "app/BzCommands.h"
#include "app/GeometryCommands.h"
#include "support/RecordingPlatform.h"
#include "support/TestFiles.h"

namespace fonderel {
namespace {

using test::RecordingPlatform;

TEST(CreateBz, OkProsecute) {
  struct Case {
    BzBoxes boxes;
    bool loudspeaker;
    std::deque<std::optional<std::string>> answers;
    int asked;          // power input boxes shown
    int first, last;    // band range created, 0 when nothing was created
    float lw;
    const char* message;  // the refusal shown, if any
  };
  const BzBoxes range3to8 = {"0", "0", "3", "3", "3", "3", "3", "3", "0", "0"};
  const Case cases[] = {
      {range3to8, true, {"100"}, 1, 3, 8, 116.9897f, nullptr},
      {{"0", "0", "0", "0", "0", "8"}, false, {" 94 "}, 1, 6, 6, 94, nullptr},
      // A power that is no number, or not above 0, is asked again; Cancel ends with nothing created.
      {range3to8, true, {"0", "-5", "abc", "", "100"}, 5, 3, 8, 116.9897f, nullptr},
      {range3to8, true, {"0", std::nullopt}, 2, 0, 0, 0, nullptr},
      {{"8"}, false, {std::nullopt}, 1, 0, 0, 0, nullptr},
      // No band chosen: nothing asked, nothing created.
      {{"0", "0"}, true, {}, 0, 0, 0, 0, nullptr},
      // A band inside the range without a pattern is refused before anything is asked.
      {{"0", "3", "0", "3"}, true, {"100"}, 0, 0, 0, 0,
       "ShowMessage Warning|The band 125 Hz has the BZ function number 0. Every band between the first and the "
       "last one used needs a number from 1 to 10."},
      {{"5", "12"}, true, {"100"}, 0, 0, 0, 0,
       "ShowMessage Warning|The band 63 Hz has the BZ function number 12. Every band between the first and the "
       "last one used needs a number from 1 to 10."},
  };
  for (const Case& c : cases) {
    AppState state;
    RecordingPlatform p;
    state.src.NFaces = 3;
    FileCreate(state, p);
    EXPECT_EQ(state.src.NFaces, 0);
    p.inputs = c.answers;
    const bool created = CreateWindowOk(state, p, c.boxes, c.loudspeaker);
    EXPECT_EQ(created, c.first != 0);
    int asked = 0;
    for (const std::string& call : p.calls) asked += call.starts_with("InputBox Introduce Power Data|");
    EXPECT_EQ(asked, c.asked) << c.boxes[0] << c.boxes[1];
    EXPECT_EQ(state.src.FirstBand, c.first);
    EXPECT_EQ(state.src.LastBand, c.last);
    if (c.first != 0) {
      EXPECT_FLOAT_EQ(state.src.Lw(c.first), c.lw);
      EXPECT_FLOAT_EQ(state.src.Efficiency(c.last), c.loudspeaker ? 3 : 100);
      EXPECT_FLOAT_EQ(state.src.SourceKind, c.loudspeaker ? 1 : 0);
    }
    EXPECT_EQ(state.src.DataSaved, kFalse);
    // A refused choice keeps the window open for the user to mend it.
    EXPECT_EQ(p.visible["Creation"], c.message != nullptr);
    if (c.message) {
      EXPECT_TRUE(p.Called(c.message)) << c.message;
    }
  }
}

TEST(CreateBz, ArrowsStepWithin0To10) {
  struct Case {
    const char* text;
    int step;
    const char* shown;
  };
  const Case cases[] = {{"10", 1, "10"}, {"0", -1, "0"}, {"3", 1, "4"}, {"3", -1, "2"},
                        {"abc", 1, "1"}, {"15", -1, "10"}, {"-4", 1, "0"}};
  for (const Case& c : cases) EXPECT_EQ(StepBzBox(c.text, c.step), c.shown) << c.text << " " << c.step;
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
