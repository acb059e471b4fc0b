#include "download/CreditSidecar.h"

#include "net/Stream.h"

#include <exiv2/exiv2.hpp>

namespace {

void Prepare()
{
    static const bool ready = [] {
        Exiv2::XmpParser::initialize();
        Exiv2::XmpProperties::registerNs("http://creativecommons.org/ns#", "cc");
        return true;
    }();
    (void)ready;
}

// Values set as they are: Exiv2's text readers would take a leading "lang="
// or "type=" in a source's text for their own syntax.
void Text(Exiv2::XmpData& xmp, const char* key, const std::string& value)
{
    if (value.empty())
        return;
    Exiv2::XmpTextValue text;
    text.value_ = value;
    xmp.add(Exiv2::XmpKey(key), &text);
}

void LangAlt(Exiv2::XmpData& xmp, const char* key, const std::string& value)
{
    if (value.empty())
        return;
    Exiv2::LangAltValue alt;
    alt.value_["x-default"] = value;
    xmp.add(Exiv2::XmpKey(key), &alt);
}

void Seq(Exiv2::XmpData& xmp, const char* key, const std::string& value)
{
    if (value.empty())
        return;
    Exiv2::XmpArrayValue seq(Exiv2::xmpSeq);
    seq.read(value); // one item, as it is

    xmp.add(Exiv2::XmpKey(key), &seq);
}

} // namespace

bool HasCredit(const TPictureRecord& r)
{
    return !r.Title.empty() || !r.Creator.empty() || !r.Licence.empty() || !r.LicenceUrl.empty() || !r.PageUrl.empty();
}

std::string SidecarPath(const std::string& picturePath) { return picturePath + ".xmp"; }

void WriteCreditSidecar(const std::string& picturePath, const TPictureRecord& r)
{
    Prepare();
    try {
        Exiv2::XmpData xmp;
        LangAlt(xmp, "Xmp.dc.title", r.Title);
        Seq(xmp, "Xmp.dc.creator", r.Creator);
        Text(xmp, "Xmp.dc.source", r.PageUrl);
        LangAlt(xmp, "Xmp.xmpRights.UsageTerms", r.Licence);
        Text(xmp, "Xmp.xmpRights.WebStatement", r.LicenceUrl);
        Text(xmp, "Xmp.cc.license", r.LicenceUrl);
        Text(xmp, "Xmp.cc.attributionName", r.Creator);
        auto sidecar = Exiv2::ImageFactory::create(Exiv2::ImageType::xmp, SidecarPath(picturePath));
        sidecar->setXmpData(xmp);
        sidecar->writeMetadata();
    } catch (const std::exception& e) {
        throw EStreamError("Cannot write " + SidecarPath(picturePath) + ": " + e.what());
    }
}
