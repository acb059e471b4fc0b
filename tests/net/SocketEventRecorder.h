#pragma once
#include "net/WSocket.h"

#include <string>
#include <vector>

// Records a socket's events as short texts ("connected 0", "closed 10054",
// "state 3>4", "sent 0", "lookup 0", "error") and collects received bytes.
struct TSocketEventRecorder {
    std::vector<std::string> Events;
    std::string Received;
    bool ReadData = true; // the data handler reads what is there

    explicit TSocketEventRecorder(TWSocket& s, bool states = false)
    {
        s.OnSessionConnected = [this](TCustomWSocket*, uint16_t e) { Add("connected", e); };
        s.OnSessionClosed = [this](TCustomWSocket*, uint16_t e) { Add("closed", e); };
        s.OnDataSent = [this](TCustomWSocket*, uint16_t e) { Add("sent", e); };
        s.OnDnsLookupDone = [this](TCustomWSocket*, uint16_t e) { Add("lookup", e); };
        s.OnDataAvailable = [this](TCustomWSocket* sender, uint16_t) {
            if (!ReadData)
                return;
            char buffer[65536];
            const int n = sender->Receive(buffer, sizeof buffer);
            if (n > 0)
                Received.append(buffer, static_cast<size_t>(n));
        };
        if (states)
            s.OnChangeState = [this](TCustomWSocket*, TSocketState o, TSocketState n) {
                Events.push_back("state " + std::to_string(o) + ">" + std::to_string(n));
            };
    }

    void Add(const char* what, uint16_t error) { Events.push_back(std::string(what) + " " + std::to_string(error)); }
    int Count(const std::string& event) const
    {
        int n = 0;
        for (const auto& e : Events)
            n += e == event;
        return n;
    }
    bool Has(const std::string& event) const { return Count(event) > 0; }
    int CountPrefix(const std::string& prefix) const
    {
        int n = 0;
        for (const auto& e : Events)
            n += e.rfind(prefix, 0) == 0;
        return n;
    }
};
