#include "extract/OtherTypesPass.h"

#include "extract/AddFileToList.h"
#include "platform/CatchAll.h"

#include <string_view>

namespace {

// Each quoted value of the line that ends in ext, as written.
template <class Take>
void QuotedValuesEndingIn(std::string_view line, std::string_view ext, Take take)
{
    for (size_t at = line.find(ext); at != std::string_view::npos; at = line.find(ext, at + 1)) {
        const size_t end = at + ext.size();
        if (end >= line.size() || (line[end] != '"' && line[end] != '\''))
            continue;
        const size_t open = line.rfind(line[end], at);
        if (open != std::string_view::npos)
            take(line.substr(open + 1, end - open - 1));
    }
}

} // namespace

void LoopForOtherTypes(TExtractPage& page, TSearchSink& sink)
{
    CatchAll("error code : #0022 (LoopForOtherTypes)", [&] {
        const TPictureTypes types = sink.PictureTypes();
        const std::string_view text = page.Text.Text();
        std::string absolute;
        for (const TSpan& span : page.Text.Lines()) {
            const std::string_view line = text.substr(span.Begin, span.End - span.Begin);
            for (int i = 0; i < PictureTypeCount; ++i) {
                const auto type = static_cast<TPictureType>(i);
                if (type == TPictureType::Jpeg || !types.Has(type))
                    continue;
                QuotedValuesEndingIn(line, PictureExtension(type), [&](std::string_view link) {
                    page.Resolver.ResolveInto(link, absolute);
                    AddFIleTolist(absolute, sink);
                });
            }
        }
    });
}
