#include "net/HttpCli.h"


void THttpCli::FireCookie(const std::string& Data, bool& Accept)
{
    CallHandler(OnCookie, this, Data, Accept);
}

void THttpCli::FireSessionConnected()
{
    CallHandler(OnSessionConnected, this);
}

void THttpCli::FireRequestHeaderBegin()
{
    CallHandler(OnRequestHeaderBegin, this);
}

void THttpCli::FireRequestHeaderEnd()
{
    CallHandler(OnRequestHeaderEnd, this);
}

void THttpCli::FireHeaderBegin()
{
    CallHandler(OnHeaderBegin, this);
}

void THttpCli::FireHeaderEnd()
{
    CallHandler(OnHeaderEnd, this);
}

void THttpCli::FireDocBegin()
{
    CallHandler(OnDocBegin, this);
}

void THttpCli::FireDocData(const char* Buffer, int Len)
{
    CallHandler(OnDocData, this, Buffer, Len);
}

void THttpCli::FireDocEnd()
{
    CallHandler(OnDocEnd, this);
}

void THttpCli::FireSendBegin()
{
    CallHandler(OnSendBegin, this);
}

void THttpCli::FireSendData(const char* Buffer, int Len)
{
    CallHandler(OnSendData, this, Buffer, Len);
}

void THttpCli::FireSendEnd()
{
    CallHandler(OnSendEnd, this);
}
