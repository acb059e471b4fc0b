#include "app/Form1.h"
#include "app/Form2.h"

#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "platform/CatchAll.h"
#include "platform/Random.h"
#include "platform/TickCount.h"
#include "platform/ui/AnsiText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

bool IsMarked(const std::string& line) { return line.find("X\t") != std::string::npos; }

uint32_t StartTick(const std::string& line)
{
    const std::string text = TextBeforeTab(line);
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value > 0xFFFFFFFFull)
        throw std::invalid_argument("start tick");
    return static_cast<uint32_t>(value);
}

bool TimedOut(const std::string& line, uint32_t now)
{
    return static_cast<uint32_t>(now - StartTick(line)) > TForm1::RequestTimeout;
}

} // namespace

void TForm1::Timer1Timer()
{
    for (int i = 0; i < 8; ++i) {
        if (!CheckLinkQueue.empty() && static_cast<int>(CheckLinkClients.size()) <= CheckLinkClientLimit) {
            const std::string url = CheckLinkQueue.front();
            CheckLinkQueue.RemoveFirst();
            CheckLink(url);
        }
    }
}

void TForm1::Timer2Timer()
{
    for (int i = 0; i < 8; ++i) {
        if (!GetPageQueue.empty() && static_cast<int>(GetPageClients.size()) <= GetPageClientLimit) {
            const std::string line = GetPageQueue.front();
            GetPageQueue.RemoveFirst();
            GetPage(TextBeforeTab(line), std::atoi(TextAfterTab(line).c_str()));
        }
    }
}

void TForm1::CheckLink(const std::string& url)
{
    CatchAll("error code : #0002 (CheckLink)", [&] {
        if (!SearchActive)
            return;
        auto client = std::make_unique<THttpCli>();
        const int tag = Random(2147483647);
        client->Tag = tag;
        client->URL = url;
        ApplyProxySettings(FProxySettings, *client);
        client->OnHeaderEnd = [this](THttpCli* sender) { CheckLinkHeaderEnd(sender); };
        client->GetAsync();
        CheckLinkClients.push_back(client.release());
        CheckLinkRequests.push_back(std::to_string(GetTickCount()) + "\t" + std::to_string(tag));
    });
}

void TForm1::GetPage(const std::string& url, int engineCode)
{
    CatchAll("error code : #0038 (GetPage)", [&] {
        if (!SearchActive)
            return;
        auto client = std::make_unique<THttpCli>();
        auto buffer = std::make_unique<TMemoryStream>(PageSizeLimit);
        client->URL = url;
        ApplyProxySettings(FProxySettings, *client);
        client->DocStream = buffer.get();
        client->OnRequestDone = [this](THttpCli* sender, THttpRequest, uint16_t) { GetPageRequestDone(sender); };
        client->Tag = engineCode;
        client->GetAsync();
        FPageBuffers[client.get()] = std::move(buffer);
        GetPageClients.push_back(client.release());
        GetPageRequests.push_back(std::to_string(GetTickCount()) + "\t" + url);
    });
}

void TForm1::DeletePageClient(THttpCli* client)
{
    client->Abort();
    delete client;
    FPageBuffers.erase(client);
}

void TForm1::DeleteCheckClient(THttpCli* client)
{
    client->Abort();
    delete client;
}

void TForm1::MarkFinished(TStringList& requests, const std::vector<THttpCli*>& clients, const THttpCli* client)
{
    // Line i belongs to client i: two fetches of one URL each mark their own.
    const auto it = std::find(clients.begin(), clients.end(), client);
    const size_t i = static_cast<size_t>(it - clients.begin());
    if (i < requests.size())
        requests[i] = "X\t" + TextAfterTab(requests[i]);
}

void TForm1::ReapTick(TStringList& requests, std::vector<THttpCli*>& clients, const QString& timeoutLine,
                      void (TForm1::*deleteClient)(THttpCli*))
{
    const size_t count = requests.size();
    for (size_t i = 0; i < count; ++i) {
        std::string& line = requests[i];
        if (!IsMarked(line) && SearchActive) {
            if (TimedOut(line, GetTickCount())) {
                Memo1->appendPlainText(timeoutLine + ToQt(clients.at(i)->URL));
                line = "X\t" + TextAfterTab(line);
            }
            continue;
        }
        if (i < clients.size()) {
            THttpCli* client = clients[i];
            clients.erase(clients.begin() + static_cast<long>(i));
            requests.erase(requests.begin() + static_cast<long>(i));
            (this->*deleteClient)(client);
            return;
        }
    }
}

void TForm1::Timer3Timer()
{
    CatchAll("error code : #1001 (Timer3 (getpage)",
             [&] { ReapTick(GetPageRequests, GetPageClients, "  GetPage:\t", &TForm1::DeletePageClient); });
}

void TForm1::Timer4Timer()
{
    CatchAll("error code : #1002 (Timer4 (checklink)",
             [&] { ReapTick(CheckLinkRequests, CheckLinkClients, "CheckLink:\t", &TForm1::DeleteCheckClient); });
}

void TForm1::Timer5Timer()
{
    Label2->setText(QString::number(GetPageClients.size() + CheckLinkClients.size()));
    if (!Form2)
        return;
    Form2->Label9->setText(QString::number(GetPageClients.size()));
    Form2->Label10->setText(QString::number(CheckLinkClients.size()));
    Form2->Label13->setText(QString::number(GetPageQueue.size()));
    Form2->Label14->setText(QString::number(CheckLinkQueue.size()));
}
