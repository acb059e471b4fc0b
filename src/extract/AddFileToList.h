#pragma once
#include "core/SearchSink.h"

#include <string>

// The gate of every picture candidate: only links whose one ".jpg" ends them,
// not yet found, go on to the link check or the result list.
void AddFIleTolist(const std::string& link, TSearchSink& sink);
