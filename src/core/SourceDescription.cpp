#include "core/SourceDescription.h"

#include "core/JsonLines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace {

// What a request's address and headers may name.
constexpr std::array RequestVariables{"searchTerms", "types",          "count", "startPage",
                                      "startIndex",  "thumbnailWidth", "key",   "agent"};
// Headers the program writes itself.
constexpr std::array OwnHeaders{"host", "user-agent", "content-length", "transfer-encoding", "connection"};

// A refusal on its way out of the reader.
struct TRefusal {
    std::vector<std::string> Path;
    std::string Reason;
};

std::string Dotted(const std::vector<std::string>& path)
{
    std::string out;
    for (const std::string& p : path)
        out += (out.empty() ? "" : ".") + p;
    return out;
}

[[noreturn]] void Refuse(const std::vector<std::string>& path, std::string reason)
{
    throw TRefusal{path, path.empty() ? std::move(reason) : Dotted(path) + ": " + reason};
}

std::vector<std::string> Under(std::vector<std::string> path, const std::string& name)
{
    path.push_back(name);
    return path;
}

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return IsLower(c) || (c >= 'A' && c <= 'Z'); }

// An object whose every member the reader knows; a member it does not know
// is a typing error the user should hear of.
class TObject {
public:
    TObject(const QJsonValue& value, std::vector<std::string> path, std::initializer_list<const char*> known)
        : FPath(std::move(path))
    {
        if (!value.isObject())
            Refuse(FPath, "must be an object");
        FObject = value.toObject();
        for (auto it = FObject.begin(); it != FObject.end(); ++it) {
            const std::string key = it.key().toStdString();
            if (std::none_of(known.begin(), known.end(), [&](const char* k) { return key == k; }))
                Refuse(Under(FPath, key), "unknown field");
        }
    }

    bool Has(const char* key) const { return FObject.contains(key); }
    QJsonValue Value(const char* key) const { return FObject.value(key); }
    std::vector<std::string> Path(const char* key) const { return Under(FPath, key); }

    std::string Text(const char* key, bool required = false) const
    {
        if (!Has(key)) {
            if (required)
                Refuse(FPath, std::string("the field \"") + key + "\" is missing");
            return {};
        }
        const QJsonValue v = Value(key);
        if (!v.isString())
            Refuse(Path(key), "must be a text in quotes");
        const std::string text = v.toString().toStdString();
        if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            Refuse(Path(key), "must not hold control characters");
        if (required && text.empty())
            Refuse(Path(key), "must not be empty");
        return text;
    }

    int Number(const char* key, int fallback, int least, int most) const
    {
        if (!Has(key))
            return fallback;
        const QJsonValue v = Value(key);
        const double d = v.toDouble(NAN);
        if (!v.isDouble() || d != std::floor(d))
            Refuse(Path(key), "must be a whole number");
        if (d < least || d > most)
            Refuse(Path(key), "must be from " + std::to_string(least) + " to " + std::to_string(most));
        return static_cast<int>(d);
    }

    bool Flag(const char* key) const
    {
        if (Has(key) && !Value(key).isBool())
            Refuse(Path(key), "must be true or false");
        return Value(key).toBool(false);
    }

private:
    QJsonObject FObject;
    std::vector<std::string> FPath;
};

TJsonPath ParsedSelector(const QJsonValue& value, const std::vector<std::string>& path, TJsonPath::TStart start)
{
    if (!value.isString())
        Refuse(path, "must be a selector in quotes");
    const std::string text = value.toString().toStdString();
    std::string fault;
    std::optional<TJsonPath> selector = TJsonPath::Parse(text, fault);
    if (!selector)
        Refuse(path, "the selector \"" + text + "\" does not parse: " + fault);
    if (selector->Start() != start)
        Refuse(path, start == TJsonPath::TStart::Answer ? "the selector must start at the answer (\"$\")"
                                                        : "the selector must start at the result (\"@\")");
    return *selector;
}

TJsonPath Selector(const TObject& object, const char* key, TJsonPath::TStart start)
{
    return ParsedSelector(object.Value(key), object.Path(key), start);
}

std::optional<TJsonPath> OptionalSelector(const TObject& object, const char* key, TJsonPath::TStart start)
{
    if (!object.Has(key))
        return std::nullopt;
    return Selector(object, key, start);
}

