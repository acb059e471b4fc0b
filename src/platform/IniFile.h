#pragma once
#include "platform/ComponentException.h"

#include <memory>
#include <string>

class EIniFileException : public EComponentException {
public:
    using EComponentException::EComponentException;
};

// The settings file, read and written with the profile-string rules:
// section and key names match ignoring case, every read names its default,
// every write goes to the file at once, the file is created by its first
// write, and every other line is kept as it was.
class TIniFile {
public:
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return FFileName; }

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    // Throw EIniFileException("Unable to write to <path>") when refused.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    static constexpr size_t MaxValueLength = 2047;

private:
    struct TSnapshot;
    // The file's lines; parsed again only when the file may have changed.
    std::shared_ptr<const TSnapshot> Snapshot() const;

    std::string FFileName;
    mutable std::shared_ptr<const TSnapshot> FSnapshot;
};

// Decimal, or hexadecimal after "0x"/"0X"/"$", with an optional sign;
// anything else, or a value outside 32 bits, gives def.
int StrToIntDef(const std::string& text, int def);

// The program's settings file: beside the executable, named like it with
// ".ini", or in the user's configuration folder (ProgramFiles.h).
std::string ProgramSettingsFile();
