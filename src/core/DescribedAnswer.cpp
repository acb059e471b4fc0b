#include "core/DescribedAnswer.h"

#include "core/DescribedRequest.h"
#include "core/TextHelpers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace {

// A text as the API gave it: strings as they are, numbers in decimal.
std::optional<std::string> Text(const QJsonValue& v)
{
    if (v.isString())
        return v.toString().toStdString();
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d == std::floor(d) && std::abs(d) < 1e15)
            return std::to_string(static_cast<int64_t>(d));
        return QString::number(d).toStdString();
    }
    return std::nullopt;
}

// A count: a number, or a text of digits (some APIs quote them); 0 for
// anything else, a negative one included.
int64_t Count(const QJsonValue& v)
{
    if (v.isDouble()) // clamped before the cast: a number beyond int64_t's range has no value there
        return static_cast<int64_t>(std::clamp(v.toDouble(), 0.0, 9e15));
    if (v.isString()) {
        bool ok = false;
        const qlonglong n = v.toString().trimmed().toLongLong(&ok);
        return ok ? std::max<qlonglong>(0, n) : 0;
    }
    return 0;
}

// A value put into a made address: bytes no address may hold are escaped,
// the rest (the reserved characters included) kept.
std::string AddressPart(const std::string& value)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : value) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= ' ' || b >= 0x7F || std::string_view("\"<>\\^`{|}").find(c) != std::string_view::npos) {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

class TReader {
public:
    TReader(const QJsonValue& root, const QJsonValue& item) : FRoot(root), FItem(item) {}

    std::vector<QJsonValue> Nodes(const TJsonPath& path) const
    {
        return path.Select(path.Start() == TJsonPath::TStart::Answer ? FRoot : FItem);
    }

    QJsonValue First(const TJsonPath& path) const
    {
        return path.First(path.Start() == TJsonPath::TStart::Answer ? FRoot : FItem);
    }

    // The field's first value, or the address its template makes.
    QJsonValue Value(const TFieldSelector& field) const
    {
        if (field.Path)
            return First(*field.Path);
        if (!field.Template)
            return QJsonValue(QJsonValue::Undefined);
        const std::optional<std::string> made = field.Template->Expand([&](std::string_view name) {
            for (const auto& [variable, path] : field.Values)
                if (variable == name)
                    if (const std::optional<std::string> text = Text(First(path)); text && !text->empty())
                        return std::optional<std::string>(AddressPart(*text));
            return std::optional<std::string>();
        });
        return made ? QJsonValue(QString::fromStdString(*made)) : QJsonValue(QJsonValue::Undefined);
    }

    std::string Address(const TFieldSelector& field) const
    {
        const QJsonValue value = Value(field);
        std::string address = value.isString() ? value.toString().toStdString() : std::string();
        // A fragment is never sent: it names a part of what is fetched.
        if (const size_t hash = address.find('#'); hash != std::string::npos)
            address.erase(hash);
        return address;
    }

    // Every text the field selects, joined: several creators are one line.
    std::string Words(const TFieldSelector& field) const
    {
        if (!field.Path)
            return Text(Value(field)).value_or("");
        std::string words;
        for (const QJsonValue& node : Nodes(*field.Path))
            if (const std::optional<std::string> text = Text(node); text && !text->empty())
                words += (words.empty() ? "" : ", ") + *text;
        return words;
    }

    int64_t Number(const TFieldSelector& field) const { return Count(Value(field)); }

private:
    const QJsonValue& FRoot;
    const QJsonValue& FItem;
};

// "image/jpeg" as given, or the type an extension names ("jpg", ".PNG").
std::string MimeType(std::string type)
{
    std::transform(type.begin(), type.end(), type.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    if (type.empty() || type.find('/') != std::string::npos)
        return type;
    if (type.front() == '.')
        type.erase(0, 1);
    if (type == "jpg" || type == "jpe")
        type = "jpeg";
    return "image/" + type;
}

// The texts of a value: itself, or the texts in a list, joined by blanks.
std::string Messages(const QJsonValue& v)
{
    if (v.isString())
        return v.toString().toStdString();
    std::string text;
    for (const QJsonValue& item : v.toArray())
        if (item.isString())
            text += (text.empty() ? "" : " ") + item.toString().toStdString();
    return text;
}

// The error's own words: a text, or each field with its messages
// ({"page": ["A valid integer is required."]}); empty when it has none.
std::string ErrorWords(const QJsonValue& error)
{
    if (!error.isObject())
        return Messages(error);
    std::string words;
    const QJsonObject fields = error.toObject();
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const std::string messages = Messages(*it);
        words += (words.empty() ? "" : "; ") + it.key().toStdString() + (messages.empty() ? "" : ": " + messages);
    }
    return words;
}

bool Present(const QJsonValue& v)
{
    if (v.isUndefined() || v.isNull() || (v.isBool() && !v.toBool()))
        return false;
    if (v.isString())
        return !v.toString().isEmpty();
    return true;
}

// Whether the answer leads to a next page, and that page's place (from 0).
std::optional<int64_t> NextPage(const TSourceDescription& d, const QJsonValue& root, int page, size_t listed)
{
    const TReader reader(root, root);
    if (listed == 0)
        return std::nullopt;
    int64_t current = page;
    if (d.PageNumber) {
        current = Count(reader.First(*d.PageNumber)) - d.First + 1;
        if (current <= 0)
            return std::nullopt;
    }
    bool more = false;
    if (d.Next)
        more = Present(reader.First(*d.Next));
    else if (d.PageCount)
        more = current < Count(reader.First(*d.PageCount)) - d.First + 1;
    else if (d.Total)
        more = current * d.Count < Count(reader.First(*d.Total));
    else
        more = d.Count == 0 || listed >= static_cast<size_t>(d.Count);
    return more ? std::optional<int64_t>(current) : std::nullopt;
}

std::string NextSuffix(const TSourceDescription& d, const QJsonValue& root, int page, size_t listed)
{
    if (d.Paging == TPaging::Continuation) {
        std::string suffix;
        const QJsonObject more = TReader(root, root).First(*d.Continuation).toObject();
        if (listed == 0)
            return suffix;
        for (auto it = more.begin(); it != more.end(); ++it)
            suffix += "&" + PercentEncoded(it.key().toStdString()) + "="
                + PercentEncoded(Text(*it).value_or(it->toVariant().toString().toStdString()));
        return suffix;
    }
    if (d.Paging == TPaging::None)
        return {};
    const std::optional<int64_t> next = NextPage(d, root, page, listed);
    return next ? DescribedPageSuffix(d, static_cast<int>(*next)) : std::string();
}

} // namespace

