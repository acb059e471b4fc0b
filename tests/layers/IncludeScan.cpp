#include "layers/IncludeScan.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

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
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
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
    std::smatch match;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!std::regex_search(line, match, include))
            continue;
        const std::string target = FileOfTheTree(top, file, match[2]);
        if (target.empty())
            continue;
        ++scan.IncludesOfTheTree;
        const std::string folder = table.FolderOf(target);
        if (reach.contains(folder))
            continue;
        std::ostringstream out;
        const bool angled = match[1] == "<";
        out << path << ":" << number << ": #include " << (angled ? "<" : "\"") << match[2] << (angled ? ">" : "\"")
            << " is " << target << ", "
            << (folder.empty() ? "in no folder of the layer table" : "of " + folder) << "; " << own
            << " may include only from " << Joined(reach);
        scan.Breaks.push_back(out.str());
    }
}

bool BuildsSomething(const fs::path& cmakeLists)
{
    static const std::regex target(R"(\b(gs_library|add_library|add_executable)\s*\()");
    std::ifstream in(cmakeLists);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return std::regex_search(text, target);
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
