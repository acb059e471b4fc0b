#include "net/HttpDocFileName.h"

#include "platform/AnsiCase.h"


std::string DocFileNameFromPath(const std::string& path)
{
    if (path.empty() || path == "/")
        return "document.htm";
    std::string name = path;
    if (name.back() == '/')
        name.pop_back();
    const size_t slash = name.rfind('/');
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    name = name.substr(0, 255);
    return name.substr(0, name.find('?'));
}

std::string FixDocFileNameForType(const std::string& docFileName, const std::string& contentType)
{
    const size_t dot = docFileName.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : docFileName.substr(dot);
    if (!AnsiSameText(ext, ".exe") || contentType != "text/html")
        return docFileName;
    return docFileName.substr(0, dot + 1) + "htm";
}
