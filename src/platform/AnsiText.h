#pragma once
#include <QString>
#include <string>

// Byte strings hold text in the Windows-1252 code page; widgets take QString.
QString ToQt(const std::string& ansi);
std::string FromQt(const QString& text);
