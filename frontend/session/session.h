// The program's start-up as the window and quorbel-cli share it, and the
// program's folder with every name the front end keeps there: the working
// folders, the lists of named configurations and include scripts, and the
// start-up settings file. The settings files themselves are
// settings_files.h.
#pragma once

#include <string>
#include <vector>

#include "frontend/commands/job_files.h"
#include "frontend/session/settings_files.h"
#include "platform/os.h"

namespace session {

// The folder of the program's own file, ending in its separator, and the
// names of what the front end keeps there.
struct ProgramFolder {
    std::string path;

    // The settings the program starts with and leaves behind.
    std::string settings_file() const { return path + "quorbel.ini"; }
    // The job list kept between runs.
    std::string job_list_file() const { return path + "quorbel.jobs"; }
    // Which jobs went to which running script (ui/running_record.h).
    std::string running_record_file() const { return path + "quorbel.running"; }
    // The file through which the built-in defaults are loaded.
    std::string defaults_file() const { return path + "default.ini"; }
    // A named configuration, and the pattern that lists them.
    std::string configuration_file(const std::string& name) const {
        return path + "configs\\" + name + ".ini";
    }
    // The folders of the wrappers, stats files and logs a job names.
    commands::JobFolders job_folders() const {
        return {path + "avs\\", path + "stats\\", path + "log\\"};
    }
    // The names of the working folders, in the order they are created.
    std::vector<std::string> working_folders() const;
    std::string include_folder() const { return path + "avsinc\\"; }
    std::string configuration_folder() const { return path + "configs\\"; }
};

// "avs", "stats", "configs", "log", "avsinc", in this order; existing or
// impossible folders are passed over.
void create_working_folders(platform::Os& os, const ProgramFolder& folder);

// Removes what whole-file writes of killed processes left behind
// ("quorbel.jobs.~PID-N", "avs\clip.avs.~PID-N", ...) in the program's folder
// and the working folders it writes into.
void remove_stale_temp_files(platform::Os& os, const ProgramFolder& folder);

// When the "avsinc" folder holds no include script, writes "default.avs"
// there: it reads the wrapper's source with video and audio through
// DirectShow. A file of that name is never replaced. Returns whether it wrote
// the script, which is then the one to choose.
bool provide_default_include(platform::Os& os, const ProgramFolder& folder);
// The include script it writes, CR LF after each line.
extern const char* const default_include_script;

// After a job is queued: its input, output, stats and log names are emptied
// for the next one.
void clear_job_files(settings::Settings& s);

// The lists list their folders' file entries in listing order, each name
// without its extension (up to its last ".").
// The configuration-name list: "configs\*.ini" of the program's folder.
std::vector<std::string> configuration_names(platform::Os& os, const ProgramFolder& folder);
// The include list: "avsinc\*.avs" of the program's folder (the same folder
// on Windows, whose file names ignore letter case, as "AVSinc").
std::vector<std::string> include_names(platform::Os& os, const ProgramFolder& folder);

// What the user is told of a settings file that held no settings and was
// set aside as `kept`: "C:\enc\quorbel.ini held no settings (it was empty or
// damaged); it is kept as C:\enc\quorbel.ini.unreadable."
std::string held_no_settings(const std::string& path, const std::string& kept);

// A load in this folder: its defaults file, and the include list as shown.
SettingsFolder settings_folder(platform::Os& os, const ProgramFolder& folder,
                               std::vector<std::string> includes);

// The start that the window and quorbel-cli share, once the working folders
// exist: the temporary files of killed writes removed, an include script of
// the program's own when there is none, and the two lists read.
struct StartUp {
    std::vector<std::string> configurations, includes;
};
StartUp start_up(platform::Os& os, const ProgramFolder& folder);

} // namespace session
