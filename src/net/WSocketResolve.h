#pragma once
#include <cstdint>
#include <string>

// Blocking conversions used by Connect and Listen; they raise ESocketException.
// Results are in host byte order.
uint32_t WSocketResolveHost(const std::string& InAddr);
uint16_t WSocketResolvePort(const std::string& Port, const std::string& Proto);
int WSocketResolveProto(const std::string& Proto);

// The text without leading and trailing blanks and control characters.
std::string WSocketTrim(const std::string& Text);
// Whether the text holds a control character (below 32, or 127).
bool WSocketHasControlChar(const std::string& Text);
