#pragma once
#include "core/SearchSink.h"

#include <cstdint>
#include <string>
#include <string_view>

// The gate of every picture candidate: only links whose one ".jpg" ends them
// (or the extension of another type the sink asks for), not yet found, go on
// to the link check or the result list.
void AddFIleTolist(const std::string& link, TSearchSink& sink);

// The gate's test of the text alone: ends in ".jpg", its only occurrence.
bool IsPictureLink(std::string_view link);

// The gate for a link known to pass IsPictureLink, `times` times in a row:
// the FoundFiles test, then the check queue or the result list.
void AddPictureLink(const std::string& link, TSearchSink& sink, uint64_t times = 1);
