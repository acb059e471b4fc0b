#include "net/winsock/WinSockDns.h"

#include <gtest/gtest.h>

namespace {
// Names are looked up in the hosts file only: no test ever asks a name server.
class TLoopbackDnsEnvironment : public ::testing::Environment {
public:
    void SetUp() override { WSocketSetDnsLookups("f"); }
};

const auto* const gEnvironment = ::testing::AddGlobalTestEnvironment(new TLoopbackDnsEnvironment);
}
