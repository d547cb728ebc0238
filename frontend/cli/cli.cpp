#include "frontend/cli/cli.h"

#include <optional>

#include "frontend/app/session.h"
#include "frontend/commands/job_block.h"
#include "frontend/commands/job_check.h"
#include "frontend/commands/job_files.h"
#include "frontend/commands/text_parts.h"
#include "frontend/settings/settings_file.h"
#include "frontend/ui/batch_script.h"
#include "frontend/ui/post_load.h"

namespace cli {

namespace {

const char usage[] =
    "usage: quorbel-cli [--settings FILE] [--set KEY=VALUE]... [--program-folder DIR]\n"
    "                   [--output-folder DIR] [--save-settings FILE] [--bat FILE] [INPUT...]\n";

struct Options {
    std::optional<std::string> settings_file, program_folder, output_folder, save_file, bat_file;
    std::vector<std::pair<std::string, std::string>> sets;
    std::vector<std::string> inputs;
    bool help = false;
};

struct UsageError {
    std::string message;
};

// A folder name with its final separator: a backslash when it holds one.
std::string with_separator(const std::string& dir) {
    if (dir.empty() || dir.back() == '\\' || dir.back() == '/') return dir;
    return dir + (dir.find('\\') != std::string::npos ? "\\" : "/");
}

bool is_decimal_int(const std::string& text) {
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (i == text.size() || text.size() - i > 10) return false;
    for (size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9') return false;
    long long n = std::stoll(text);
    return n >= INT32_MIN && n <= INT32_MAX;
}

Options parse(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto operand = [&]() -> std::string {
            if (i + 1 >= args.size()) throw UsageError{"option " + a + " needs a value"};
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true; // only in option position: an option's value or an input is not asked
            return o;
        } else if (a == "--settings")
            o.settings_file = operand();
        else if (a == "--program-folder")
            o.program_folder = operand();
        else if (a == "--output-folder")
            o.output_folder = operand();
        else if (a == "--save-settings")
            o.save_file = operand();
        else if (a == "--bat")
            o.bat_file = operand();
        else if (a == "--set") {
            std::string kv = operand();
            size_t eq = kv.find('=');
            if (eq == std::string::npos) throw UsageError{"--set " + kv + ": missing '='"};
            o.sets.emplace_back(kv.substr(0, eq), kv.substr(eq + 1));
        } else if (a == "--") {
            o.inputs.insert(o.inputs.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            o.inputs.push_back(a);
        }
    }
    return o;
}

void apply_set(settings::Settings& s, const std::string& key, const std::string& value) {
    const settings::FieldSpec* f = settings::find_field(key);
    if (!f) throw UsageError{"unknown settings key " + key};
    if (f->number && !is_decimal_int(value))
        throw UsageError{"--set " + key + ": '" + value + "' is not a whole number"};
    if (!settings::is_choice(*f, value)) {
        std::string names;
        for (int i = 0; i < f->choice_count; ++i)
            names += (i ? ", " : "") + std::string(f->choices[i]);
        throw UsageError{"--set " + key + ": '" + value + "' is not one of " + names};
    }
    settings::set_field(s, *f, value);
}

int fail(std::ostream& err, const std::string& message) {
    err << "quorbel-cli: " << message << "\n";
    return 2;
}

} // namespace

int run(const std::vector<std::string>& args, platform::Os& os, platform::MediaProbe& probe,
        std::ostream& out, std::ostream& err) {
    Options o;
    try {
        o = parse(args);
    } catch (const UsageError& e) {
        return fail(err, e.message);
    }
    if (o.help) {
        out << usage;
        return 0;
    }

    const std::string folder = with_separator(o.program_folder.value_or(os.program_folder()));
    app::create_working_folders(os, folder);
    bool own_include = app::provide_default_include(os, folder);

    settings::Settings s;
    if (own_include) s.avsinc = "default"; // as the window chooses it
    ui::HeadlessView view(app::include_names(os, folder));
    ui::RulesOnLoad rules(view);
    settings::LoadContext ctx{os, rules, folder};
    if (o.settings_file) {
        if (!os.read_file(*o.settings_file))
            return fail(err, "cannot read settings file " + *o.settings_file);
        settings::load_settings(s, *o.settings_file, ctx);
    } else {
        app::load_defaults(s, ctx);
    }
    try {
        for (const auto& [key, value] : o.sets) apply_set(s, key, value);
    } catch (const UsageError& e) {
        return fail(err, e.message);
    }
    ui::post_load_pass(s, view);

    if (o.save_file && !settings::save_settings(s, *o.save_file, os))
        return fail(err, "cannot write settings file " + *o.save_file);

    commands::JobList jobs;
    commands::InputProbe input_probe(probe, os);
    commands::JobContext job{s, jobs, input_probe};
    // A job is refused as "Add" refuses it (see job_check.h).
    auto add = [&]() -> bool {
        if (std::optional<commands::Refusal> refusal = commands::job_refusal(s, input_probe)) {
            if (!refusal->field.empty())
                fail(err, "the job was not added: " + refusal->field +
                              " holds a character that cannot stand in a batch line");
            else
                fail(err, "the job for " + refusal->input +
                              " was not added: its target size needs its length, and " +
                              refusal->reason);
            return false;
        }
        commands::append_job_block(job);
        return true;
    };
    if (o.inputs.empty() && !add()) return 2;
    for (const std::string& input : o.inputs) {
        s.infile = input;
        std::string output_folder =
            o.output_folder ? with_separator(*o.output_folder) : commands::folder_part(input);
        commands::derive_job_files(s, output_folder, folder, os);
        if (!add()) return 2;
    }

    if (o.bat_file) {
        std::string name = ui::batch_file_name(*o.bat_file);
        if (!os.write_file(name, ui::saved_batch_text(folder, jobs)))
            return fail(err, "cannot write batch file " + name);
    } else {
        for (const std::string& line : jobs) out << line << "\n";
    }
    return 0;
}

} // namespace cli
