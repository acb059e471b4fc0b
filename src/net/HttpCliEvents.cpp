#include "net/HttpCli.h"


void THttpCli::FireCookie(const std::string& Data, bool& Accept)
{
    Invoke(FAlive, OnCookie, this, Data, Accept);
}

void THttpCli::FireSessionConnected()
{
    Invoke(FAlive, OnSessionConnected, this);
}

void THttpCli::FireRequestHeaderBegin()
{
    Invoke(FAlive, OnRequestHeaderBegin, this);
}

void THttpCli::FireRequestHeaderEnd()
{
    Invoke(FAlive, OnRequestHeaderEnd, this);
}

void THttpCli::FireHeaderBegin()
{
    Invoke(FAlive, OnHeaderBegin, this);
}

void THttpCli::FireHeaderEnd()
{
    Invoke(FAlive, OnHeaderEnd, this);
}

void THttpCli::FireDocBegin()
{
    Invoke(FAlive, OnDocBegin, this);
}

void THttpCli::FireDocData(const char* Buffer, int Len)
{
    Invoke(FAlive, OnDocData, this, Buffer, Len);
}

void THttpCli::FireDocEnd()
{
    Invoke(FAlive, OnDocEnd, this);
}

void THttpCli::FireSendBegin()
{
    Invoke(FAlive, OnSendBegin, this);
}

void THttpCli::FireSendData(const char* Buffer, int Len)
{
    Invoke(FAlive, OnSendData, this, Buffer, Len);
}

void THttpCli::FireSendEnd()
{
    Invoke(FAlive, OnSendEnd, this);
}
