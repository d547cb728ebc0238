// The job list's own file.
#include <gtest/gtest.h>

#include "frontend/commands/job_list_file.h"

using namespace commands;

TEST(JobListFile, LinesWithCrLfAfterEachAndNothingElse) {
    const JobList jobs = {"@echo.", "@x264.exe --crf 20 -o \"a b.mkv\" \"in.y4m\"", "", "@echo+"};
    const std::string text =
        "@echo.\r\n@x264.exe --crf 20 -o \"a b.mkv\" \"in.y4m\"\r\n\r\n@echo+\r\n";
    EXPECT_EQ(job_list_file_text(jobs), text);
    EXPECT_EQ(read_job_list_file(text), jobs);
    EXPECT_EQ(read_job_list_file(""), JobList{});
    EXPECT_EQ(read_job_list_file("@rem\ta tab\r\n"), JobList{"@rem\ta tab"});
    for (const std::string& damaged :
         {std::string("@echo.\r\n@echo+"), std::string("@echo.\n@echo+\n"),
          std::string("@echo.\r\n\0\0\0\r\n", 11), std::string("a\rb\r\n"),
          std::string("\x7f\r\n")})
        EXPECT_FALSE(read_job_list_file(damaged)) << damaged;
}
