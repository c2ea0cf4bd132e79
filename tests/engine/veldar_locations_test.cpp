// Location tracking in Veldar source, line by line in the order the line stage calls it:
// the structure step on every line, the label step on label lines outside maps and classes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/veldar_locations.h"
#include "support/fake_line.h"

namespace trawlex::engine {
namespace {

using testing::FakeLine;

// The location text after each line of a module.
std::vector<std::string> Locations(const std::vector<std::string>& lines) {
  LocationState state;
  state.Clear(FileKind::Veldar);
  std::vector<std::string> locations;
  for (const std::string& text : lines) {
    const FakeLine line(text);
    VeldarStructureStep(line, state);
    if (line.IsLabelLine() && state.inMap == 0 && state.inClass == 0) {
      VeldarLabelStep(line, state);
    }
    locations.push_back(LocationText(state));
  }
  return locations;
}

// The location of the last line of a module.
std::string LastLocation(const std::vector<std::string>& lines) { return Locations(lines).back(); }

TEST(VeldarLocations, MethodsOfAModuleKeepTheirProcedure) {
  EXPECT_EQ(LastLocation({"   MEMBER('app')", "Main PROCEDURE", "  CODE", "MyClass.Init PROCEDURE",
                          "  CODE", "Done ROUTINE", "  x = 1"}),
            "Main  MyClass.Init  Done");
  // Global class code: methods stand alone.
  EXPECT_EQ(LastLocation({"   MEMBER()", "Main PROCEDURE", "  CODE", "MyClass.Init PROCEDURE",
                          "  CODE", "Done ROUTINE", "  x = 1"}),
            "MyClass.Init  Done");
  EXPECT_EQ(LastLocation({"  MEMBER", "MyClass.Init PROCEDURE", "  CODE", "  x = 1"}),
            "MyClass.Init");
}

TEST(VeldarLocations, ProcedureLabelAndDataSectionCarryTheLocation) {
  const auto locations = Locations({"Main PROCEDURE(LONG x)", "Local LONG", "  CODE",
                                    "  x = 1", "Other FUNCTION", "  CODE"});
  EXPECT_EQ(locations[0], "Main");  // the procedure's own label line
  EXPECT_EQ(locations[1], "Main");  // its data section
  EXPECT_EQ(locations[3], "Main");
  EXPECT_EQ(locations[4], "Other");
}

TEST(VeldarLocations, MapsHoldPrototypesNotProcedures) {
  const auto locations = Locations({"   MAP", "Proc1 PROCEDURE(LONG)", "     MODULE('x.vlw')",
                                    "Proc2 PROCEDURE", "     END", "Proc3 PROCEDURE", "   END",
                                    "Main PROCEDURE", "  CODE"});
  EXPECT_EQ(locations[1], "MAP");  // no procedure yet: "MAP"
  EXPECT_EQ(locations[3], "MAP");  // inside the module
  EXPECT_EQ(locations[5], "MAP");  // the module's END closed one level only
  EXPECT_EQ(locations[7], "Main");
  EXPECT_EQ(LastLocation({"Main PROCEDURE", "   MAP", "Proc1 PROCEDURE", "   END"}), "Main");
}

TEST(VeldarLocations, WhatOpensAMap) {
  EXPECT_EQ(LastLocation({"   MAP ! global map", "P PROCEDURE"}), "MAP");
  EXPECT_EQ(LastLocation({"   MAP something", "P PROCEDURE"}), "P");
  EXPECT_EQ(LastLocation({"   MAPPING", "P PROCEDURE"}), "P");
}

TEST(VeldarLocations, ClassDeclarationsNestGroupsAndClose) {
  // Method prototypes inside the declaration start nothing.
  EXPECT_EQ(LastLocation({"MyCls CLASS(Base),TYPE", "Init PROCEDURE", "  END", "P PROCEDURE"}), "P");
  EXPECT_EQ(LastLocation({"MyCls CLASS(Base),TYPE", "Init PROCEDURE"}), "");
  EXPECT_EQ(LastLocation({"MyCls CLASSX", "Init PROCEDURE"}), "Init");
  EXPECT_EQ(LastLocation({"MyCls CLASS", "Init PROCEDURE"}), "");
  EXPECT_EQ(LastLocation({"MyI INTERFACE,TYPE", "Do PROCEDURE"}), "");
  EXPECT_EQ(LastLocation({"MyI INTERFACEX", "Do PROCEDURE"}), "Do");
  // A group inside the class needs its own END.
  EXPECT_EQ(LastLocation({"C CLASS", "G GROUP", "  END", "Init PROCEDURE"}), "");
  EXPECT_EQ(LastLocation({"C CLASS", "G GROUP", "  END", "  END", "Init PROCEDURE"}), "Init");
  // ".." closes two levels.
  EXPECT_EQ(LastLocation({"C CLASS", "G GROUP", "  ..", "Init PROCEDURE"}), "Init");
  EXPECT_EQ(LastLocation({"C CLASS", "G GROUP", "  . .", "Init PROCEDURE"}), "Init");
  // A comment after a GROUP line inside the class does not open another level.
  EXPECT_EQ(LastLocation({"C CLASS", "G GROUP", "!x GROUP", "  END", "  END", "Init PROCEDURE"}),
            "Init");
}

TEST(VeldarLocations, ExtraClosersNeverWrapTheLevel) {
  // A stray "..." on a one-level class must leave it closed, not 255 levels deep.
  EXPECT_EQ(LastLocation({"C CLASS", "  ...", "Init PROCEDURE"}), "Init");
}

TEST(VeldarLocations, RoutinesAndTheirDataSections) {
  const auto locations = Locations({"Main PROCEDURE", "  CODE", "Calc ROUTINE", "  DATA",
                                    "Tmp LONG", "  CODE", "  Tmp = 1", "Other PROCEDURE"});
  EXPECT_EQ(locations[2], "Main  Calc");
  EXPECT_EQ(locations[4], "Main  Calc");  // a routine's data keeps its location
  EXPECT_EQ(locations[6], "Main  Calc");
  EXPECT_EQ(locations[7], "Other");       // a procedure ends the routine
}

TEST(VeldarLocations, CommentedOutLabelsChangeNothing) {
  EXPECT_EQ(LastLocation({"Main PROCEDURE", "  CODE", "!Old PROCEDURE", "  x = 1"}), "Main");
  EXPECT_EQ(LastLocation({"Main PROCEDURE", "  CODE", "Old!x PROCEDURE"}), "Main");
}

TEST(VeldarLocations, DeclarationsOutsideDataSectionsAreIgnored) {
  // After CODE, a CLASS line is a statement, not a declaration.
  EXPECT_EQ(LastLocation({"Main PROCEDURE", "  CODE", "X CLASS", "Init PROCEDURE"}), "Init");
}

TEST(VeldarLocations, SecondWord) {
  EXPECT_EQ(SecondWord(FakeLine("MyCls class(Base)")), "CLASS(BASE)");
  EXPECT_EQ(SecondWord(FakeLine("  group,pre(x)")), "GROUP,PRE(X)");
  EXPECT_EQ(SecondWord(FakeLine("Label")), "");
  EXPECT_EQ(SecondWord(FakeLine("!x GROUP")), "");
  EXPECT_EQ(SecondWord(FakeLine("A 12345678901234567890123")), "12345678901234567890");
}

}  // namespace
}  // namespace trawlex::engine
