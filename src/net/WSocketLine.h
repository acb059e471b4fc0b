#pragma once
#include "net/WSocketTls.h"

#include <vector>

// Line mode: with LineMode on, OnDataAvailable fires once per received line
// (ended by LineEnd), and RcvdCount/Receive hand out that line.
class TCustomLineWSocket : public TCustomTlsWSocket {
public:
    TCustomLineWSocket();
    ~TCustomLineWSocket() override;

    int RcvdCount() override;

    bool LineMode() const { return FLineMode; }
    virtual void SetLineMode(bool Value);
    const std::string& LineEnd() const { return FLineEnd; }
    void SetLineEnd(const std::string& Value) { FLineEnd = Value; }
    bool LineEcho() const { return FLineEcho; }
    void SetLineEcho(bool Value) { FLineEcho = Value; }
    bool LineEdit() const { return FLineEdit; }
    void SetLineEdit(bool Value) { FLineEdit = Value; }

protected:
    void WndProc(const TMessage& Msg) override;
    bool FireDataAvailable(uint16_t Error) override;
    void FireSessionClosed(uint16_t Error) override;
    int RecvRaw(void* Buffer, int Len, int Flags) override;
    // Applies backspace and tab editing (with echo) to the bytes from Start on.
    virtual void EditReceivedLine(size_t Start);

private:
    // Delivers every complete line held, searching from From on.
    void ScanLines(size_t From, uint16_t Error);
    // Hands out the ready line through OnDataAvailable until it is read.
    void DeliverLine(uint16_t Error);

    std::vector<char> FRcvBuf; // held bytes, oldest first
    size_t FRcvdPtr = 0;       // bytes of the ready line already read
    size_t FLineLength = 0;    // length of the ready line (0 when none)
    std::string FLineEnd = "\r\n";
    bool FLineMode = false;
    bool FLineEcho = false;
    bool FLineEdit = false;
};
