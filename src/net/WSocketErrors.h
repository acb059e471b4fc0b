#pragma once
#include <string>

// The text of a WinSock error number ("Not a WinSock error" for others).
std::string WSocketErrorText(int ErrCode);
