#include "core/Licence.h"

#include <gtest/gtest.h>

namespace {

// Licences as the sources write them: what each allows, or "?" for a text
// that names none known here.
TEST(Licence, ReadAsTheSourcesWriteIt)
{
    const struct {
        const char* text;
        const char* allows; // "commercial changes", "commercial", "changes", "nothing" or "?"
    } rows[] = {
        // Openverse's codes
        {"by", "commercial changes"},
        {"by-sa", "commercial changes"},
        {"by-nd", "commercial"},
        {"by-nc", "changes"},
        {"by-nc-sa", "changes"},
        {"by-nc-nd", "nothing"},
        {"cc0", "commercial changes"},
        {"pdm", "commercial changes"},
        {"sampling+", "commercial changes"},
        {"nc-sampling+", "changes"},
        // Commons' and the collections' names
        {"CC BY-SA 4.0", "commercial changes"},
        {"CC BY-NC-ND 2.0 FR", "nothing"},
        {"CC-BY-ND-3.0-DE", "commercial"},
        {"Attribution-NonCommercial-ShareAlike 4.0 International", "changes"},
        {"Creative Commons Attribution Non-Commercial No Derivatives", "nothing"},
        {"Attribution", "commercial changes"},
        {"Public domain", "commercial changes"},
        {"CC-PD-Mark", "commercial changes"},
        {"CC0", "commercial changes"},
        {"cc-zero", "commercial changes"},
        {"Creative Commons Zero", "commercial changes"},
        {"GFDL", "commercial changes"},
        {"GFDL 1.2", "commercial changes"},
        {"GNU Free Documentation License", "commercial changes"},
        {"© 2020 Ann. All rights reserved.", "nothing"},
        // addresses
        {"https://creativecommons.org/licenses/by-nd/4.0/", "commercial"},
        {"http://creativecommons.org/licenses/by-nc-sa/2.0/deed.en", "changes"},
        {"https://creativecommons.org/publicdomain/zero/1.0/", "commercial changes"},
        {"https://creativecommons.org/publicdomain/mark/1.0/", "commercial changes"},
        {"https://www.gnu.org/licenses/fdl-1.3.html", "commercial changes"},
        // nothing known
        {"", "?"},
        {"cc", "?"},
        {"Photo by Ann", "?"},
        {"Copyrighted free use", "?"},
        {"https://rightsstatements.org/vocab/InC/1.0/", "?"},
        {"https://creativecommons.org/licenses/", "?"},
    };
    for (const auto& row : rows) {
        const std::optional<TLicenceUse> use = ReadLicence(row.text);
        const std::string got = !use ? "?"
                                : use->Commercial && use->Changes ? "commercial changes"
                                : use->Commercial                 ? "commercial"
                                : use->Changes                    ? "changes"
                                                                  : "nothing";
        EXPECT_EQ(got, row.allows) << row.text;
    }
}

// A picture is dropped only when its source marks it otherwise; its licence's
// address speaks where its name says nothing known.
TEST(Licence, APicturePassesUnlessMarkedOtherwise)
{
    const struct {
        const char* licence;
        const char* url;
        TLicenceFilter filter;
        bool passes;
    } rows[] = {
        {"by-nc", "", TLicenceFilter::Any, true},
        {"by-nc", "", TLicenceFilter::Commercial, false},
        {"by-nc", "", TLicenceFilter::Changes, true},
        {"by-nd", "", TLicenceFilter::Changes, false},
        {"", "", TLicenceFilter::Commercial, true},
        {"Museum terms", "https://creativecommons.org/licenses/by-nc/4.0/", TLicenceFilter::Commercial, false},
        {"Museum terms", "https://museum.example/terms", TLicenceFilter::Commercial, true},
    };
    for (const auto& row : rows) {
        TPictureRecord picture;
        picture.Licence = row.licence;
        picture.LicenceUrl = row.url;
        EXPECT_EQ(LicencePasses(picture, row.filter), row.passes)
            << row.licence << " " << row.url << " " << LicenceFilterName(row.filter);
    }
}

} // namespace
