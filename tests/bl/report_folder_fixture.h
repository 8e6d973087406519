// A fresh temporary report folder per test; the reports of the test's
// report files go there and never into the working directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "report/report_files.h"

class ReportFolderTest : public ::testing::Test {
 protected:
  std::filesystem::path dir;
  bl::ReportFiles reports;  // the report files of the routines a test calls

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() /
          ("veltaro_" + std::string(info->test_suite_name()) + "_" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    reports.set_folder(dir.string());
  }
  void TearDown() override {
    reports.close_all();
    std::filesystem::remove_all(dir);
  }

  std::string read(const std::string& name) const { return slurp(dir / name); }

 public:
  static std::string slurp(const std::filesystem::path& p) {
    std::ifstream f(p);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
  }
};
