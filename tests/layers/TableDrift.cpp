#include "layers/TableDrift.h"

#include <fstream>
#include <iterator>
#include <regex>

namespace fs = std::filesystem;

namespace {

std::string Text(const fs::path& file)
{
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names of the first arguments of the given commands in a CMakeLists.txt.
std::vector<std::string> Built(const std::string& text, const char* commands)
{
    const std::regex call(std::string(R"((?:^|\n)\s*(?:)") + commands + R"()\(\s*([A-Za-z0-9_.${}-]+))");
    std::vector<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), call); it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1]);
    return names;
}

// The folder's own CMakeLists.txt, or the nearest one above it.
fs::path BuildOf(const fs::path& top, fs::path folder)
{
    for (; !folder.empty(); folder = folder.parent_path())
        if (fs::is_regular_file(top / folder / "CMakeLists.txt"))
            return top / folder / "CMakeLists.txt";
    return {};
}

bool HoldsSources(const fs::path& folder)
{
    if (!fs::is_directory(folder))
        return false;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".cpp" || entry.path().extension() == ".h")
            return true;
    return false;
}

// "libadvert.so" is the build's advert.
std::string TargetName(std::string library)
{
    if (library.starts_with("lib") && library.ends_with(".so"))
        library = library.substr(3, library.size() - 6);
    return library;
}

}

std::vector<std::string> CheckTableAgainstTree(const fs::path& top, const TLayerTable& table,
                                               const std::string& document)
{
    std::vector<std::string> drift;
    std::set<std::string> named;
    for (const auto& [folder, library] : table.Library)
        named.insert(TargetName(library));
    for (const auto& [folder, uses] : table.Uses) {
        if (!HoldsSources(top / folder)) {
            drift.push_back(folder + ": a row, but no sources there");
            continue;
        }
        const auto library = table.Library.find(folder);
        const fs::path build = BuildOf(top, folder);
        const std::string text = Text(build);
        if (library == table.Library.end() || !std::regex_search(text, std::regex("\\b" + TargetName(library->second) + "\\b")))
            drift.push_back(folder + ": its row's library is not built by " +
                            build.lexically_relative(top).generic_string());
        if (build != top / folder / "CMakeLists.txt")
            continue;
        for (const std::string& name : Built(text, "gs_library|add_executable"))
            if (!named.contains(name))
                drift.push_back(folder + ": builds " + name + ", which no row names");
    }
    for (const std::string& name : Built(Text(top / "tests/CMakeLists.txt"), "gs_tests"))
        if (document.find("`" + name + "`") == std::string::npos)
            drift.push_back("tests/CMakeLists.txt: " + name + " is not named in the document");
    return drift;
}