TUrlTemplate Template(const std::string& text, const std::vector<std::string>& path)
{
    std::string fault;
    std::optional<TUrlTemplate> parsed = TUrlTemplate::Parse(text, fault);
    if (!parsed)
        Refuse(path, "the template \"" + text + "\" does not parse: " + fault);
    return *parsed;
}

void OnlyRequestVariables(const TUrlTemplate& t, const std::vector<std::string>& path)
{
    for (const std::string& name : t.Names())
        if (std::find(RequestVariables.begin(), RequestVariables.end(), name) == RequestVariables.end())
            Refuse(path, "unknown variable {" + name + "}: a request may name searchTerms, types, count, startPage, "
                         "startIndex, thumbnailWidth, key and agent");
}

// "scheme://host[:port]" from the template's literal start, where the
// settings may put another; a variable may stand only after it.
std::string BaseOf(const std::string& url, const std::vector<std::string>& path)
{
    const size_t scheme = url.starts_with("https://") ? 8 : url.starts_with("http://") ? 7 : 0;
    if (scheme == 0)
        Refuse(path, "the address must start with http:// or https://");
    const size_t end = std::min(url.find_first_of("/?#{", scheme), url.size());
    if (end == scheme || (end < url.size() && url[end] == '{'))
        Refuse(path, "the address must name its host without variables");
    const std::string_view host(url.data() + scheme, end - scheme);
    if (std::any_of(host.begin(), host.end(), [](char c) { return c == '@' || c == ' ' || c == '}'; }))
        Refuse(path, "the address's host is not valid");
    return url.substr(0, end);
}

// Only the named variables, and each of them.
void Variables(const TUrlTemplate& t, std::initializer_list<const char*> names, const std::vector<std::string>& path)
{
    for (const std::string& name : t.Names())
        if (std::none_of(names.begin(), names.end(), [&](const char* n) { return name == n; }))
            Refuse(path, "unknown variable {" + name + "}");
}

// {types}: how the chosen picture types are written.
void ReadTypes(const TObject& request, TSourceDescription& d)
{
    const TObject types(request.Value("types"), request.Path("types"), {"each", "separator"});
    d.TypeEach = Template(types.Text("each", true), types.Path("each"));
    Variables(*d.TypeEach, {"mime", "extension"}, types.Path("each"));
    if (d.TypeEach->Names().size() != 1)
        Refuse(types.Path("each"), "names each type once, as {mime} or {extension}");
    d.TypeSeparator = types.Text("separator", true);
}

// An object of members named after the licence filters ("commercial",
// "changes"): read(object, filter, name) for each member there.
template <class TRead>
void ReadPerFilter(const TObject& parent, const char* key, TRead read)
{
    const TObject object(parent.Value(key), parent.Path(key), {"commercial", "changes"});
    for (const TLicenceFilter filter : {TLicenceFilter::Commercial, TLicenceFilter::Changes})
        if (object.Has(LicenceFilterName(filter)))
            read(object, filter, LicenceFilterName(filter));
}

// request.licenceFilter: {"commercial": "&license_type=commercial", ...}.
void ReadLicenceQuery(const TObject& request, TSourceDescription& d)
{
    ReadPerFilter(request, "licenceFilter", [&](const TObject& pieces, TLicenceFilter filter, const char* name) {
        const std::string piece = pieces.Text(name, true);
        if (piece.size() < 2 || piece[0] != '&' || piece.find_first_of(" #{}") != std::string::npos)
            Refuse(pieces.Path(name), "a query piece starts with \"&\" and holds no spaces, \"#\" or variables");
        d.LicenceQuery[filter] = piece;
    });
}

// "allows": {"commercial": false, "changes": true}, what the whole
// collection allows; a filter it cannot meet is not asked for.
void ReadAllows(const TObject& top, TSourceDescription& d)
{
    ReadPerFilter(top, "allows", [&](const TObject& allows, TLicenceFilter filter, const char* name) {
        d.Allows[filter] = allows.Flag(name);
        if (!d.Allows[filter] && d.LicenceQuery.contains(filter))
            Refuse(allows.Path(name), "is false, yet request.licenceFilter asks the source for it");
    });
}

