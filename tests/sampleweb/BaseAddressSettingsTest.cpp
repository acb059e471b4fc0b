#include "sampleweb/BaseAddressSettings.h"

#include "platform/IniFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace sampleweb;

TEST(SampleWebSettings, WritesTheThreeBaseAddressesAndKeepsOtherKeys)
{
    TempDir dir;
    const std::string file = dir.File("glimmerscout.ini");
    WriteFile(file, "[Options]\nWait=7\nLycosBaseAddress=http://old.example\n");
    WriteBaseAddressSettings(file, Addresses({8001, 8002, 8003, 8004, 8005, 8006, 8007, 8008}));
    const TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("Options", "HotBotBaseAddress", ""), "http://127.0.0.1:8001");
    EXPECT_EQ(ini.ReadString("Options", "LycosBaseAddress", ""), "http://127.0.0.1:8002");
    EXPECT_EQ(ini.ReadString("Options", "ScourNetBaseAddress", ""), "http://127.0.0.1:8003");
    EXPECT_EQ(ini.ReadString("Options", "CommonsBaseAddress", ""), "http://127.0.0.1:8006");
    EXPECT_EQ(ini.ReadString("Options", "OpenverseBaseAddress", ""), "http://127.0.0.1:8007");
    EXPECT_EQ(ini.ReadString("Options", "SearchCommons", "unset"), "unset");
    EXPECT_EQ(ini.ReadInteger("Options", "Wait", 0), 7);
}
