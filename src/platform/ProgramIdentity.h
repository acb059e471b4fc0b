#pragma once

// The program's name, version and home page, as it tells them to the world.
inline constexpr const char* ProgramName = "Glimmerscout";
inline constexpr const char* ProgramVersion = "1.1";
inline constexpr const char* ProgramHomePage = "http://www.glimmerscout.com/";
