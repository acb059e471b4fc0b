#include "download/CreditSidecar.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Read back by Exiv2 and by exiftool, every field is there as the source
// gave it, and the picture beside it is as it was.
TEST(CreditSidecar, PhotoManagersReadEveryFieldAndThePictureStaysAsItWas)
{
    TempDir dir;
    const std::string picture = dir.File("harbour.jpg");
    const std::string bytes = "\xFF\xD8 the picture as the server sent it";
    WriteFile(picture, bytes);
    TPictureRecord r;
    r.Title = "lang=de \"Harbour\" at dusk \xE2\x80\x94 caf\xC3\xA9";
    r.Creator = "Ann Example";
    r.Licence = "CC BY-SA 4.0";
    r.LicenceUrl = "https://creativecommons.org/licenses/by-sa/4.0/";
    r.PageUrl = "https://commons.example.org/wiki/File:Harbour.jpg";
    ASSERT_TRUE(HasCredit(r));
    WriteCreditSidecar(picture, r);
    EXPECT_EQ(SidecarPath(picture), picture + ".xmp");
    EXPECT_EQ(ReadFile(picture), bytes);

    auto sidecar = Exiv2::ImageFactory::open(SidecarPath(picture));
    sidecar->readMetadata();
    const Exiv2::XmpData& xmp = sidecar->xmpData();
    const auto value = [&](const char* key) {
        const auto it = xmp.findKey(Exiv2::XmpKey(key));
        return it == xmp.end() ? std::string("(none)") : it->toString();
    };
    EXPECT_EQ(value("Xmp.dc.title"), "lang=\"x-default\" " + r.Title);
    EXPECT_EQ(value("Xmp.dc.creator"), r.Creator);
    EXPECT_EQ(value("Xmp.dc.source"), r.PageUrl);
    EXPECT_EQ(value("Xmp.xmpRights.UsageTerms"), "lang=\"x-default\" " + r.Licence);
    EXPECT_EQ(value("Xmp.xmpRights.WebStatement"), r.LicenceUrl);
    EXPECT_EQ(value("Xmp.cc.license"), r.LicenceUrl);
    EXPECT_EQ(value("Xmp.cc.attributionName"), r.Creator);

    QProcess exiftool;
    exiftool.start("exiftool", {"-j", "-charset", "UTF8", QString::fromStdString(SidecarPath(picture))});
    ASSERT_TRUE(exiftool.waitForFinished(30000));
    const QJsonObject tags = QJsonDocument::fromJson(exiftool.readAllStandardOutput()).array().at(0).toObject();
    const std::pair<const char*, std::string> expected[] = {
        {"Title", r.Title},           {"Creator", r.Creator},        {"Source", r.PageUrl},
        {"UsageTerms", r.Licence},    {"WebStatement", r.LicenceUrl}, {"License", r.LicenceUrl},
        {"AttributionName", r.Creator},
    };
    for (const auto& [tag, text] : expected)
        EXPECT_EQ(tags[tag].toString().toStdString(), text) << tag;

    // What a source leaves out stays out.
    TPictureRecord some;
    some.Licence = "Public domain";
    WriteCreditSidecar(picture, some);
    auto again = Exiv2::ImageFactory::open(SidecarPath(picture));
    again->readMetadata();
    EXPECT_EQ(again->xmpData().count(), 1);
    EXPECT_FALSE(HasCredit(TPictureRecord{}));
}

} // namespace
