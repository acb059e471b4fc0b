#include "RawHttp.h"

#include <arpa/inet.h>
#include <cctype>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

// "http://127.0.0.1:port/path" only: the sample web lives on loopback.
bool SplitUrl(const std::string& url, int& port, std::string& path)
{
    const std::string prefix = "http://127.0.0.1:";
    if (url.rfind(prefix, 0) != 0)
        return false;
    const size_t slash = url.find('/', prefix.size());
    port = std::stoi(url.substr(prefix.size(), slash - prefix.size()));
    path = slash == std::string::npos ? "/" : url.substr(slash);
    return true;
}

void ParseHeader(const std::string& header, RawAnswer& answer)
{
    size_t start = 0;
    bool first = true;
    while (start < header.size()) {
        size_t end = header.find("\r\n", start);
        if (end == std::string::npos)
            end = header.size();
        const std::string line = header.substr(start, end - start);
        start = end + 2;
        if (first) {
            answer.status = line.size() >= 12 ? std::stoi(line.substr(9, 3)) : 0;
            first = false;
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string name = line.substr(0, colon);
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        answer.headers[name] = line.substr(line.find_first_not_of(' ', colon + 1));
    }
}

} // namespace

RawAnswer RawGet(const std::string& url, const std::string& agent)
{
    RawAnswer answer;
    int port = 0;
    std::string path;
    if (!SplitUrl(url, port, path))
        return answer;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    timeval limit{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return answer;
    }
    answer.connected = true;
    const std::string request = "GET " + path + " HTTP/1.0\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, " +
                                "image/pjpeg, */*\r\nUser-Agent: " + agent + "\r\nHost: 127.0.0.1\r\n\r\n";
    (void)!send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string received;
    char buffer[65536];
    for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;)
        received.append(buffer, static_cast<size_t>(n));
    close(fd);
    const size_t end = received.find("\r\n\r\n");
    if (end == std::string::npos)
        return answer;
    ParseHeader(received.substr(0, end), answer);
    answer.body = received.substr(end + 4);
    return answer;
}

std::vector<std::string> Lines(const std::string& body)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : body) {
        if (c == '\r' || c == '\n') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}
