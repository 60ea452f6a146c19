// Checks the soil-parameter pages without windows: fields and their units, enabling and notes by
// method, the checks on closing and the values written back into a layer's table.
#include <gtest/gtest.h>

#include <algorithm>

#include "current_project.h"
#include "data_edit.h"
#include "soil_layer_rules.h"
#include "soil_pages.h"

namespace tolvane::app {
namespace {

bool contains(const std::vector<std::string>& notes, const std::string& note) {
  return std::find(notes.begin(), notes.end(), note) != notes.end();
}

const SoilField& fieldOf(int32_t type, int column) {
  for (const SoilField& field : soilPageFor(type).fields) {
    if (field.column == column) return field;
  }
  throw std::logic_error("no field");
}

TEST(SoilPages, EachTypeShowsItsPageAndTitle) {
  const struct {
    int32_t type;
    const char* page;
    const char* Title;
    size_t fields;
  } cases[] = {
      {kSand, "Sand", "Sand", 8},
      {kClay, "Clay", "Clay (FHWA Spec.)", 6},
      {kShale, "Clay", "Shale (Reese and Aurora)", 6},
      {kStrongRockSideOrEnd, "Rock",
       "Strong Rock (FHWA Spec. - use either side friction or end bearing)", 8},
      {kStrongRock, "Rock", "Strong Rock (FHWA Spec. - side friction plus end bearing)", 8},
      {kDecomposedRock, "Decomp. Rock", "Decomp. Rock", 5},
      {kWeakRock, "Weak Rock", "Weak Rock", 8},
      {kGravellySand, "Gravel", "Gravelly Sand (Rollins et al)", 3},
      {kGravel, "Gravel", "Gravel (Rollins et al)", 3},
      {kCfaSand, "Sand CFA", "Sand CFA", 6},
      {kCfaClay, "Clay CFA", "Clay CFA", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    EXPECT_EQ(soilPageFor(c.type).Name, c.page);
    EXPECT_EQ(soilPageTitle(c.type), c.Title);
    EXPECT_EQ(soilPageFor(c.type).fields.size(), c.fields);
  }
}

TEST(SoilPages, LabelsCarryTheUnitsOfTheProjectsSystem) {
  const struct {
    int32_t type;
    int column;
    int Units;
    const char* label;
  } cases[] = {
      {kSand, 0, 1, "1. Total Unit Weight (lbs/ft^3)"},
      {kSand, 0, 2, "1. Total Unit Weight (kN/m^3)"},
      {kSand, 1, 1, "7. Friction Angle (****) (Deg)"},
      {kSand, 3, 1, "2. Coefficient of Lateral Earth Pressure, Ko"},
      {kClay, 1, 1, "2. Undrained Cohesion (lbs/ft^2)"},
      {kStrongRockSideOrEnd, 2, 2, "4. Discontinuity Spacing (m)"},
      {kStrongRockSideOrEnd, 5, 1, "7. Elastic Modulus (lbs/in^2)"},
      {kWeakRock, 2, 1, "4. Concrete Slump (in)"},
      {kWeakRock, 2, 2, "4. Concrete Slump (m)"},
      {kWeakRock, 7, 1, "1. Total Unit Weight (lbs/ft^3)"},
      {kDecomposedRock, 3, 2, "6. Young Modulus (optional) (kN/m^2)"},
      {kCfaSand, 4, 2, "4. CPT Qc (kN/m^2)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const SoilField& field = fieldOf(c.type, c.column);
    entry::DataEditRules edit;
    edit.SetCaption(field.Caption);
    edit.SetUnitsString(field.Units);
    edit.SetUnits(c.Units);
    EXPECT_EQ(edit.labelText(), c.label);
  }
  EXPECT_EQ(fieldOf(kSand, 2).kind, SoilFieldKind::kInteger);
  EXPECT_TRUE(fieldOf(kSand, 6).hidden);
  EXPECT_EQ(fieldOf(kClay, 6).prompt, "Select Test");
  EXPECT_EQ(fieldOf(kWeakRock, 1).prompt, "Select Index");
  EXPECT_EQ(fieldOf(kCfaSand, 3).items, (std::vector<std::string>{"Sand", "Silt"}));
}

TEST(SoilPages, SandFieldsFollowTheMethod) {
  // column: Ko 3, Beta 4, interface angle 6, m 7, OCR 8; unit weight 0 always.
  const struct {
    int method;
    bool Ko, Beta, Interface, M, Ocr;
  } cases[] = {
      {1, true, false, true, false, false},
      {2, false, true, false, false, false},
      {3, false, false, true, true, true},
      {0, true, false, true, false, false},  // no button matches: the first method
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    EXPECT_EQ(soilFieldEnabled(kSand, 3, c.method), c.Ko);
    EXPECT_EQ(soilFieldEnabled(kSand, 4, c.method), c.Beta);
    EXPECT_EQ(soilFieldEnabled(kSand, 6, c.method), c.Interface);
    EXPECT_EQ(soilFieldEnabled(kSand, 7, c.method), c.M);
    EXPECT_EQ(soilFieldEnabled(kSand, 8, c.method), c.Ocr);
    EXPECT_TRUE(soilFieldEnabled(kSand, 0, c.method));
  }
  EXPECT_EQ(soilFieldCaption(kSand, fieldOf(kSand, 2), 2), "5. Blow Counts from SPT (**)");
  EXPECT_EQ(soilFieldCaption(kSand, fieldOf(kSand, 2), 1), "5. Blow Counts from SPT");
  const auto beta = soilPageNotes(kSand, 2);
  EXPECT_TRUE(contains(beta, "(**)  SPT value should not be left as zero for beta method"));
  EXPECT_TRUE(
      contains(beta, "(*)  Program will estimate the value internally if it is left as zero "));
  EXPECT_FALSE(contains(beta,
                        "(****)  Program will estimate friction angle based on blow counts if "
                        "it is left as zero."));
  const auto chen = soilPageNotes(kSand, 3);
  EXPECT_TRUE(
      contains(chen, "(***) Program will overwrite OCR value if m and Blow Counts  are defined"));
  EXPECT_TRUE(contains(chen,
                       "(****)  Program will estimate friction angle based on blow counts if "
                       "it is left as zero."));
  EXPECT_EQ(soilPageNotes(kSand, 1).size(), 2u);  // "Notes:" and the friction-angle note
}

TEST(SoilPages, ClayAndCfaFieldsFollowTheMethod) {
  EXPECT_TRUE(soilFieldEnabled(kClay, 2, 1));   // blow counts with O'Neil & Reese
  EXPECT_TRUE(soilFieldEnabled(kClay, 3, 1));   // alpha
  EXPECT_FALSE(soilFieldEnabled(kClay, 6, 1));  // type of test only with GEC 10
  EXPECT_FALSE(soilFieldEnabled(kClay, 2, 2));
  EXPECT_TRUE(soilFieldEnabled(kClay, 6, 2));
  EXPECT_FALSE(soilFieldEnabled(kShale, 2, 0));  // blow counts disabled for shale
  EXPECT_FALSE(methodGroupUsed(kShale));
  EXPECT_TRUE(methodGroupUsed(kClay));
  EXPECT_TRUE(contains(soilPageNotes(kShale, 0), "(*)  Not recommended for shale"));
  EXPECT_FALSE(contains(soilPageNotes(kClay, 1), "(*)  Not recommended for shale"));

  // CFA sand: blow counts 2, soil type 3, qc 4, beta 5, friction angle 6.
  EXPECT_TRUE(soilFieldEnabled(kCfaSand, 2, 1));
  EXPECT_TRUE(soilFieldEnabled(kCfaSand, 3, 1));
  EXPECT_FALSE(soilFieldEnabled(kCfaSand, 4, 1));
  EXPECT_TRUE(soilFieldEnabled(kCfaSand, 4, 2));
  EXPECT_FALSE(soilFieldEnabled(kCfaSand, 2, 2));
  EXPECT_TRUE(soilFieldEnabled(kCfaSand, 5, 3));
  EXPECT_TRUE(soilFieldEnabled(kCfaSand, 2, 3));
  EXPECT_FALSE(soilFieldEnabled(kCfaSand, 3, 3));
  EXPECT_TRUE(soilPageNotes(kCfaSand, 1).empty());
  EXPECT_EQ(soilPageNotes(kCfaSand, 3).size(), 2u);
  // CFA clay: cohesion 2, Nc 3, qc 4, blow counts 5, alpha 6.
  EXPECT_TRUE(soilFieldEnabled(kCfaClay, 2, 1));
  EXPECT_FALSE(soilFieldEnabled(kCfaClay, 2, 2));
  EXPECT_TRUE(soilFieldEnabled(kCfaClay, 4, 2));
  EXPECT_TRUE(soilFieldEnabled(kCfaClay, 6, 3));
  EXPECT_FALSE(soilFieldEnabled(kCfaClay, 5, 1));
  EXPECT_EQ(soilPageNotes(kCfaClay, 3).size(), 4u);
  EXPECT_EQ(shownCaption(soilPageFor(kCfaClay).methods[2]), "FHWA O'Neill & Reese (1999)");
  EXPECT_EQ(shownCaption(soilPageFor(kClay).methods[0]), "FHWA O'Neil & Reese (1999)");
}

TEST(SoilPages, ClosingChecksTheValuesTheMethodNeeds) {
  const struct {
    int32_t type;
    int method;
    int column;  // left at 0 top and bottom
    const char* message;
  } failing[] = {
      {kSand, 1, 3,
       "Coefficient of Lateral Earth Pressure, Ko,\rshould be greater than zero while using Ko "
       "Method\rPlease Check!"},
      {kSand, 2, 2,
       "Blow Counts from SPT,\rshould be greater than zero while using Beta Method\rPlease Check!"},
      {kCfaSand, 2, 4,
       "CPT Value, Qc,\rshould be greater than zero while using LPC Method\rPlease Check!"},
      {kCfaSand, 3, 2,
       "Blow Counts from SPT,\rshould be greater than zero while using FHWA Method\rPlease Check!"},
      {kCfaClay, 2, 4,
       "CPT Value, Qc,\rshould be greater than zero while using LPC Method\rPlease Check!"},
  };
  for (const auto& c : failing) {
    SCOPED_TRACE(c.message);
    LayerValues values;
    values.method = c.method;
    const auto failure = checkSoilPageClose(c.type, values);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->column, c.column);
    // A value at the top or at the bottom is enough.
    values.at(kBottomRow, c.column) = 5;
    EXPECT_FALSE(checkSoilPageClose(c.type, values).has_value());
  }
  LayerValues zero;
  zero.method = 3;
  EXPECT_FALSE(checkSoilPageClose(kSand, zero).has_value());  // Chen and Kulhawy needs neither
  EXPECT_FALSE(checkSoilPageClose(kClay, zero).has_value());
}

class SoilPageValues : public ::testing::Test {
 protected:
  SoilPageValues() : project_(host_, kEnglishUnits) {}
  grid::TGridTable& layer() { return *project_.grids().layerTable(0); }
  HeadlessHost host_;
  CurrentProject project_;
};

TEST_F(SoilPageValues, SandWritesOnlyTheParametersOfItsMethod) {
  LayerValues values;
  for (int column = 0; column < 9; ++column) {
    values.at(kTopRow, column) = 10 + column;
    values.at(kBottomRow, column) = 20 + column;
  }
  values.at(kTopRow, 2) = 12.5L;  // blow counts round to the nearest integer, ties to even
  values.at(kBottomRow, 2) = 13.5L;
  values.method = 2;  // Beta
  writeLayerValues(layer(), kSand, values);
  EXPECT_EQ(layer().GetIntValue(2, kTopRow), 12);
  EXPECT_EQ(layer().GetIntValue(2, kBottomRow), 14);
  EXPECT_EQ(layer().GetFloatValue(4, kTopRow), 14);  // Beta kept
  for (const int cleared : {3, 6, 7, 8}) {
    SCOPED_TRACE(cleared);
    EXPECT_EQ(layer().GetFloatValue(cleared, kTopRow), 0);
    EXPECT_EQ(layer().GetFloatValue(cleared, kBottomRow), 0);
  }
  EXPECT_EQ(layer().GetIntValue(5, kTopRow), 2);
  EXPECT_EQ(layer().GetIntValue(5, kBottomRow), 2);

  values.method = 3;  // Chen and Kulhawy clears Ko and Beta
  writeLayerValues(layer(), kSand, values);
  EXPECT_EQ(layer().GetFloatValue(3, kTopRow), 0);
  EXPECT_EQ(layer().GetFloatValue(4, kTopRow), 0);
  EXPECT_EQ(layer().GetFloatValue(7, kTopRow), 17);
  EXPECT_EQ(layer().GetFloatValue(8, kBottomRow), 28);
  EXPECT_EQ(layer().GetFloatValue(6, kTopRow), 16);

  values.method = 1;  // Ko clears Beta, m and OCR
  writeLayerValues(layer(), kSand, values);
  EXPECT_EQ(layer().GetFloatValue(3, kTopRow), 13);
  EXPECT_EQ(layer().GetFloatValue(4, kTopRow), 0);
  EXPECT_EQ(layer().GetFloatValue(8, kTopRow), 0);
}

TEST_F(SoilPageValues, AMethodOfZeroIsStoredAsTheFirstMethod) {
  changeSoilType(project_.grids(), 0, kClay);
  LayerValues values = readLayerValues(layer(), kClay);
  EXPECT_EQ(values.method, 0);
  writeLayerValues(layer(), kClay, values);
  EXPECT_EQ(layer().GetIntValue(5, kTopRow), 1);
  EXPECT_EQ(layer().GetIntValue(5, kBottomRow), 1);
}

TEST_F(SoilPageValues, ShaleNeitherReadsNorWritesTheClayMethodOrTest) {
  changeSoilType(project_.grids(), 0, kShale);
  LayerValues values = readLayerValues(layer(), kShale);
  values.at(kTopRow, 1) = 2500;
  values.at(kTopRow, 6) = 3;  // the type-of-test field: shale has no such column
  values.method = 2;
  writeLayerValues(layer(), kShale, values);
  EXPECT_EQ(layer().ColCount(), 5);
  EXPECT_EQ(layer().GetFloatValue(1, kTopRow), 2500);
}

}  // namespace
}  // namespace tolvane::app
