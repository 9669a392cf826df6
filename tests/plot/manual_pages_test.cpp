// The manual: a page for every diagram and every orniva-analyse command,
// each naming every column of the command's report; every page reached
// from the contents, every link between pages leading to a page, and every
// page among the window's resources.
#include "plot/manual_pages.h"

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace orniva::test {
namespace {

const std::string kManual = std::string(ORNIVA_SOURCE_DIR) + "/docs/manual/";

std::string Page(std::string_view name) {
  const std::string path = kManual + std::string(name);
  return std::filesystem::exists(path) ? ReadFile(path) : std::string();
}

// Each command of analysis.md's report table with the columns of its report.
TEST(Manual, ExplainsEveryColumnOfEveryCommand) {
  const std::vector<std::pair<std::string, std::string>> commands = {
      {"kinematics", "line,misfit,p_trend,p_plunge,t_trend,t_plunge,b_trend,b_plunge"},
      {"bingham", "axis,trend,plunge,eigenvalue"},
      {"density", "trend,plunge,value"},
      {"dihedra", "trend,plunge,value"},
      {"stress", "s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,r,mean_misfit,n"},
      {"misfit-angles", "line,beta"},
      {"stress-summary",
       "method,s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,r_prime,regime,"
       "wsm_regime,shmax,shmin,mean_misfit,n"},
      {"stress-methods", "theta_to_michael"},
      {"stress-bootstrap",
       "samples,rank_deficient,confidence,theta_radius,phi_low,phi_high,r_prime_low,r_prime_high,"
       "shmax_low,shmax_high,theta"},
      {"mohr", "line,sigma_n,tau,tau_slip,rup,ang"},
      {"tendency", "line,sigma_n,tau,ts,ts_normalised,td"},
      {"tendency-grid", "trend,plunge,value"},
      {"leave-one-out", "line,theta,beta"},
      {"separate", "phase,n,s1_trend,s1_plunge,s3_trend,s3_plunge,phi,mean_misfit,line,also"},
      {"select", "line"},
      {"rose", "from,to,count"},
      {"back-tilt", "line,faz,fpl,saz,spl,sense"},
      {"tilt-test", "fraction,mean_misfit,steepest_plunge,s1_trend,s1_plunge,s3_trend,phi"},
      {"fisher", "n,trend,plunge,r,k,alpha,csd"},
      {"fabric", "s1,s2,s3,e1_trend,e1_plunge,e2_trend,e3_plunge,K,C,P,G,R,B,I"},
      {"fold-axis", "trend,plunge,n,s3,G"},
  };
  const std::string tool = Page("orniva-analyse.html");
  for (const auto& [command, columns] : commands) {
    SCOPED_TRACE(command);
    const std::string_view name = ManualPageOfCommand(command);
    const std::string page = Page(name);
    ASSERT_FALSE(page.empty()) << name;
    EXPECT_NE(tool.find("<code>" + command + "</code>"), std::string::npos);
    std::size_t start = 0;
    for (std::size_t end = 0; end != std::string::npos; start = end + 1) {
      end = columns.find(',', start);
      const std::string column = columns.substr(start, end - start);
      EXPECT_NE(page.find("<td><code>" + column + "</code></td>"), std::string::npos) << column;
    }
  }
  EXPECT_TRUE(ManualPageOfCommand("plot").empty());
}

TEST(Manual, HasAPageForEveryDiagram) {
  for (int m = 0; m <= int(PlotMode::Tendency); ++m)
    EXPECT_FALSE(Page(ManualPageOfDiagram(PlotMode(m))).empty()) << m;
  for (std::string_view page : {kManualIndex, kManualConventions, kManualDataFile, kManualImport,
                                kManualCuration, kManualFigures})
    EXPECT_FALSE(Page(page).empty()) << page;
}

// Phi and R' and every other ratio by its formula, where users of other
// programs read R for what is Phi here.
TEST(Manual, NamesEachRatioWithItsFormula) {
  for (const char* page : {"conventions.html", "stress-inversion.html"}) {
    const std::string text = Page(page);
    for (const char* formula : {"Φ = (σ2 − σ3) / (σ1 − σ3)", "1 − Φ = (σ1 − σ2) / (σ1 − σ3)"})
      EXPECT_NE(text.find(formula), std::string::npos) << page << ": " << formula;
  }
  const std::string conventions = Page("conventions.html");
  for (const char* formula : {"2 − Φ", "τ / (σn − Pf)", "(σ1 − σn) / (σ1 − σ3)", "asin(|n · l|)"})
    EXPECT_NE(conventions.find(formula), std::string::npos) << formula;
}

TEST(Manual, EveryPageIsReachedAndEveryLinkLeadsToAPage) {
  std::set<std::string> pages;
  for (const auto& entry : std::filesystem::directory_iterator(kManual))
    if (entry.path().extension() == ".html") pages.insert(entry.path().filename().string());
  const std::string index = Page(kManualIndex), qrc = Page("manual.qrc");
  const std::regex link("href=\"([^\"#]*)");
  for (const std::string& name : pages) {
    SCOPED_TRACE(name);
    const bool linked = index.find("href=\"" + name + "\"") != std::string::npos;
    EXPECT_TRUE(linked || name == kManualIndex);
    EXPECT_NE(qrc.find("<file>" + name + "</file>"), std::string::npos);
    const std::string page = Page(name);
    for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it)
      EXPECT_TRUE((*it)[1] == "manual.css" || pages.count((*it)[1])) << (*it)[1];
  }
  EXPECT_GE(pages.size(), 20u);
}

}  // namespace
}  // namespace orniva::test
