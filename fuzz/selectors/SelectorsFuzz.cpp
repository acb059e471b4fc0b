#include "core/JsonPath.h"
#include "core/SourceDescription.h"
#include "core/UrlTemplate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>

// The input's first line is a selector, its second an address template and
// the rest a JSON document; the whole input is also read as a description.
// A selector that parses runs over the document without fault and one that
// is singular selects at most one node; a template that parses leaves no
// brace once every variable has a value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t first = std::min(input.find('\n'), input.size());
    const std::string_view selector = input.substr(0, first);
    const std::string_view afterFirst = input.substr(std::min(first + 1, input.size()));
    const size_t second = std::min(afterFirst.find('\n'), afterFirst.size());
    const std::string_view address = afterFirst.substr(0, second);
    const std::string_view document = afterFirst.substr(std::min(second + 1, afterFirst.size()));

    std::string fault;
    if (const std::optional<TJsonPath> path = TJsonPath::Parse(selector, fault)) {
        const QJsonDocument doc = QJsonDocument::fromJson(
            QByteArray::fromRawData(document.data(), static_cast<qsizetype>(document.size())));
        const QJsonValue root = doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
        const std::vector<QJsonValue> nodes = path->Select(root);
        if (path->Singular() && nodes.size() > 1)
            std::abort();
    } else if (fault.empty()) {
        std::abort();
    }

    fault.clear();
    if (const std::optional<TUrlTemplate> t = TUrlTemplate::Parse(address, fault)) {
        const std::optional<std::string> out = t->Expand([](std::string_view) { return std::string("v"); });
        if (!out || out->find_first_of("{}") != std::string::npos)
            std::abort();
    } else if (fault.empty()) {
        std::abort();
    }

    const TDescriptionRead read = ReadSourceDescription("f.json", input);
    if (!read.Description && read.Fault.Reason.empty())
        std::abort();
    return 0;
}