// Returns the address template as written.
std::string ReadRequest(const QJsonValue& value, TSourceDescription& d)
{
    const TObject request(value, {"request"},
                          {"url", "terms", "types", "headers", "keySetting", "intervalMs", "licenceFilter"});
    const std::string url = request.Text("url", true);
    d.DefaultBase = BaseOf(url, request.Path("url"));
    d.Search = Template(url, request.Path("url"));
    OnlyRequestVariables(d.Search, request.Path("url"));
    if (request.Has("types"))
        ReadTypes(request, d);
    if (request.Has("terms")) {
        d.Terms = Template(request.Text("terms", true), request.Path("terms"));
        Variables(*d.Terms, {"phrase", "types"}, request.Path("terms"));
        if (!d.Terms->Uses("phrase"))
            Refuse(request.Path("terms"), "must hold the {phrase}");
        if (!d.Search.Uses("searchTerms"))
            Refuse(request.Path("terms"), "is given but request.url has no {searchTerms}");
    }
    const bool typesUsed = d.Search.Uses("types") || (d.Terms && d.Terms->Uses("types"));
    if (typesUsed && !d.TypeEach)
        Refuse(request.Path("url"), "{types} is used but request.types does not say how to write them");
    if (!typesUsed && d.TypeEach)
        Refuse(request.Path("types"), "is given but neither request.url nor request.terms uses {types}");
    d.IntervalMs = request.Number("intervalMs", 0, 0, 60000);
    d.KeySetting = request.Text("keySetting");
    if (!d.KeySetting.empty()
        && (!IsLetter(d.KeySetting[0]) || d.KeySetting.size() > 64
            || !std::all_of(d.KeySetting.begin(), d.KeySetting.end(),
                            [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; })))
        Refuse(request.Path("keySetting"), "a settings key is a letter, then letters, digits or \"_\"");
    bool keyUsed = d.Search.Uses("key");
    if (request.Has("headers")) {
        const QJsonValue headers = request.Value("headers");
        if (!headers.isObject())
            Refuse(request.Path("headers"), "must be an object of header names and values");
        const QJsonObject object = headers.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const std::string name = it.key().toStdString();
            const std::vector<std::string> path = Under(request.Path("headers"), name);
            if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) {
                    return IsLetter(c) || IsDigit(c) || std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
                }))
                Refuse(path, "not a header name");
            std::string lower = name;
            std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
            if (std::find(OwnHeaders.begin(), OwnHeaders.end(), lower) != OwnHeaders.end())
                Refuse(path, "the program sends this header itself");
            if (!it->isString())
                Refuse(path, "must be a text in quotes");
            const std::string text = it->toString().toStdString();
            if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
                Refuse(path, "must not hold control characters");
            TUrlTemplate header = Template(text, path);
            OnlyRequestVariables(header, path);
            keyUsed = keyUsed || header.Uses("key");
            d.Headers.emplace_back(name, std::move(header));
        }
    }
    if (keyUsed && d.KeySetting.empty())
        Refuse(request.Path("url"), "{key} is used but no keySetting names where the key is kept");
    if (request.Has("licenceFilter"))
        ReadLicenceQuery(request, d);
    if (!keyUsed && !d.KeySetting.empty())
        Refuse(request.Path("keySetting"), "is set but neither the address nor a header uses {key}");
    return url;
}

void ReadPaging(const QJsonValue& value, TSourceDescription& d)
{
    const TObject paging(value, {"paging"},
                         {"by", "count", "first", "maxPages", "page", "pages", "total", "next", "continue"});
    const std::string by = paging.Text("by", true);
    if (by == "page")
        d.Paging = TPaging::Page;
    else if (by == "offset")
        d.Paging = TPaging::Offset;
    else if (by == "continuation")
        d.Paging = TPaging::Continuation;
    else
        Refuse(paging.Path("by"), "must be \"page\", \"offset\" or \"continuation\"");
    d.Count = paging.Number("count", 0, 1, 1000);
    d.First = paging.Number("first", d.Paging == TPaging::Offset ? 0 : 1, 0, 1000000);
    d.MaxPages = paging.Number("maxPages", 20, 1, 100);
    d.PageNumber = OptionalSelector(paging, "page", TJsonPath::TStart::Answer);
    d.PageCount = OptionalSelector(paging, "pages", TJsonPath::TStart::Answer);
    d.Total = OptionalSelector(paging, "total", TJsonPath::TStart::Answer);
    d.Next = OptionalSelector(paging, "next", TJsonPath::TStart::Answer);
    d.Continuation = OptionalSelector(paging, "continue", TJsonPath::TStart::Answer);
    if (d.Paging == TPaging::Offset && d.Count == 0)
        Refuse(paging.Path("by"), "paging by offset needs a count");
    if (d.Paging == TPaging::Continuation && !d.Continuation)
        Refuse(paging.Path("by"), "paging by continuation needs the \"continue\" selector");
    if (d.Total && d.Count == 0)
        Refuse(paging.Path("total"), "counting pages from the total needs a count");
}

