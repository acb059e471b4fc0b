#pragma once
#include "core/JsonPath.h"
#include "core/Licence.h"
#include "core/UrlTemplate.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One value of each result: a selector, or an address made from selected
// values (an API that gives an identifier where an address is needed).
struct TFieldSelector {
    std::optional<TJsonPath> Path;
    std::optional<TUrlTemplate> Template;
    std::vector<std::pair<std::string, TJsonPath>> Values; // the template's variables
    bool Given() const { return Path || Template; }
};

// A sign that an answer has the expected format: every selector of it finds
// something, or (Absent) finds nothing.
struct TExpectPart {
    TJsonPath Path;
    bool Absent = false;
};
using TExpectSign = std::vector<TExpectPart>;

// How a source's answers lead to its next page.
enum class TPaging {
    None,         // one page
    Page,         // {startPage} counts up from First
    Offset,       // {startIndex} counts up from First by Count
    Continuation, // the answer's continuation object, added to the request
};

// A live source, read from its description file: what to ask and how to
// read the answer. Nothing in it runs; every part was checked when read.
struct TSourceDescription {
    std::string File; // the file it was read from
    std::string Name;
    std::string ShortName; // for the command line and the settings keys
    std::string HomePage;
    std::string Licences; // a line on what the collection's licences allow

    // The request: the template's scheme and host are its default base
    // address, which the settings may replace. Its variables: searchTerms,
    // types, count, startPage, startIndex, thumbnailWidth, key and agent (the
    // program's own). A paged request ends with its paging parameter
    // ("&page={startPage}"), which Search leaves out and PageParameter holds.
    TUrlTemplate Search;
    std::optional<TUrlTemplate> PageParameter;
    std::string DefaultBase; // "https://host[:port]"
    // What {searchTerms} is made of before it is encoded: {phrase} and {types}.
    std::optional<TUrlTemplate> Terms;
    // {types}: one text a chosen picture type ({mime} or {extension}), joined.
    std::optional<TUrlTemplate> TypeEach;
    std::string TypeSeparator;
    std::vector<std::pair<std::string, TUrlTemplate>> Headers;
    std::string KeySetting; // the settings key of the API key; empty: none
    // How the source is asked for the pictures a licence filter keeps: a
    // query piece ("&name=value") for each filter it can ask by, added to
    // the search's address.
    std::map<TLicenceFilter, std::string> LicenceQuery;
    // What every picture of the collection allows, where the description
    // says: a filter it cannot meet skips the source.
    std::map<TLicenceFilter, bool> Allows;
    int IntervalMs = 0;     // least time between two requests to the host

    TPaging Paging = TPaging::None;
    int First = 1; // the first page's number or offset
    int Count = 0; // results a page asks for; 0: the API's own number
    int MaxPages = 20;
    std::optional<TJsonPath> PageNumber;   // the answer's own page number
    std::optional<TJsonPath> PageCount;    // how many pages there are
    std::optional<TJsonPath> Total;        // how many results there are
    std::optional<TJsonPath> Next;         // present when a next page is
    std::optional<TJsonPath> Continuation; // the object to add to the request

    std::vector<TExpectSign> Expect; // an answer of the format shows one
    std::optional<TJsonPath> Error;
    TJsonPath Results;
    std::optional<TJsonPath> Order;
    TFieldSelector Picture, Size, Width, Height, Type, Thumbnail, Page, Title, Creator, Licence, LicenceUrl;
    // The source holds the files it lists, so the size it gives is theirs.
    bool HostsFiles = false;
};

// Why a file was refused: where, and the reason in words.
struct TDescriptionFault {
    std::string File;
    int Line = 0; // 0: no line to name
    std::string Reason;
    // "file:line: reason"
    std::string Text() const;
};

struct TDescriptionRead {
    std::optional<TSourceDescription> Description;
    TDescriptionFault Fault; // when there is no description
};

// Reads and checks one description file's text.
TDescriptionRead ReadSourceDescription(std::string_view file, std::string_view text);