TSourceAnswer ReadDescribedAnswer(const TSourceDescription& d, std::string_view body, int page)
{
    TSourceAnswer answer;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromRawData(body.data(), static_cast<qsizetype>(body.size())));
    if (doc.isNull())
        return answer;
    const QJsonValue root = doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(doc.array());
    const TReader top(root, root);
    if (d.Error) {
        if (const std::string words = ErrorWords(top.First(*d.Error)); !words.empty()) {
            answer.Error = "error: " + words;
            return answer;
        }
    }
    const auto shown = [&](const TExpectSign& sign) {
        return std::all_of(sign.begin(), sign.end(),
                           [&](const TExpectPart& part) { return top.Nodes(part.Path).empty() == part.Absent; });
    };
    if (std::none_of(d.Expect.begin(), d.Expect.end(), shown))
        return answer;
    const std::vector<QJsonValue> list = top.Nodes(d.Results);
    std::vector<std::pair<double, TPictureRecord>> ranked;
    for (const QJsonValue& item : list) {
        const TReader reader(root, item);
        TPictureRecord r;
        r.Url = reader.Address(d.Picture);
        if (r.Url.empty())
            continue;
        r.Size = reader.Number(d.Size);
        r.Width = static_cast<int>(std::min<int64_t>(reader.Number(d.Width), 1 << 30));
        r.Height = static_cast<int>(std::min<int64_t>(reader.Number(d.Height), 1 << 30));
        r.MimeType = MimeType(Text(reader.Value(d.Type)).value_or(""));
        r.ThumbnailUrl = reader.Address(d.Thumbnail);
        r.PageUrl = reader.Address(d.Page);
        r.Title = reader.Words(d.Title);
        r.Creator = reader.Words(d.Creator);
        r.Licence = reader.Words(d.Licence);
        r.LicenceUrl = reader.Address(d.LicenceUrl);
        ranked.emplace_back(d.Order ? reader.First(*d.Order).toDouble(0) : 0, std::move(r));
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [rank, record] : ranked)
        answer.Pictures.push_back(std::move(record));
    // Results none of which names a picture: the format changed under us.
    answer.Read = list.empty() || !answer.Pictures.empty();
    if (answer.Read)
        answer.NextSuffix = NextSuffix(d, root, page, list.size());
    return answer;
}