TFieldSelector Field(const TObject& answer, const char* key)
{
    TFieldSelector field;
    if (!answer.Has(key))
        return field;
    const QJsonValue value = answer.Value(key);
    // A value may come from the result or from the answer around it.
    const auto startOf = [](const QJsonValue& v) {
        return v.toString().startsWith('$') ? TJsonPath::TStart::Answer : TJsonPath::TStart::Item;
    };
    if (value.isString()) {
        field.Path = ParsedSelector(value, answer.Path(key), startOf(value));
        return field;
    }
    const TObject made(value, answer.Path(key), {"template", "values"});
    field.Template = Template(made.Text("template", true), made.Path("template"));
    if (!made.Value("values").isObject())
        Refuse(made.Path("values"), "must be an object of variable names and selectors");
    const QJsonObject object = made.Value("values").toObject();
    std::vector<std::string> names;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string name = it.key().toStdString();
        const std::vector<std::string> path = Under(made.Path("values"), name);
        field.Values.emplace_back(name, ParsedSelector(*it, path, startOf(*it)));
        names.push_back(name);
    }
    for (const std::string& name : field.Template->Names())
        if (std::find(names.begin(), names.end(), name) == names.end())
            Refuse(made.Path("template"), "{" + name + "} has no selector in \"values\"");
    for (const std::string& name : names)
        if (!field.Template->Uses(name))
            Refuse(Under(made.Path("values"), name), "the template does not use it");
    return field;
}

void ReadAnswer(const QJsonValue& value, TSourceDescription& d)
{
    const TObject answer(value, {"answer"},
                         {"expect", "error", "results", "order", "picture", "size", "width", "height", "type",
                          "thumbnail", "page", "title", "creator", "licence", "licenceUrl"});
    if (!answer.Has("expect"))
        Refuse({"answer"}, "the field \"expect\" is missing");
    const QJsonValue expect = answer.Value("expect");
    // A selector, or a list of signs any of which tells the format; a sign
    // is a selector or a list of selectors that must all hold.
    const auto sign = [](const QJsonValue& v, const std::vector<std::string>& path) {
        TExpectSign all;
        const QJsonArray parts = v.isArray() ? v.toArray() : QJsonArray{v};
        if (parts.isEmpty())
            Refuse(path, "must be a selector or a list of selectors");
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const std::vector<std::string> at = v.isArray() ? Under(path, std::to_string(i)) : path;
            QJsonValue part = parts[i];
            // "!" before a selector: the answer has nothing there.
            const bool absent = part.isString() && part.toString().startsWith('!');
            if (absent)
                part = part.toString().mid(1);
            all.push_back({ParsedSelector(part, at, TJsonPath::TStart::Answer), absent});
        }
        return all;
    };
    if (expect.isArray() && !expect.toArray().isEmpty()) {
        const QJsonArray list = expect.toArray();
        for (qsizetype i = 0; i < list.size(); ++i)
            d.Expect.push_back(sign(list[i], Under(answer.Path("expect"), std::to_string(i))));
    } else if (expect.isString()) {
        d.Expect.push_back(sign(expect, answer.Path("expect")));
    } else {
        Refuse(answer.Path("expect"), "must be a selector or a list of selectors");
    }
    d.Error = OptionalSelector(answer, "error", TJsonPath::TStart::Answer);
    if (!answer.Has("results"))
        Refuse({"answer"}, "the field \"results\" is missing");
    d.Results = Selector(answer, "results", TJsonPath::TStart::Answer);
    d.Order = OptionalSelector(answer, "order", TJsonPath::TStart::Item);
    if (!answer.Has("picture"))
        Refuse({"answer"}, "the field \"picture\" is missing");
    d.Picture = Field(answer, "picture");
    d.Size = Field(answer, "size");
    d.Width = Field(answer, "width");
    d.Height = Field(answer, "height");
    d.Type = Field(answer, "type");
    d.Thumbnail = Field(answer, "thumbnail");
    d.Page = Field(answer, "page");
    d.Title = Field(answer, "title");
    d.Creator = Field(answer, "creator");
    d.Licence = Field(answer, "licence");
    d.LicenceUrl = Field(answer, "licenceUrl");
}

