#include "cli/ArgumentText.h"

#include <cerrno>
#include <clocale>
#include <iconv.h>
#include <langinfo.h>
#include <strings.h>

namespace {

bool PassesAsIs(const std::string& codeset)
{
    for (const char* same : {"UTF-8", "UTF8", "ANSI_X3.4-1968", "ASCII", "US-ASCII"})
        if (strcasecmp(codeset.c_str(), same) == 0)
            return true;
    return codeset.empty();
}

} // namespace

std::string ArgumentAsUtf8(const std::string& bytes, const std::string& codeset)
{
    if (PassesAsIs(codeset))
        return bytes;
    const iconv_t convert = iconv_open("UTF-8", codeset.c_str());
    if (convert == reinterpret_cast<iconv_t>(-1))
        return bytes;
    std::string in = bytes;
    std::string out(bytes.size() * 4 + 4, '\0');
    char* from = in.data();
    size_t fromLeft = in.size();
    char* to = out.data();
    size_t toLeft = out.size();
    const size_t done = iconv(convert, &from, &fromLeft, &to, &toLeft);
    iconv_close(convert);
    if (done == static_cast<size_t>(-1) || fromLeft != 0)
        return bytes;
    out.resize(out.size() - toLeft);
    return out;
}

std::string LocaleCodeset()
{
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    const std::string kept = previous ? previous : "C";
    std::setlocale(LC_CTYPE, "");
    const std::string codeset = nl_langinfo(CODESET);
    std::setlocale(LC_CTYPE, kept.c_str());
    return codeset;
}
