// The job list's own file, and the jobs a script runs as read from its lines.
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

TEST(QueuedJobs, TheFinalFileOfEachLiveBlock) {
    const JobList lines = {
        "shutdown.exe -s -f -t 30", // outside every block
        "@echo.",
        "@echo Input:\"C:\\in\\a.y4m\"",
        "@echo Output:\"D:\\v\\50%%\\a.mp4\"",
        "@echo Encode Mode:Single Pass - CRF",
        "@x264.exe --crf 20 -o \"D:\\v\\50%%\\a.mp4\" \"C:\\in\\a.y4m\" 2>&1|runlog.exe "
        "\"C:\\enc\\log\\a.y4m.txt\"",
        "@ffmpeg.exe -v error -i \"C:\\in\\a.y4m\" -vn -ac 2 -f wav - | neroaacenc.exe -if - -of "
        "\"D:\\v\\50%%\\a.audio.mp4\" -ignorelength -cbr 64000",
        "@mp4box.exe -add \"D:\\v\\50%%\\a.audio.mp4\" \"D:\\v\\50%%\\a.mp4\"",
        "@echo+",
        "@echo.", // "MKVMerge": the Matroska file
        "@echo Input:\"C:\\enc\\avs\\b.mkv.avs\"",
        "@echo Output:\"D:\\v\\b.264\"",
        "@if errorlevel 1 @x264.exe -p 2 -o \"D:\\v\\b.264\" \"C:\\enc\\avs\\b.mkv.avs\"",
        "@bepipe.exe --script \"import(^C:\\enc\\avs\\b.mkv.avs^)\" | enc_aacplus.exe - "
        "\"D:\\v\\b.audio.aac\" --cbr 64000",
        "@mkvmerge -o \"D:\\v\\b.mkv\" \"D:\\v\\b.264\" \"D:\\v\\b.audio.aac\"",
        "@echo+",
        "@echo.", // "Audio Only": the audio file
        "@echo Input:\"C:\\in\\c.avs\"",
        "@echo Output:\"D:\\v\\c.mp4\"",
        "@echo Encode Mode:Automated Double Passes",
        "@bepipe.exe --script \"import(^C:\\in\\c.avs^)\" | neroaacenc.exe -if - -of "
        "\"D:\\v\\c.audio.mp4\" -ignorelength -q 0.5",
        "@echo+",
        "@echo.", // disabled
        "@rem @echo Input:\"C:\\in\\d.avs\"",
        "@rem @x264.exe -o \"D:\\v\\d.mp4\" \"C:\\in\\d.avs\"",
        "@echo+",
        "@echo.", // refused or emptied: the markers only
        "@echo+",
        "@echo.", // its end edited away: not a block
        "@x264.exe -o \"D:\\v\\e.mp4\" \"C:\\in\\e.avs\"",
    };
    std::vector<QueuedJob> jobs = queued_jobs(lines);
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].input, "C:\\in\\a.y4m");
    EXPECT_EQ(jobs[0].final_file, "D:\\v\\50%\\a.mp4");
    EXPECT_EQ(jobs[0].log_file, "C:\\enc\\log\\a.y4m.txt");
    EXPECT_EQ(jobs[1].final_file, "D:\\v\\b.mkv");
    EXPECT_EQ(jobs[1].log_file, "");
    EXPECT_EQ(jobs[2].final_file, "D:\\v\\c.audio.mp4");
}
