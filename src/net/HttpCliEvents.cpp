#include "net/HttpCli.h"

#include "net/InvokeHandler.h"

void THttpCli::FireCookie(const std::string& Data, bool& Accept)
{
    Invoke(OnCookie, this, Data, Accept);
}

void THttpCli::FireSessionConnected()
{
    Invoke(OnSessionConnected, this);
}

void THttpCli::FireRequestHeaderBegin()
{
    Invoke(OnRequestHeaderBegin, this);
}

void THttpCli::FireRequestHeaderEnd()
{
    Invoke(OnRequestHeaderEnd, this);
}

void THttpCli::FireHeaderBegin()
{
    Invoke(OnHeaderBegin, this);
}

void THttpCli::FireHeaderEnd()
{
    Invoke(OnHeaderEnd, this);
}

void THttpCli::FireDocBegin()
{
    Invoke(OnDocBegin, this);
}

void THttpCli::FireDocData(const char* Buffer, int Len)
{
    Invoke(OnDocData, this, Buffer, Len);
}

void THttpCli::FireDocEnd()
{
    Invoke(OnDocEnd, this);
}

void THttpCli::FireSendBegin()
{
    Invoke(OnSendBegin, this);
}

void THttpCli::FireSendData(const char* Buffer, int Len)
{
    Invoke(OnSendData, this, Buffer, Len);
}

void THttpCli::FireSendEnd()
{
    Invoke(OnSendEnd, this);
}