// A paged request ends with its paging parameter, "&page={startPage}" or
// "&skip={startIndex}": the search's address is what stands before it.
void SplitPaging(const std::string& url, TSourceDescription& d)
{
    const std::vector<std::string> path{"request", "url"};
    const char* variable = d.Paging == TPaging::Page ? "startPage" : d.Paging == TPaging::Offset ? "startIndex" : nullptr;
    for (const char* other : {"startPage", "startIndex"}) {
        if (variable && std::string_view(other) == variable)
            continue;
        if (d.Search.Uses(other))
            Refuse(path, std::string("{") + other + "} is used but the paging is not by "
                             + (std::string_view(other) == "startPage" ? "page" : "offset"));
    }
    if (!variable)
        return;
    const std::string ending = std::string("={") + variable + "}";
    const size_t amp = url.rfind('&');
    if (!url.ends_with(ending) || amp == std::string::npos || url.find_first_of("{}", amp) != url.size() - ending.size() + 1)
        Refuse(path, std::string("paging by ") + (d.Paging == TPaging::Page ? "page" : "offset")
                         + " needs the address to end with its parameter, as in \"&page={" + variable + "}\"");
    d.Search = Template(url.substr(0, amp), path);
    if (d.Search.Uses(variable))
        Refuse(path, std::string("{") + variable + "} may stand only in the last parameter");
    d.PageParameter = Template(url.substr(amp), path);
}

void ReadNames(const TObject& top, TSourceDescription& d)
{
    d.Name = top.Text("name", true);
    if (d.Name.size() > 60)
        Refuse(top.Path("name"), "must be at most 60 bytes");
    d.ShortName = top.Text("shortName", true);
    if (d.ShortName.size() > 32 || !IsLower(d.ShortName[0])
        || !std::all_of(d.ShortName.begin(), d.ShortName.end(),
                        [](char c) { return IsLower(c) || IsDigit(c) || c == '-'; }))
        Refuse(top.Path("shortName"), "a short name is a small letter, then small letters, digits or \"-\" "
                                      "(at most 32)");
    d.HomePage = top.Text("homePage");
    if (!d.HomePage.empty() && !d.HomePage.starts_with("https://") && !d.HomePage.starts_with("http://"))
        Refuse(top.Path("homePage"), "must start with http:// or https://");
    d.Licences = top.Text("licences");
}

int LineAt(std::string_view text, size_t offset)
{
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(offset), '\n'));
}

} // namespace

std::string TDescriptionFault::Text() const
{
    return File + (Line > 0 ? ":" + std::to_string(Line) : std::string()) + ": " + Reason;
}

TDescriptionRead ReadSourceDescription(std::string_view file, std::string_view text)
{
    TDescriptionRead read;
    read.Fault.File = std::string(file);
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        read.Fault.Line = LineAt(text, static_cast<size_t>(std::max(0, error.offset)));
        read.Fault.Reason = "not JSON: " + error.errorString().toStdString();
        return read;
    }
    if (!doc.isObject()) {
        read.Fault.Line = 1;
        read.Fault.Reason = "a description is one JSON object";
        return read;
    }
    try {
        TSourceDescription d;
        d.File = read.Fault.File;
        const QJsonValue root = doc.object();
        const TObject top(root, {},
                          {"name", "shortName", "homePage", "licences", "allows", "request", "paging", "answer", "hostsFiles"});
        ReadNames(top, d);
        if (!top.Has("request"))
            Refuse({}, "the field \"request\" is missing");
        const std::string url = ReadRequest(top.Value("request"), d);
        if (top.Has("paging"))
            ReadPaging(top.Value("paging"), d);
        SplitPaging(url, d);
        if (d.Search.Uses("count") && d.Count == 0)
            Refuse({"request", "url"}, "{count} is used but paging.count is not given");
        if (!top.Has("answer"))
            Refuse({}, "the field \"answer\" is missing");
        ReadAnswer(top.Value("answer"), d);
        d.HostsFiles = top.Flag("hostsFiles");
        if (top.Has("allows"))
            ReadAllows(top, d);
        read.Description = std::move(d);
    } catch (const TRefusal& refusal) {
        read.Fault.Line = JsonLineOf(text, refusal.Path);
        read.Fault.Reason = refusal.Reason;
    }
    return read;
}
