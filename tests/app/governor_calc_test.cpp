#include "app/GovernorCalc.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace app {
namespace {

GovernorInputs WorkedExample() {
  return {"2300", "153", "16", "4", "740", "12", {"3.3V", "3.6V", "2.7V"}};
}

// Head speed e with a 1:1 gear and one pole pair gives the electrical rpm e.
GovernorInputs AtElectricalRpm(const std::string& rpm) { return {rpm, "1", "1", "1", "740", "12", {"3.7V", "", ""}}; }

TEST(CalcGovernor, WorkedExampleFillsEveryBox) {
  const GovernorResult result = CalcGovernor(WorkedExample());
  EXPECT_EQ(result.MotorRpm, 21993.75f);
  EXPECT_EQ(result.MotorRpmText, "21993.8");
  EXPECT_EQ(result.ElectricalRpm, 87975.0f);
  EXPECT_EQ(result.ElectricalRpmText, "87975.0");
  EXPECT_EQ(result.Row, 153);
  EXPECT_EQ(result.Range, "Governor_High");
  EXPECT_EQ(result.Throttle, "77.5%");
  const char* packs[] = {"39.6V", "43.2V", "32.4V"};
  const char* heads[] = {"3064", "3343", "2507"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const GovernorColumn& column = result.Columns[i];
    EXPECT_FALSE(column.CellVoltage);
    EXPECT_EQ(column.PackVoltage, packs[i]);
    EXPECT_EQ(column.HeadSpeed, heads[i]);
    EXPECT_EQ(column.HeadSpeedColor, kHeadSpeedReachedColor);
  }
}

TEST(CalcGovernor, HeadSpeedsBelowTheWantedOneTurnRed) {
  GovernorInputs inputs = WorkedExample();
  inputs.HeadSpeed = "3100";
  inputs.CellVoltages = {"3.3V", "3.6V", "0V"};
  const GovernorResult result = CalcGovernor(inputs);
  EXPECT_EQ(result.Columns[0].HeadSpeedColor, kHeadSpeedShortColor);    // 3064 < 3100
  EXPECT_EQ(result.Columns[1].HeadSpeedColor, kHeadSpeedReachedColor);  // 3343
  EXPECT_EQ(result.Columns[2].HeadSpeed, "0");                          // 0 is never short
  EXPECT_EQ(result.Columns[2].HeadSpeedColor, kHeadSpeedReachedColor);
}

TEST(CalcGovernor, RangeAndThrottleFollowTheNearestRow) {
  struct Case {
    const char* rpm;
    int row;
    const char* range;
    const char* throttle;
  };
  const Case cases[] = {
      {"4999", 0, "Governor_Low", "0.0%"},      {"5000", 1, "Governor_Low", "60.0%"},
      {"10499", 4, "Governor_Low", "60.0%"},    // 60.5 % shows as 60.0
      {"45011", 105, "Governor_Low", "100.0%"}, {"45012", 106, "Governor_High", "60.0%"},
      {"250000", 210, "Governor_High", "100.0%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rpm);
    const GovernorResult result = CalcGovernor(AtElectricalRpm(c.rpm));
    EXPECT_EQ(result.Row, c.row);
    EXPECT_EQ(result.Range, c.range);
    EXPECT_EQ(result.Throttle, c.throttle);
  }
}

TEST(CalcGovernor, GuardsLeaveTheBoxesTheyCannotFill) {
  auto with = [](auto change) {
    GovernorInputs inputs = WorkedExample();
    change(inputs);
    return CalcGovernor(inputs);
  };

  // An empty input stops before anything, even the "Other" text.
  const GovernorResult empty = with([](GovernorInputs& in) {
    in.Cells.clear();
    in.CellVoltages[0] = "Other";
  });
  EXPECT_FALSE(empty.ElectricalRpmText);
  EXPECT_FALSE(empty.Columns[0].CellVoltage);
  EXPECT_FALSE(empty.Columns[1].PackVoltage);

  // An input that is no number: neither the rpm results nor the columns.
  const GovernorResult badKv = with([](GovernorInputs& in) { in.Kv = "74O"; });
  EXPECT_FALSE(badKv.MotorRpmText);
  EXPECT_FALSE(badKv.Range);
  EXPECT_FALSE(badKv.Columns[0].PackVoltage);

  // A cell voltage that is no number: only its column.
  const GovernorResult badCell = with([](GovernorInputs& in) { in.CellVoltages[1] = "3,6V"; });
  EXPECT_EQ(badCell.Throttle, "77.5%");
  EXPECT_EQ(badCell.Columns[0].PackVoltage, "39.6V");
  EXPECT_FALSE(badCell.Columns[1].PackVoltage);
  EXPECT_EQ(badCell.Columns[2].PackVoltage, "32.4V");
}

// Inputs that give no rpm or no reach empty the boxes of those results, so
// that no figure of earlier inputs stays on show.
TEST(CalcGovernor, ResultsWithoutAValueAreEmptied) {
  struct Case {
    const char* name;
    void (*change)(GovernorInputs&);
    std::optional<std::string> motor, electrical, range, throttle, pack, head;
  };
  const Case cases[] = {
      {"head speed 0", [](GovernorInputs& in) { in.HeadSpeed = "0"; }, "0.0", "0.0", "", "", "39.6V", "3064"},
      {"pinion 0: the motor box keeps its text", [](GovernorInputs& in) { in.Pinion = "0"; }, std::nullopt, "0.0",
       "", "", "39.6V", "0"},
      {"pole pairs 0", [](GovernorInputs& in) { in.PolePairs = "0"; }, "21993.8", "0.0", "", "", "39.6V", "3064"},
      {"main gear 0", [](GovernorInputs& in) { in.MainGear = "0"; }, "0.0", "0.0", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GovernorInputs inputs = WorkedExample();
    c.change(inputs);
    const GovernorResult result = CalcGovernor(inputs);
    EXPECT_EQ(result.MotorRpmText, c.motor);
    EXPECT_EQ(result.ElectricalRpmText, c.electrical);
    EXPECT_EQ(result.Range, c.range);
    EXPECT_EQ(result.Throttle, c.throttle);
    for (const GovernorColumn& column : result.Columns) {
      EXPECT_EQ(column.PackVoltage.value_or("(kept)").empty(), c.pack->empty());
      EXPECT_EQ(column.HeadSpeed.value_or("(kept)").empty(), c.head->empty());
    }
    EXPECT_EQ(result.Columns[0].PackVoltage, c.pack);
    EXPECT_EQ(result.Columns[0].HeadSpeed, c.head);
  }
}

TEST(CalcGovernor, OtherReadsAsZeroVolts) {
  GovernorInputs inputs = WorkedExample();
  inputs.CellVoltages[2] = "Other";
  const GovernorColumn column = CalcGovernor(inputs).Columns[2];
  EXPECT_EQ(column.CellVoltage, "0V");
  EXPECT_EQ(column.PackVoltage, "0.0V");
  EXPECT_EQ(column.HeadSpeed, "0");
}

TEST(CalcGovernor, LargeInputsNeitherWrapNorPrintInfinity) {
  GovernorInputs inputs = WorkedExample();
  inputs.HeadSpeed = "300000";
  inputs.MainGear = "300000";  // 9·10^10 does not fit 32 bits
  const GovernorResult capped = CalcGovernor(inputs);
  EXPECT_EQ(capped.MotorRpmText, "5624999936.0");  // 5.625·10^9 as a float
  EXPECT_EQ(capped.Row, 210);
  EXPECT_EQ(capped.Range, "Governor_High");

  inputs.Pinion = "1e-40";  // a motor rpm beyond the float range ends the step
  const GovernorResult overflow = CalcGovernor(inputs);
  EXPECT_FALSE(overflow.MotorRpmText);
  EXPECT_FALSE(overflow.ElectricalRpmText);
  EXPECT_EQ(overflow.Columns[0].HeadSpeed, "0");
}

TEST(CalcGovernor, CellVoltageIsTheNumberBeforeItsUnit) {
  struct Case {
    const char* text;
    std::optional<std::string> pack;  // with 12 cells
  };
  const Case cases[] = {
      {"3.7V", "44.4V"}, {"12V", "144.0V"}, {"4.25V", "51.0V"}, {"4.V", "48.0V"},
      {"100.0V", "1200.0V"},  // longer texts read whole, not only their last five characters
      {"V", std::nullopt},    {"abcV", std::nullopt},
  };
  for (const Case& c : cases) {
    GovernorInputs inputs = WorkedExample();
    inputs.CellVoltages[0] = c.text;
    EXPECT_EQ(CalcGovernor(inputs).Columns[0].PackVoltage, c.pack) << c.text;
  }
}

TEST(GovernorInputText, CommittedTextsAreCappedAndNormalised) {
  EXPECT_EQ(CapGovernorInput("300001"), "300000");
  EXPECT_EQ(CapGovernorInput("1e6"), "300000");
  EXPECT_FALSE(CapGovernorInput("300000"));
  EXPECT_FALSE(CapGovernorInput("16.5"));
  EXPECT_FALSE(CapGovernorInput("abc"));

  const std::pair<std::string, std::optional<std::string>> cells[] = {
      {"3.7V", "3.7V"}, {"12V", "12.0V"}, {"3.75V", "3.8V"}, {"0V", "0.0V"},
      {"Other", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [text, expected] : cells) EXPECT_EQ(NormalizeCellVoltage(text), expected) << text;

  EXPECT_EQ(CellVoltageOfItem(0), "3.7V");
  EXPECT_EQ(CellVoltageOfItem(1), "3.3V");
  EXPECT_EQ(CellVoltageOfItem(2), "1.2V");
  EXPECT_EQ(CellVoltageOfItem(3), "1.2V");
  EXPECT_FALSE(CellVoltageOfItem(4));
}

}  // namespace
}  // namespace app
