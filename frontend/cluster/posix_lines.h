// One line of a job block, as the command interpreter runs it, said again
// for a POSIX shell on a cluster node. The lines are read as they stand
// (edited lines too); each word keeps its bytes, quoted for sh. Windows
// paths go through the path maps; the folder joins the generators write
// with "\" inside POSIX paths become "/".
//
//   @x264.exe ... -o "C:\v\a.mkv" "C:\v\a.y4m" 2>&1|runlog.exe "C:\v\a.txt"
//   x264 ... -o /data/v/a.mkv /data/v/a.y4m 2>&1 | "$tools/runlog" /data/v/a.txt; level=$?
//
// `level` holds what the batch file's errorlevel holds: the status of the
// last command run (of a pipe, its last part, as there).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cluster {

// "C:\video\=/data/video/": names that begin with `windows` (drive letters
// and folder names without regard to letter case, "\" and "/" alike) begin
// with `posix` on the nodes.
struct PathMap {
    std::string windows;
    std::string posix;
};
// The map a --path-map argument gives; nothing when it is not one.
std::optional<PathMap> parse_path_map(const std::string& text);

struct PosixLine {
    std::string sh;                    // empty for a line that runs nothing there ("@rem")
    std::string refusal;               // why the line cannot run on a node; empty when it can
    std::vector<std::string> programs; // what it runs on the node ("x264", "$tools/runlog")
};
// x264 piped into its log keeps its own exit status as the line's "$level"
// when it failed (written into the file "$x264_status" names, which the
// task makes).
PosixLine posix_line(const std::string& line, const std::vector<PathMap>& maps);

// A file name of a line as the nodes name it; nothing (and `refusal` set)
// for a Windows path that no map maps.
std::optional<std::string> node_path(const std::string& name, const std::vector<PathMap>& maps,
                                     std::string& refusal);

// A word quoted for sh: as it is when every byte is safe, else in single
// quotes.
std::string sh_quoted(const std::string& word);

} // namespace cluster
