#pragma once
#include <string>
#include <vector>

// Readers of the services' result pages that cut links by the same text
// markers as the program, to hold the sample web to those formats. Escapes
// of ":" and "/" are decoded; nothing else is.
struct ResultLinks {
    std::vector<std::string> links; // web pages or pictures
    std::vector<std::string> next;  // next result page links, as cut
};

ResultLinks ReadHotBot(const std::vector<std::string>& lines);
ResultLinks ReadLycos(const std::vector<std::string>& lines);
ResultLinks ReadScourNet(const std::vector<std::string>& lines);
ResultLinks ReadImagesDirect(const std::vector<std::string>& lines); // every "&gt;&gt;" line
