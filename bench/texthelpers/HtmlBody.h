#pragma once
#include <cstddef>
#include <string>

// A deterministic HTML body of about the given size: markup, links, text
// and the odd long script line, with CR LF and LF breaks mixed.
std::string MakeHtmlBody(size_t size);
