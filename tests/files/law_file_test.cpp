// SPDX-License-Identifier: MIT
#include "files/law_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.h"

namespace kvt {
namespace {

using kvt::testing::TempDir;

void write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(LawFile, ReadsEachKindOfLaw) {
  const TempDir dir;
  write(dir.file("c30.toml"),
        "law = \"mc2010\"\nfck = \"30 MPa\"\nbond = \"other\"\nfailure = \"lower\"\n"
        "c_clear = \"0.8 cm\"\nc_min = \"25mm\"\nc_max = \"40 mm\"\nkm = 12\nKtr = 0.02\n");
  const auto mc = std::get<Mc2010Entries>(readLawFile(dir.file("c30.toml")));
  EXPECT_EQ(mc.fcm, 38);
  EXPECT_EQ(mc.fck, 30);
  EXPECT_EQ(mc.bond, Mc2010Entries::Bond::Other);
  EXPECT_EQ(mc.failure, Mc2010Entries::Failure::Lower);
  EXPECT_DOUBLE_EQ(mc.cClear, 8);
  EXPECT_EQ(mc.cMin, 25);
  EXPECT_EQ(mc.cMax, 40);
  EXPECT_EQ(mc.km, 12);
  EXPECT_EQ(mc.Ktr, 0.02);

  std::filesystem::create_directory(dir.path() / "tests");
  write(dir.file("tests/m1.csv"),
        "\xEF\xBB\xBFslip (mm),bond stress (MPa)\r\n0,0\r\n0.5, 9.80665\r\n\r\n2,4\r\n");
  write(dir.file("m1.toml"), "law = \"table\"\r\nfile = \"tests/m1.csv\"\r\n");
  const auto table = std::get<TableEntries>(readLawFile(dir.file("m1.toml")));
  ASSERT_EQ(table.points.size(), 3u);
  EXPECT_DOUBLE_EQ(table.points[1].slip, 0.05);   // cm
  EXPECT_DOUBLE_EQ(table.points[1].stress, 100);  // kgf/cm²
  EXPECT_NE(table.source.find("tests/m1.csv"), std::string::npos);

  write(dir.file("own.toml"), "law = \"kvt\"\n");
  EXPECT_TRUE(isKvtLaw(readLawFile(dir.file("own.toml"))));
}

// Every refusal names the file, the key (or line) and the reason.
TEST(LawFile, RefusalsNameTheFileTheKeyAndTheReason) {
  struct Refusal {
    const char* toml;
    const char* message;
  };
  const std::string mc = "law = \"mc2010\"\nbond = \"good\"\nfailure = \"pull-out\"\n";
  const std::string full = mc + "fcm = \"38 MPa\"\nc_clear = \"8 mm\"\n";
  const std::vector<std::pair<std::string, std::string>> refusals = {
      {"law = \"ceb90\"\n", "law: \"ceb90\" is none of \"kvt\", \"mc2010\", \"table\""},
      {"law = 3\n", "law: must be a text in quotes"},
      {"fcm = \"38 MPa\"\n", "law: is missing"},
      {"law = \"mc2010\n", "line 1: "},  // the TOML itself
      {mc + "c_clear = \"8 mm\"\n", "fcm: is missing"},
      {mc + "fcm = 38\nc_clear = \"8 mm\"\n", "fcm: must be a text in quotes"},
      {mc + "fcm = \"38\"\nc_clear = \"8 mm\"\n", "fcm: \"38\" has no unit"},
      {mc + "fcm = \"38 mm\"\nc_clear = \"8 mm\"\n", "fcm: \"mm\" is not a unit of stress"},
      {mc + "fcm = \"abc MPa\"\nc_clear = \"8 mm\"\n",
       "fcm: \"abc MPa\" does not start with a number"},
      {mc + "fcm = \"-5 MPa\"\nc_clear = \"8 mm\"\n", "fcm: \"-5 MPa\" must be above zero"},
      {full + "fck = \"30 MPa\"\n", "fck: give fcm or fck, not both"},
      {full + "fcmm = \"30 MPa\"\n", "fcmm: is not a key of this law"},
      {full + "km = -1\n", "km: must not be below zero"},
      {"law = \"mc2010\"\nbond = \"poor\"\nfailure = \"pull-out\"\nfcm = \"38 MPa\"\n",
       "bond: \"poor\" is none of \"good\", \"other\""},
      {"law = \"mc2010\"\nbond = \"other\"\nfailure = \"pull-out\"\nfcm = \"38 MPa\"\n"
       "c_clear = \"3 mm\"\n",
       "c_clear: MC2010 law: c_clear = 3.0 mm gives s3 = 3.0 mm, which is not beyond s2 = 3.6 mm"},
      {"law = \"mc2010\"\nbond = \"good\"\nfailure = \"splitting\"\nfcm = \"38 MPa\"\n"
       "c_clear = \"8 mm\"\nc_min = \"20 mm\"\n",
       "c_max: is missing"},
      {"law = \"table\"\n", "file: is missing"},
      {"law = \"table\"\nfile = \"none.csv\"\n", "file: "},
  };
  const TempDir dir;
  const std::string path = dir.file("law.toml");
  for (const auto& [toml, message] : refusals) {
    write(path, toml);
    try {
      readLawFile(path);
      ADD_FAILURE() << toml << " was read";
    } catch (const LawFileError& error) {
      const std::string what = error.what();
      EXPECT_EQ(what.rfind(path + ": ", 0), 0u) << what;
      EXPECT_NE(what.find(message), std::string::npos) << what;
    }
  }
  EXPECT_THROW(readLawFile(dir.file("missing.toml")), LawFileError);
}

TEST(LawFile, SavedLawsReadBackAsTheyWere) {
  const TempDir dir;
  Mc2010Entries mc;
  mc.fck = 27.5;
  mc.fcm = 35.5;
  mc.bond = Mc2010Entries::Bond::Other;
  mc.failure = Mc2010Entries::Failure::Splitting;
  mc.cClear = 7.3;
  mc.cMin = 21;
  mc.cMax = 0.1 + 0.2;  // a number with no short decimal form
  mc.Ktr = 0.015;
  saveLawFile(dir.file("mc.toml"), mc);
  const auto back = std::get<Mc2010Entries>(readLawFile(dir.file("mc.toml")));
  EXPECT_EQ(back.fck, mc.fck);
  EXPECT_EQ(back.fcm, mc.fcm);
  EXPECT_EQ(back.bond, mc.bond);
  EXPECT_EQ(back.failure, mc.failure);
  EXPECT_EQ(back.cClear, mc.cClear);
  EXPECT_EQ(back.cMin, mc.cMin);
  EXPECT_EQ(back.cMax, mc.cMax);
  EXPECT_EQ(back.km, 0);
  EXPECT_EQ(back.Ktr, mc.Ktr);

  std::filesystem::create_directory(dir.path() / "data");
  write(dir.file("data/m.csv"), "slip (cm),bond stress (kgf/cm2)\n0.01,50\n0.05,20\n");
  saveLawFile(dir.file("m.toml"), readLawTable(dir.file("data/m.csv")));
  EXPECT_NE(fileText(dir.file("m.toml")).find("file = \"data/m.csv\"\r\n"), std::string::npos);
  const auto table = std::get<TableEntries>(readLawFile(dir.file("m.toml")));
  ASSERT_EQ(table.points.size(), 2u);
  EXPECT_EQ(table.points[1].stress, 20);

  saveLawFile(dir.file("kvt.toml"), KvtLawEntries{});
  EXPECT_TRUE(isKvtLaw(readLawFile(dir.file("kvt.toml"))));
}

TEST(LawFile, TableRefusalsNameTheLine) {
  const std::pair<const char*, const char*> refusals[] = {
      {"slip,bond stress (MPa)\n0,1\n", "line 1: the column \"slip\" names no unit"},
      {"slip (mm)\n0\n", "line 1: the header must name two columns"},
      {"slip (kg),bond stress (MPa)\n", "line 1: \"kg\" is not a unit of length"},
      {"slip (mm),bond stress (MPa)\n0,1\n0.5,x\n",
       "line 3: the bond stress \"x\" is not a number"},
      {"slip (mm),bond stress (MPa)\n0,1\n0.5,1e999\n", "line 3: the bond stress \"1e999\" is not"},
      {"slip (mm),bond stress (MPa)\n0,1\n0.5\n", "line 3: the line holds 1 values"},
      {"slip (mm),bond stress (MPa)\n0,1\n0.5,2\n0.5,3\n", "line 4: the slip does not increase"},
      {"slip (mm),bond stress (MPa)\n0,1\n0.4,2\n0.3,3\n", "line 4: the slip does not increase"},
      {"slip (mm),bond stress (MPa)\n0,-1\n", "line 2: the bond stress is below zero"},
      {"slip (mm),bond stress (MPa)\n", "the file has no point below its header"},
  };
  const TempDir dir;
  const std::string path = dir.file("m.csv");
  for (const auto& [csv, message] : refusals) {
    write(path, csv);
    try {
      readLawTable(path);
      ADD_FAILURE() << csv << " was read";
    } catch (const LawFileError& error) {
      EXPECT_NE(std::string(error.what()).find(path + ": " + message), std::string::npos)
          << error.what();
    }
  }
}

}  // namespace
}  // namespace kvt
