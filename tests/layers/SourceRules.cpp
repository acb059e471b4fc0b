#include "layers/SourceRules.h"

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> SourcesBelow(const fs::path& folder)
{
    std::vector<fs::path> files;
    if (!fs::is_directory(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The line without its string and character literals and its line comment.
std::string CodeOf(const std::string& line)
{
    std::string code;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '/' && i + 1 < line.size() && line[i + 1] == '/')
            break;
        if (c != '"' && c != '\'') {
            code += c;
            continue;
        }
        for (++i; i < line.size() && line[i] != c; ++i)
            if (line[i] == '\\')
                ++i;
        code += "\"\"";
    }
    return code;
}

}

std::vector<std::string> CheckSourceRules(const fs::path& top, const std::vector<TSourceRule>& rules)
{
    std::vector<std::string> breaks;
    for (const TSourceRule& rule : rules)
        for (const fs::path& file : SourcesBelow(top / rule.Folder)) {
            const std::string path = file.lexically_relative(top).generic_string();
            if (path == rule.Except)
                continue;
            std::ifstream in(file);
            std::string line;
            for (int number = 1; std::getline(in, line); ++number)
                if (std::regex_search(CodeOf(line), rule.Pattern))
                    breaks.push_back(path + ":" + std::to_string(number) + ": " + rule.Says);
        }
    return breaks;
}

std::vector<std::string> CheckPrivateFields(const fs::path& top, const std::string& folder, const std::regex& headers)
{
    static const std::regex access(R"(^\s*(public|protected|private)\s*:)");
    static const std::regex classStart(R"(^(class|struct)\s+\w+[^;]*$)");
    static const std::regex field(R"(^\s+[\w:<>,*& ]+\s[*&]?(F[A-Z]\w*)\s*(\{[^}]*\}|=[^;(]*)?;)");
    std::vector<std::string> breaks;
    for (const fs::path& file : SourcesBelow(top / folder)) {
        if (!std::regex_match(file.filename().string(), headers))
            continue;
        const std::string path = file.lexically_relative(top).generic_string();
        std::ifstream in(file);
        std::string line;
        std::string section;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch m;
            if (std::regex_search(line, classStart))
                section = line.starts_with("struct") ? "public" : "private";
            else if (std::regex_search(line, m, access))
                section = m[1];
            else if (!section.empty() && section != "private" && std::regex_search(line, m, field))
                breaks.push_back(path + ":" + std::to_string(number) + ": " + std::string(m[1]) + " is " + section);
        }
    }
    return breaks;
}
