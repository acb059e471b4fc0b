#pragma once
#include <functional>
#include <string>
#include <vector>

// The diagnostics log: append-only, alive before any window. The
// diagnostics window mirrors it through the listener.
class ErrorLog {
public:
    static void Append(const std::string& line);
    static const std::vector<std::string>& Lines();
    static void SetListener(std::function<void(const std::string&)> listener);
    static void ClearForTest();
};
