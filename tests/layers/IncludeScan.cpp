#include "layers/IncludeScan.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>

namespace fs = std::filesystem;

namespace {

bool IsSource(const fs::path& file)
{
    const std::string ext = file.extension().string();
    return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc";
}

std::string Joined(const std::set<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : ", ") + word;
    return text;
}

struct TIncludeLine {
    char Open = 0; // '"' or '<'
    std::string Name;
};

std::optional<TIncludeLine> IncludeOf(std::string_view line)
{
    const auto skipBlanks = [&] {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
    };
    skipBlanks();
    if (!line.starts_with('#'))
        return std::nullopt;
    line.remove_prefix(1);
    skipBlanks();
    if (!line.starts_with("include"))
        return std::nullopt;
    line.remove_prefix(7);
    skipBlanks();
    if (line.empty() || (line.front() != '"' && line.front() != '<'))
        return std::nullopt;
    const char open = line.front();
    const size_t close = line.find(open == '<' ? '>' : '"', 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    return TIncludeLine{open, std::string(line.substr(1, close - 1))};
}

// Where the compiler would find the include in the tree: beside the file,
// below src/, below the top. Empty for what is not a file of the tree.
std::string FileOfTheTree(const fs::path& top, const fs::path& from, const std::string& name)
{
    for (const fs::path& base : {from.parent_path(), top / "src", top})
        if (fs::is_regular_file(base / name))
            return (base / name).lexically_normal().lexically_relative(top).generic_string();
    return {};
}

void CheckFile(const fs::path& top, const fs::path& file, const TLayerTable& table, TIncludeScan& scan)
{
    const std::string path = file.lexically_relative(top).generic_string();
    const std::string own = table.FolderOf(path);
    ++scan.FilesRead;
    if (own.empty()) {
        scan.Breaks.push_back(path + ": in no folder of the layer table");
        return;
    }
    const std::set<std::string> reach = table.Reach(own);
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto include = IncludeOf(line);
        if (!include)
            continue;
        const std::string target = FileOfTheTree(top, file, include->Name);
        if (target.empty())
            continue;
        ++scan.IncludesOfTheTree;
        const std::string folder = table.FolderOf(target);
        if (reach.contains(folder))
            continue;
        std::ostringstream out;
        const bool angled = include->Open == '<';
        out << path << ":" << number << ": #include " << include->Open << include->Name << (angled ? '>' : '"')
            << " is " << target << ", "
            << (folder.empty() ? "in no folder of the layer table" : "of " + folder) << "; " << own
            << " may include only from " << Joined(reach);
        scan.Breaks.push_back(out.str());
    }
}

bool BuildsSomething(const fs::path& cmakeLists)
{
    std::ifstream in(cmakeLists);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const std::string_view command : {"gs_library", "add_library", "add_executable"})
        for (size_t at = text.find(command); at != std::string::npos; at = text.find(command, at + 1)) {
            const size_t open = text.find_first_not_of(" \t", at + command.size());
            if (open != std::string::npos && text[open] == '(')
                return true;
        }
    return false;
}

}

TIncludeScan CheckIncludes(const fs::path& top, const TLayerTable& table, const std::vector<std::string>& folders)
{
    TIncludeScan scan;
    std::vector<fs::path> files;
    for (const std::string& folder : folders)
        for (const auto& entry : fs::recursive_directory_iterator(top / folder)) {
            const fs::path& p = entry.path();
            if (entry.is_regular_file() && IsSource(p))
                files.push_back(p);
            const std::string dir = p.parent_path().lexically_relative(top).generic_string();
            if (p.filename() == "CMakeLists.txt" && !table.Uses.contains(dir) && BuildsSomething(p))
                scan.Breaks.push_back(dir + ": builds a library or program of its own, but has no row in the layer table");
        }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
        CheckFile(top, file, table, scan);
    return scan;
}
