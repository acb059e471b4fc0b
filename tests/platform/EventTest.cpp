#include "platform/Event.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TSpeaker {
    TEvent<TSpeaker, const std::string&> OnSaid;
    void Say(const std::string& text) { OnSaid(text); }
};

// Every listener hears every firing, in the order they listened; one that
// listens while the event fires hears the next firing.
TEST(Event, EveryListenerHearsInOrderAndLateOnesFromTheNextFiring)
{
    TSpeaker speaker;
    std::vector<std::string> heard;
    speaker.Say("nobody listens");
    speaker.OnSaid.Listen([&](const std::string& text) { heard.push_back("a " + text); });
    speaker.OnSaid.Listen([&](const std::string& text) {
        heard.push_back("b " + text);
        if (text == "one")
            for (int i = 0; i < 100; ++i) // grows the list under the firing
                speaker.OnSaid.Listen([&, i](const std::string& t) {
                    if (i == 99)
                        heard.push_back("late " + t);
                });
    });
    speaker.Say("one");
    speaker.Say("two");
    EXPECT_EQ(heard, (std::vector<std::string>{"a one", "b one", "a two", "b two", "late two"}));
}

} // namespace
