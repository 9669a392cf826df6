// orniva-import run as a process: its options, the data file written, the
// problems by input line and the exit status (the conversions themselves are
// the import conventions' tests').
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/curation.h"

#include "tests/support/test_support.h"

namespace orniva {
namespace {

TEST(OrnivaImportCli, OptionsStatusMessagesAndTheDataFile) {
  test::TempDir dir;
  const std::string in = dir.File("field.csv"), out = dir.File("field.fdt");
  // The data file written, or "" for none; standard error, of a refusal
  // only its start.
  struct Row {
    std::string table;  // written to IN; none: `input` is IN
    std::vector<std::string> args;
    int status;
    std::string err, data;
    std::string input{};
  };
  const std::string workbook = std::string(ORNIVA_REALDATA_DIR) + "/raw/structr_angelier_data.xlsx";
  // clang-format off
  const Row rows[] = {
      {"site,strike,dip,pitch,sense\r\nA,N30E,45NW,10NE,normal\r\n# a note\r\nB,0,45E,90S,thrust\r\n",
       {"--plane", "strike-quadrant", "--line=pitch-quadrant", "--columns", "2,3,4,5"}, 0,
       "orniva-import: 2 of 2 rows converted\n",
       "300 45 22.892923 7.053022 N\r\n90 45 90 45 R\r\n"},
      {"90\t45\t-90\n90\t95\t0\n90\t45\t200\n", {"--plane=dip-direction", "--line=rake-aki"}, 1,
       "orniva-import: " + in + " line 2: dip '95' is not a number from 0 to 90\n"
       "orniva-import: " + in + " line 3: rake '200' is not a number from -180 to 180\n"
       "orniva-import: 1 of 3 rows converted\n",
       "90 45 90 45 N\r\n"},
      {"90 45 90 N\n", {"--line", "rake"}, 2, "orniva-import: ", ""},
      {"90 45 90 N\n", {"--plane", "strike", "--line", "rake"}, 2, "orniva-import: ", ""},
      {"90 45 90 N\n", {"--plane", "dip-direction", "--line", "rake", "--sense-map", "U=up"}, 2,
       "orniva-import: ", ""},
      {"90 45 90 N\n", {"--plane", "dip-direction", "--line", "rake", "--columns", "0,1"}, 2,
       "orniva-import: ", ""},
      {"", {"--plane=strike-rhr", "--line=rake"}, 2,
       "orniva-import: cannot read " + dir.File("none.csv") + ": No such file or directory\n", "",
       dir.File("none.csv")},
      {"", {}, 2, "orniva-import: cannot read " + workbook + ": it is a spreadsheet workbook", "", workbook},
      // Conventions and columns as the header names them; the sense chosen for missing ones.
      {"Site;Strike;Dip;Rake;Sense\nA;0;45;90;\n", {"--default-sense=r"}, 0,
       "orniva-import: 1 of 1 rows converted\n", "90 45 90 45 R\r\n"},
      {"90 45 90 N\n", {"--plane", "dip-direction", "--line", "rake", "--default-sense", "U"}, 2,
       "orniva-import: ", ""},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    if (row.input.empty()) test::WriteFile(in, row.table);
    std::vector<std::string> args{row.input.empty() ? in : row.input, out};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const test::ProgramRun run = test::RunProgram(ORNIVA_TOOL_EXE, args, dir);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(row.status == 2 ? run.err.substr(0, row.err.size()) : run.err, row.err);
    EXPECT_EQ(row.data.empty() ? "" : test::ReadFile(out), row.data);
  }
}

// The last line of a run, its status, and the files written.
TEST(OrnivaImportCli, FieldSourcesRefusalsAndTheLastLine) {
  test::TempDir dir;
  const std::string field = std::string(ORNIVA_SOURCE_DIR) + "/tests/data/field/";
  const std::string in = dir.File("in.csv"), out = dir.File("out.fdt");
  struct Row {
    std::string in;  // a file of tests/data/field, or text written to `in`
    std::vector<std::string> args;
    int status;
    std::string lastLine, data;  // "" for no data file
  };
  // clang-format off
  const Row rows[] = {
      {"tectostress_strike-slip.csv", {}, 1, "10 of 21 rows converted", "165 70 75 0 D\r\n"},
      {"tectostress_strike-slip.csv", {"--from", "tectostress"}, 0, "9 of 21 rows converted", "165 70 75 0 D\r\n"},
      {"strabo_faults_written.json", {"--from=strabo-json"}, 1, "8 of 11 rows converted", "60 50 75 46 N\r\n"},
      {"strabo_structr_example.txt", {"--from=strabo-tsv"}, 2, "0 of 4 rows converted", ""},
      {"strabo_structr_example.txt", {"--from=strabo-tsv", "--keep-misfits", "--default-sense=N"}, 0,
       "2 of 4 rows converted", "213 45 44 10 N\r\n"},
      {"core_marjoribanks_written.csv", {"--from=core", "--hole-azimuth=225", "--hole-inclination=45", "--decimals=2"}, 1,
       "2 of 3 rows converted", "25 70.03 104.32 27.03 N\r\n"},
      {"90 45 90 45\nx y z w\n", {"--plane=dip-direction", "--line=trend-plunge", "--default-sense=skip"}, 2,
       "0 of 2 rows converted", ""},
      {"{\"spotsDb\": {}}", {}, 2, "cannot read " + in + ": it is JSON, not a table (a StraboSpot project imports with --from strabo-json)", ""},
      {"strabo_faults_written.json", {"--from=strabo-json", "--plane=dip-direction"}, 2,
       "--plane cannot be given with --from (the source names its columns)", ""},
      {"90 45 90 45 N\n", {"--keep-misfits"}, 2, "--keep-misfits applies only with --from", ""},
      {"90 45 90 45 N\n", {"--from=tectostress", "--hole-azimuth=10"}, 2,
       "--hole-azimuth applies only with --from core, not with --from tectostress", ""},
      {"90 45 90 45 N\n", {"--from=core", "--misfit-limit=91"}, 2, "--misfit-limit needs DEG from 0 to 90, not '91'", ""},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.in + " " + testing::PrintToString(row.args));
    std::filesystem::remove(out);
    const bool file = row.in.find('\n') == std::string::npos && row.in[0] != '{';
    if (!file) test::WriteFile(in, row.in);
    std::vector<std::string> args{file ? field + row.in : in, out};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const test::ProgramRun run = test::RunProgram(ORNIVA_TOOL_EXE, args, dir);
    EXPECT_EQ(run.status, row.status);
    const std::size_t last = run.err.rfind('\n', run.err.size() - 2);
    EXPECT_EQ(run.err.substr(last == std::string::npos ? 0 : last + 1),
              "orniva-import: " + row.lastLine + "\n");
    const bool written = std::filesystem::exists(out);
    EXPECT_EQ(written ? test::ReadFile(out).substr(0, row.data.size()) : "", row.data);
    EXPECT_EQ(std::filesystem::exists(CurationPathFor(out)),
              written && row.args.size() > 0 && row.args[0].rfind("--from", 0) == 0);
    std::filesystem::remove(CurationPathFor(out));
  }
}

// The output is never one of the inputs: the same file by any name.
TEST(OrnivaImportCli, AnInputIsNeverOverwritten) {
  test::TempDir dir;
  const std::string in = dir.File("t.fdt");
  test::WriteFile(in, "90 45 90 45 N\n");
  std::filesystem::create_hard_link(in, dir.File("link.fdt"));
  for (const std::string& out : {in, dir.File("link.fdt"), dir.path() + "/./t.fdt"}) {
    const test::ProgramRun run = test::RunProgram(
        ORNIVA_TOOL_EXE, {in, out, "--plane=dip-direction", "--line=trend-plunge"}, dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "orniva-import: " + out + " is the input " + in + "; choose another output file\n");
  }
  EXPECT_EQ(test::ReadFile(in), "90 45 90 45 N\n");
}

// The text sources of the real data sets, converted with the options their
// README gives (or with none where the header names the fields), are the
// committed data files byte for byte.
TEST(OrnivaImportCli, RealSourcesGiveTheCommittedDataFiles) {
  const std::string data = ORNIVA_REALDATA_DIR;
  test::TempDir dir;
  // clang-format off
  const struct { std::string raw, fdt; std::vector<std::string> args; int status; } rows[] = {
      // Three rows have no sense and are left out, as chosen: nothing failed.
      {"structr_simongomez.csv", "simongomez.fdt",
       {"--plane=strike-quadrant", "--line=pitch-quadrant", "--columns=3,4,5,6,7,8", "--default-sense=skip"}, 0},
      {"compgeo_jujuy.txt", "jujuy.fdt", {"--plane=strike-rhr", "--line=trend-plunge"}, 0},
      {"compgeo_bar.txt", "basin_range_bar.fdt", {"--plane=strike-rhr", "--line=trend-plunge"}, 0},
      {"geologyGeometry_cali_all_kh_faults_latlong.tsv", "kettleman_hills.fdt",
       {"--plane=strike-rhr", "--line=rake-360", "--columns=2,3,4"}, 0},
      {"geologyGeometry_cyprusSlicks2008005.tsv", "cyprus_2008005.fdt", {"--plane=strike-rhr", "--line=rake-360"}, 0},
      {"structr_simongomez.csv", "simongomez.fdt", {"--default-sense=skip"}, 0},
      {"geologyGeometry_cali_all_kh_faults_latlong.tsv", "kettleman_hills.fdt", {}, 0},
      {"SG2PS_ST_RUP_ANG.rgf", "sg2ps_phd.fdt", {}, 0},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.raw + " " + testing::PrintToString(row.args));
    const std::string out = dir.File(std::to_string(&row - rows) + ".fdt");
    std::vector<std::string> args{data + "/raw/" + row.raw, out, "--decimals=2"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    EXPECT_EQ(test::RunProgram(ORNIVA_TOOL_EXE, args, dir).status, row.status);
    EXPECT_EQ(test::ReadFile(out), test::ReadFile(data + "/" + row.fdt));
  }
}

// --to orientations: an orientation table written from planes in any
// plane convention and lines as trend and plunge; its refusals.
TEST(OrnivaImportCli, ToOrientations) {
  test::TempDir dir;
  const std::string in = dir.File("field.csv"), out = dir.File("field.orient.csv");
  const std::string kinds = "Type,Strike,Dip,Dip quadrant,Set\nP,N30E,45,NW,S0\nL,N30E,20,,L1\n";
  const struct {
    std::string table;
    std::vector<std::string> args;
    int status;
    std::string last, data;  // the last line on standard error; OUT, or "" for none
  } rows[] = {
      {kinds,
       {out, "--to", "orientations"},
       0,
       "2 of 2 rows converted",
       "kind,azimuth,angle,set\r\nplane,300,45,S0\r\nline,30,20,L1\r\n"},
      {kinds + "fold,1,2,,\n",
       {out, "--to=orientations"},
       1,
       "2 of 3 rows converted",
       "kind,azimuth,angle,set\r\nplane,300,45,S0\r\nline,30,20,L1\r\n"},
      {"strike,dip\n350,30\n",
       {out, "--to", "orientations", "--kind", "plane"},
       0,
       "1 of 1 rows converted",
       "kind,azimuth,angle\r\nplane,80,30\r\n"},
      {"strike,dip\n350,30\n",
       {out, "--to", "orientations"},
       2,
       in + ": no kind column; --kind plane or --kind line says what every row is",
       ""},
      {kinds,
       {dir.File("f.csv"), "--to", "orientations"},
       2,
       dir.File("f.csv") + ": an orientation table's name ends in .orient.csv",
       ""},
      {kinds, {out, "--kind", "line"}, 2, "--kind applies only with --to orientations", ""},
      {kinds,
       {out, "--to", "orientations", "--line", "rake"},
       2,
       "--to orientations reads lines as trend and plunge",
       ""},
      {kinds,
       {out, "--to", "planes"},
       2,
       "unknown value 'planes' for --to (use faults, orientations)",
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    std::filesystem::remove(out);
    test::WriteFile(in, row.table);
    std::vector<std::string> args{in};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const test::ProgramRun run = test::RunProgram(ORNIVA_TOOL_EXE, args, dir);
    EXPECT_EQ(run.status, row.status);
    const std::string err = run.err.substr(0, run.err.size() - 1);
    EXPECT_EQ(err.substr(err.rfind('\n') + 1), "orniva-import: " + row.last);
    EXPECT_EQ(std::filesystem::exists(out) ? test::ReadFile(out) : "", row.data);
  }
}

}  // namespace
}  // namespace orniva
