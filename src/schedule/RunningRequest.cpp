#include "schedule/RunningRequest.h"

#include "net/HttpCli.h"

void TAbortAndFree::operator()(THttpCli* client) const
{
    client->Abort();
    delete client;
}
