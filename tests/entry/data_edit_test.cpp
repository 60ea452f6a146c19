// Checks the rules of the numeric entry field: exit validation with its messages, limits,
// integer fields, hex display, label text with units and the operator key rule.
#include "data_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane::entry {
namespace {

DataEditRules pixelsPerInchField() {
  DataEditRules field;
  field.SetIntegerOnly(true);
  field.SetMinVal(10);
  field.SetMaxVal(2147483647);
  field.SetNumber(72);
  return field;
}

struct EntryCase {
  const char* typed;
  bool OK;
  const char* message;
  const char* textAfter;
};

void checkEntries(DataEditRules field, const std::vector<EntryCase>& cases) {
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.typed);
    field.setText(c.typed);
    const EntryCheck check = field.Evaluate();
    EXPECT_EQ(check.OK, c.OK);
    EXPECT_EQ(field.OK(), c.OK);
    EXPECT_EQ(check.message, c.message);
    EXPECT_EQ(field.Text(), c.textAfter);
  }
}

TEST(DataEditRules, IntegerFieldChecksOnLeaving) {
  checkEntries(pixelsPerInchField(),
               {
                   {"96", true, "", "96"},
                   {"9", false, "Entry must be greater than or equal to 10", "10"},
                   {"10.5", false, "Entry must be an integer.", "10.5"},
                   {"x", false, "Entry must be a valid integer.", "x"},
                   {"sqrt(-1)", false, "Entry must be an integer.", "sqrt(-1)"},
                   {"6*12", true, "", "72"},
               });
}

TEST(DataEditRules, RealFieldChecksOnLeaving) {
  DataEditRules field;
  field.SetMinVal(0);
  field.SetMaxVal(100);
  checkEntries(
      field, {
                 {"2.5*2", true, "", "5"},
                 {"1/3", true, "", "0.33333333"},
                 {"sqrt(-1)", false, "Entry must be greater than or equal to 0", "0"},
                 {"150", false, "Entry must be less than or equal to 100", "100"},
                 {"abc", false, "Entry could not be evaluated:\rinvalid character(s) in expression",
                  "abc"},
                 {"", false, "Entry could not be evaluated:\rentry cannot be blank", ""},
             });
}

TEST(DataEditRules, StartsAtZeroWithWideLimits) {
  const DataEditRules field;
  EXPECT_EQ(field.Text(), "0");
  EXPECT_EQ(field.GetNumber(), 0);
  EXPECT_EQ(field.MinVal(), -1.18973149535723176e100L);
  EXPECT_EQ(field.MaxVal(), 1.18973149535723176e100L);
  EXPECT_EQ(field.Units(), 1);
  EXPECT_FALSE(field.OK());
}

TEST(DataEditRules, SetNumberClampsIntoTheLimits) {
  DataEditRules field;
  field.SetMinVal(2);
  field.SetMaxVal(8);
  field.SetNumber(1);
  EXPECT_EQ(field.Text(), "2");
  field.SetNumber(9.5L);
  EXPECT_EQ(field.Text(), "8");
  field.SetNumber(4.25L);
  EXPECT_EQ(field.Text(), "4.25");
}

TEST(DataEditRules, LimitSettersMoveTheValueAndEachOther) {
  DataEditRules field;  // value 0
  field.SetMinVal(2);
  EXPECT_EQ(field.Text(), "2");  // a minimum above the value raises it
  field.SetMaxVal(1);            // below the minimum: becomes the minimum
  EXPECT_EQ(field.MaxVal(), 2);
  field.SetMaxVal(10);
  field.SetNumber(7);
  field.SetMaxVal(5);
  EXPECT_EQ(field.Text(), "5");  // a maximum below the value lowers it
  field.SetMinVal(20);           // above the maximum: becomes the maximum
  EXPECT_EQ(field.MinVal(), 5);
}

TEST(DataEditRules, IntegerOnlyBringsTheLimitsIntoThirtyTwoBits) {
  DataEditRules field;
  field.SetIntegerOnly(true);
  EXPECT_EQ(field.MinVal(), -2147483648.0L);
  EXPECT_EQ(field.MaxVal(), 2147483647.0L);
}

TEST(DataEditRules, LoadingStoresLimitsAsGiven) {
  DataEditRules field;
  field.setLoading(true);
  field.SetMinVal(2);
  field.SetNumber(-5);
  EXPECT_EQ(field.MinVal(), 2);
  EXPECT_EQ(field.Text(), "-5");
}

TEST(DataEditRules, HexFieldShowsAtLeastFourDigits) {
  DataEditRules field;
  field.setHex(true);
  field.SetNumber(255);
  EXPECT_EQ(field.Text(), "$00FF");
  EXPECT_EQ(field.GetNumber(), 255);
  field.SetNumber(74565.4L);  // rounded: $12345
  EXPECT_EQ(field.Text(), "$12345");
}

struct LabelCase {
  const char* Units;
  int system;
  const char* label;
};

TEST(DataEditRules, LabelShowsTheExpandedUnits) {
  const std::vector<LabelCase> cases = {
      {"", 1, "Height"},
      {"in", 1, "Height (in)"},
      {"F/L2^2", 1, "Height (lbs/ft^2)"},
      {"F/L2^2", 2, "Height (kN/m^2)"},
      {"F/L2^2", 3, "Height (F/L2^2)"},
      {"F1", 1, "Height (kips)"},
      {"F2", 2, "Height (kN)"},
      {"F/L", 1, "Height (lbs/in)"},
      {"L1", 2, "Height (mm)"},
      {"F4", 1, "Height (lb-sec2/in)"},
      {"F6", 2, "Height (Mg)"},
      {"L3", 1, "Height (rad)"},
  };
  for (const LabelCase& c : cases) {
    SCOPED_TRACE(std::string(c.Units) + " " + std::to_string(c.system));
    DataEditRules field;
    field.SetCaption("Height");
    field.SetUnitsString(c.Units);
    field.SetUnits(c.system);
    EXPECT_EQ(field.labelText(), c.label);
  }
}

TEST(DataEditRules, UnitsAreClampedIntoRange) {
  DataEditRules field;
  field.SetUnits(0);
  EXPECT_EQ(field.Units(), 1);
  field.SetUnits(7);
  EXPECT_EQ(field.Units(), 3);
}

struct KeyCase {
  const char* Text;
  size_t Start;
  size_t length;
  char key;
  const char* after;
};

TEST(TypedKey, OperatorOverAWholeSelectionExtendsTheValue) {
  const std::vector<KeyCase> cases = {
      {"12", 0, 2, '*', "12*"}, {"12", 0, 2, '!', "12!"}, {"12", 0, 2, '-', "12-"},
      {"12", 0, 2, '5', "5"},   {"12", 0, 1, '*', "*2"},  {"12", 2, 0, '+', "12+"},
      {"", 0, 0, '*', "*"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(std::string(c.Text) + " " + c.key);
    EXPECT_EQ(textAfterKey(c.Text, c.Start, c.length, c.key), c.after);
  }
  EXPECT_TRUE(operatorExtendsValue("12", 0, 2, '^'));
  EXPECT_FALSE(operatorExtendsValue("12", 0, 2, 'a'));
  EXPECT_FALSE(operatorExtendsValue("12", 1, 1, '*'));
}

}  // namespace
}  // namespace tolvane::entry
