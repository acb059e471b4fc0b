#pragma once
#include "core/SearchSink.h"

#include <string>
#include <string_view>
#include <vector>

// A listed web page (engine code 99): the anchor pass, the line pass and the
// quoted-link pass, in this order; pictures go through the gate, pages behind
// thumbnails to the page queue while recursive search is on.
void StartExtractLoop(const std::vector<std::string>& lines, const std::string& pageUrl, TSearchSink& sink);

// A page behind a thumbnail (engine code 0): the src value of every line
// holding ".jpg"; no page is followed.
void CheckNewPageForSrc(const std::vector<std::string>& lines, const std::string& pageUrl, TSearchSink& sink);

// The same two on a received body: its lines are taken straight from it, as
// LoadMemoFromMemoryStream splits them, without a string per line.
void StartExtractLoopOnBody(std::string_view body, const std::string& pageUrl, TSearchSink& sink);
void CheckNewPageForSrcOnBody(std::string_view body, const std::string& pageUrl, TSearchSink& sink);
