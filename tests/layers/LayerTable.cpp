#include "layers/LayerTable.h"

#include <sstream>

namespace {

std::vector<std::string> Cells(const std::string& row)
{
    std::vector<std::string> cells;
    std::stringstream in(row);
    for (std::string cell; std::getline(in, cell, '|');)
        cells.push_back(cell);
    if (!cells.empty())
        cells.erase(cells.begin()); // before the first bar
    return cells;
}

std::vector<std::string> Quoted(const std::string& cell)
{
    std::vector<std::string> words;
    for (size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open)) {
        const size_t close = cell.find('`', open + 1);
        if (close == std::string::npos)
            break;
        words.push_back(cell.substr(open + 1, close - open - 1));
        open = close + 1;
    }
    return words;
}

}

TLayerTable ReadLayerTable(std::string_view markdown, std::string_view heading)
{
    TLayerTable table;
    std::stringstream in{std::string(markdown)};
    std::string line;
    while (std::getline(in, line) && line != heading) {
    }
    bool inTable = false;
    int row = 0;
    while (std::getline(in, line)) {
        if (!line.starts_with('|')) {
            if (inTable)
                break;
            continue;
        }
        inTable = true;
        if (++row <= 2)
            continue; // the column names and the line under them
        const std::vector<std::string> cells = Cells(line);
        const std::vector<std::string> folder = cells.empty() ? std::vector<std::string>{} : Quoted(cells.front());
        if (cells.size() < 2 || folder.size() != 1) {
            table.Errors.push_back("a row names no one folder: " + line);
            continue;
        }
        if (!table.Uses.emplace(folder.front(), Quoted(cells.back())).second)
            table.Errors.push_back("a second row for " + folder.front());
        if (const std::vector<std::string> library = Quoted(cells[1]); cells.size() >= 3 && library.size() == 1)
            table.Library[folder.front()] = library.front();
    }
    for (const auto& [folder, uses] : table.Uses)
        for (const std::string& used : uses)
            if (!table.Uses.contains(used))
                table.Errors.push_back(folder + " uses " + used + ", which has no row");
    return table;
}

std::set<std::string> TLayerTable::Reach(const std::string& folder) const
{
    std::set<std::string> reach;
    std::vector<std::string> next{folder};
    while (!next.empty()) {
        const std::string at = next.back();
        next.pop_back();
        if (!reach.insert(at).second)
            continue;
        if (const auto row = Uses.find(at); row != Uses.end())
            next.insert(next.end(), row->second.begin(), row->second.end());
    }
    return reach;
}

std::string TLayerTable::FolderOf(std::string_view path) const
{
    for (size_t slash = path.rfind('/'); slash != std::string_view::npos && slash > 0;
         slash = path.rfind('/', slash - 1)) {
        const std::string folder(path.substr(0, slash));
        if (Uses.contains(folder))
            return folder;
    }
    return {};
}
